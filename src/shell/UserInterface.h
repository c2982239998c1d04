// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

struct CalendarFilter;

// What the commands ask a person. The window answers with dialogs; the command-line companion
// and the tests with given answers. What a command came to is its outcome, shown by each
// program its own way.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A question with the buttons Yes and No; true for Yes.
    virtual bool confirm(const QString& text, const QString& title) = 0;
    // An input box; nullopt when cancelled.
    virtual std::optional<QString> askText(const QString& title, const QString& prompt, const QString& initial) = 0;
    // The save dialog of the export ("Sauvegarde", extension "txt"); empty when cancelled.
    virtual QString askSaveFileName(const QString& title, const QString& defaultSuffix) = 0;
    // Shows the calendar filter window modally on `filter`; false when it was closed by its
    // close box (a cancel), true after "Valider".
    virtual bool editCalendarFilter(CalendarFilter& filter) = 0;
    // An open dialog that takes several files (`filter` as in "Archives (*.zip *.csv)"); empty
    // when cancelled (the default: a person who cannot be asked).
    virtual QStringList askOpenFileNames(const QString& /*title*/, const QString& /*filter*/) { return {}; }
    // A question answered by one of `buttons` (their captions, left to right): the index of the
    // button chosen. Closing the question without choosing chooses the last button; -1 when
    // nobody can be asked (the default).
    virtual int choose(const QString& /*title*/, const QString& /*text*/, const QStringList& /*buttons*/) { return -1; }
    // Hands a document or an address to the desktop's viewer; false when none took it.
    virtual bool openUrl(const QUrl& /*url*/) { return false; }
    // Today's date (a seam so tests can fix the clock).
    virtual QDate today() const { return QDate::currentDate(); }
};
