// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/CalendarFilter.h"
#include "history/DrawMatrix.h"
#include "shell/CommandUnits.h"
#include "shell/OutcomeView.h"
#include "shell/UserInterface.h"
#include "shell/Workspace.h"
#include "stats/NumberStats.h"
#include "stats/Rankings.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <array>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

// GoogleTest finds these by argument-dependent lookup: QString lives in the global namespace.
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QStringList& lines, std::ostream* os);

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
// A draw line whose numbers are first, first + 1, ..., first + 19.
QString drawFrom(const char* date, int first, const char* slot = " midi");
// A draw holding `wanted` and filled up to twenty numbers from `filler` upwards, ascending.
QString drawWith(const QDate& date, bool midday, const QList<int>& wanted, int filler);
void writeFile(const QString& path, const QByteArray& bytes);
// The operator's CSV of `draws` (given oldest first, written newest first) as its current
// archives hold it: the header of the draw fields, 24 columns, each row ended by CR LF, the last
// one too unless `finalLineFeed` is false; with `quirks`, as some archives have it: a blank after
// the time of day, a closing date and three extra columns.
QByteArray operatorCsv(const QStringList& draws, bool finalLineFeed = true, bool quirks = false);
// The same with a "multiplicateur" column: `multipliers` draw by draw, oldest first ("" = none).
QByteArray operatorCsv(const QStringList& draws, const QList<QByteArray>& multipliers);
// A ZIP archive at `path` holding the members (stored name, content) in order; names are
// stored as given ("../x" included); a password encrypts every member with ZipCrypto.
void writeZip(const QString& path, const QList<std::pair<QByteArray, QByteArray>>& members, const QByteArray& password = {});
// The standard output of a tool run to its end, or "<program failed>".
QString runTool(const QString& program, const QStringList& arguments);
// A PDF's page count as pdfinfo gives it (-1 when unreadable).
int pdfPages(const QString& pdf);
// The PDF's non-empty lines as pdftotext lays them out, trimmed (and simplified when asked).
QStringList pdfLines(const QString& pdf, bool simplified = false);
// Lets the event loop run until `done` holds (or a minute passes, for a slow sanitized build;
// never hang); returns done().
bool waitFor(const std::function<bool()>& done);
// A small file of tests/data, read whole.
QByteArray testData(const char* name);
// `text` begins with, ends with or holds `part`; a failure prints both.
::testing::AssertionResult startsWith(const QString& text, const QString& part);
::testing::AssertionResult endsWith(const QString& text, const QString& part);
::testing::AssertionResult contains(const QString& text, const QString& part);

// The pay table written out apart from the program: gain for m of k numbers matched, rows
// k = 2..10, columns m = 0..10, for a stake of 1.
inline constexpr std::array<std::array<int, 11>, 11> kPayTable = {{
    {},
    {},
    {0, 0, 6},
    {0, 0, 2, 10},
    {0, 0, 0, 5, 50},
    {0, 0, 0, 2, 10, 100},
    {0, 0, 0, 0, 2, 30, 1000},
    {0, 0, 0, 0, 2, 5, 70, 3000},
    {2, 0, 0, 0, 0, 5, 20, 100, 10000},
    {1, 0, 0, 0, 1, 2, 8, 20, 200, 40000},
    {1, 0, 0, 0, 0, 2, 5, 15, 100, 2500, 200000},
}};
inline int pay(int k, int m)
{
    return kPayTable[static_cast<size_t>(k)][static_cast<size_t>(m)];
}

// Draws as plain sets of numbers, oldest first.
using Draws = std::vector<std::vector<int>>;
// `count` draws of twenty distinct numbers of 1..70, each equally likely (seeded).
Draws randomDraws(int count, unsigned seed);
// The matrix of these draws and one empty trailing column, as the list holds them.
DrawMatrix matrixOf(const Draws& draws);
// The matrix of draw lines (an empty trailing item included or not).
DrawMatrix matrixOf(const QStringList& lines);

// The statistics of draws [first, last] counted line by line from the text, independent of the
// matrix and of the program's counting.
NumberStats referenceStats(const QStringList& draws, int first, int last);
// The 70 lines of a ranking written here from those counts: key descending, ties by ascending
// number, in the layout each ranking prints.
QStringList rankingLines(RankingKind kind, const NumberStats& stats);

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

// A scripted person: notes every outcome shown and its message boxes, answers from queues.
class ScriptedUi : public UserInterface, public OutcomeView {
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

    std::vector<CommandOutcome> outcomes; // every outcome shown, in order

    // Its boxes in `messages`, in the order the window shows them.
    void show(const CommandOutcome& outcome) override
    {
        outcomes.push_back(outcome);
        for (const Notice& box : outcome.boxes())
            messages.push_back({box.text, box.title, box.information});
    }
    // Shows `outcome` and tells whether it is done.
    bool done(const CommandOutcome& outcome)
    {
        show(outcome);
        return outcome.isDone();
    }
    // Shows what `ws` announces: an outcome that came after its command, the export step's.
    void watch(Workspace& ws)
    {
        QObject::connect(&ws, &Workspace::ended, &ws, [this](const CommandOutcome& outcome) { show(outcome); });
    }
    // Runs while a question waits for its answer (another program acting meanwhile).
    std::function<void()> duringQuestion;
    bool confirm(const QString& text, const QString&) override
    {
        if (duringQuestion)
            duringQuestion();
        return answer(confirmAnswers, false, confirmTexts, text);
    }
    std::optional<QString> askText(const QString& title, const QString&, const QString& initial) override
    {
        return answer(textAnswers, std::optional<QString>(initial), askedTitles, title);
    }
    QString askSaveFileName(const QString&, const QString&) override { return take(saveNames, QString()); }
    bool editCalendarFilter(CalendarFilter& filter) override { return onFilter ? onFilter(filter) : true; }
    QStringList askOpenFileNames(const QString& title, const QString&) override
    {
        return answer(openNames, QStringList(), askedTitles, title);
    }
    int choose(const QString&, const QString& text, const QStringList&) override
    {
        return answer(choiceAnswers, -1, choiceTexts, text);
    }
    bool openUrl(const QUrl& url) override
    {
        openedUrls << url;
        return viewerOpens;
    }
    QDate today() const override { return fixedToday; }

private:
    // The next scripted answer, or `none` when the script has run out.
    template <typename Queue, typename T> static T take(Queue& answers, T none)
    {
        if (answers.empty())
            return none;
        T next = answers.front();
        answers.pop_front();
        return next;
    }
    // The same, the question noted in `asked`.
    template <typename Queue, typename T> static T answer(Queue& answers, T none, QStringList& asked, const QString& question)
    {
        asked << question;
        return take(answers, none);
    }
};

// A workspace over histories written in a temporary data folder, its settings in another.
class WorkspaceFixture : public ::testing::Test {
protected:
    QString dataFile(const char* name) const { return m_data.filePath(QString::fromLatin1(name)); }
    QString working() const { return dataFile("Tirages_keno.txt"); }
    WorkspaceConfig config() const
    {
        WorkspaceConfig config;
        config.dataFolder = m_data.path();
        config.appDataFolder = m_config.path();
        return config;
    }
    // `history` as the working history, `base` (the same when empty) as the base; then starts.
    void start(const QStringList& history, const QStringList& base = {})
    {
        writeFile(working(), crlf(history));
        writeFile(dataFile("Tirages.txt"), crlf(base.isEmpty() ? history : base));
        m_ws = std::make_unique<Workspace>(config(), &m_ui);
        m_ui.watch(*m_ws);
        m_ui.show(m_ws->startUp());
    }
    const ReportModel& report() const { return m_ws->report(); }

    QTemporaryDir m_data, m_config;
    ScriptedUi m_ui;
    std::unique_ptr<Workspace> m_ws;
};

} // namespace TestSupport

namespace TestSupport {

// The commands that may end after a job, run as the menus run them: their outcome.
inline CommandOutcome reload(Workspace& ws)
{
    CommandUnits& u = ws.units();
    return u.jobs.await([&u](OutcomeThen then) { u.history.reload(std::move(then)); });
}
inline CommandOutcome periodeEtude(Workspace& ws)
{
    CommandUnits& u = ws.units();
    return u.jobs.await([&u](OutcomeThen then) { u.filter.periodeEtude(std::move(then)); });
}

} // namespace TestSupport

// Helpers of the analyses and forecast tests.
namespace TestSupport {

// Lines written as UTF-8 literals: the expected lines of a report.
QStringList utf8Lines(std::initializer_list<const char*> lines);
// Item `index` of a made-up history (from 01/03/2021, midi then soir): `numbers` in the given
// order, then fillers from 70 downwards up to twenty.
QString drawHolding(int index, const QList<int>& numbers);

} // namespace TestSupport
