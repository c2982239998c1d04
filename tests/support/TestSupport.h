#pragma once

#include "history/CalendarFilter.h"
#include "shell/UserInterface.h"
#include "shell/Workspace.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <utility>

namespace TestSupport {

// The list's items as the window shows them: the draws, then the trailing empty item.
inline QStringList shownItems(const Workspace& ws)
{
    return ws.liste().toStringList() << QString();
}

QByteArray readFile(const QString& path);
// The lines as a history file holds them: each ended by CR LF, in UTF-8.
QByteArray crlf(const QStringList& lines);
// from, from + 1, ..., to.
QList<int> numberRange(int from, int to);
// A draw line with its numbers written in the given order.
QString drawLine(const QString& date, const QList<int>& numbers, const char* slot = " midi");
// A draw holding `wanted` and filled up to twenty numbers from `filler` upwards, ascending.
QString drawWith(const QDate& date, bool midday, const QList<int>& wanted, int filler);
void writeFile(const QString& path, const QByteArray& bytes);
// The operator's CSV of `draws` (given oldest first, written newest first) as its current
// archives hold it: the header of the draw fields, 24 columns, each row ended by CR LF, the last
// one too unless `finalLineFeed` is false.
QByteArray operatorCsv(const QStringList& draws, bool finalLineFeed = true);
// A ZIP archive at `path` holding the members (stored name, content) in order.
void writeZip(const QString& path, const QList<std::pair<QByteArray, QByteArray>>& members);
// Lets the event loop run until `done` holds (or 10 s pass: never hang); returns done().
bool waitFor(const std::function<bool()>& done);

// A deterministic history of `count` draws starting with the midday draw of `start`,
// alternating midi/soir (numbers ascending, seeded).
QStringList makeHistory(int count, const QDate& start = QDate(1993, 9, 16), unsigned seed = 7);

// While alive, no file this process writes may grow past `bytes`: writes fail as on a full
// disk (EFBIG instead of ENOSPC), a real failure of the file system without root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    qint64 m_soft = 0;
    void (*m_handler)(int) = nullptr;
};

// A scripted person: records messages, answers from queues.
class ScriptedUi : public UserInterface {
public:
    struct Message {
        QString text, title;
        bool information = false; // shown with the information icon
    };
    std::vector<Message> messages;
    std::deque<std::optional<QString>> textAnswers;
    std::deque<QString> saveNames;
    std::deque<bool> confirmAnswers; // empty: No
    QStringList confirmTexts;
    QStringList askedTitles;
    std::function<bool(CalendarFilter&)> onFilter;
    QDate fixedToday = QDate(2026, 12, 5);
    std::deque<QStringList> openNames; // empty: cancelled
    std::deque<int> choiceAnswers; // empty: -1, nobody to answer
    QStringList choiceTexts;
    QList<QUrl> openedUrls; // what was handed to the viewer
    bool viewerOpens = true;

    void message(const QString& text, const QString& title) override;
    void information(const QString& text, const QString& title) override { messages.push_back({text, title, true}); }
    bool confirm(const QString& text, const QString& title) override;
    std::optional<QString> askText(const QString& title, const QString& prompt, const QString& initial) override;
    QString askSaveFileName(const QString& title, const QString& defaultSuffix) override;
    bool editCalendarFilter(CalendarFilter& filter) override;
    QStringList askOpenFileNames(const QString& title, const QString& filter) override;
    int choose(const QString& title, const QString& text, const QStringList& buttons) override;
    bool openUrl(const QUrl& url) override;
    QDate today() const override { return fixedToday; }
};

} // namespace TestSupport
