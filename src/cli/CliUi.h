// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/UserInterface.h"

#include <QStringList>
#include <QTextStream>
#include <functional>

// The questions answered from the command line; the companion never waits for an answer.
class CliUi : public UserInterface {
public:
    explicit CliUi(QTextStream& err) : m_err(err) { }
    std::function<void(CalendarFilter&)> applyFilter;

    // Nothing is ever given up without being asked for on the command line: a command whose
    // option answers its question sets confirmAnswer; otherwise the question is shown and refused.
    std::optional<bool> confirmAnswer;
    bool confirm(const QString& text, const QString&) override
    {
        if (confirmAnswer)
            return *confirmAnswer;
        m_err << text << '\n' << Qt::flush;
        return false;
    }
    // The answers of the input boxes, given on the command line, in the order they are asked.
    QStringList answers;
    std::optional<QString> askText(const QString&, const QString&, const QString&) override
    {
        if (answers.isEmpty())
            return std::nullopt;
        return answers.takeFirst();
    }
    QString askSaveFileName(const QString&, const QString&) override { return {}; }
    bool editCalendarFilter(CalendarFilter& filter) override
    {
        if (applyFilter)
            applyFilter(filter);
        return true;
    }
    // The companion takes its files on the command line and opens no viewer.
    QStringList askOpenFileNames(const QString&, const QString&) override { return {}; }
    bool openUrl(const QUrl&) override { return false; }

private:
    QTextStream& m_err;
};
