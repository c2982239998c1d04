// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chance/Ticket.h"
#include "shell/CommandOutcome.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

class DrawList;
class History;
class Play;
class FolderLock;
class Jobs;
class ReportSteps;
class Study;
struct WorkspaceConfig;

// The player's tickets: "Mes grilles", adding, ending and removing a ticket (the tickets file is read
// whole before each and written atomically, the data folder locked in between so that another
// program's change is never lost), and the announcement of the tickets that won on
// the draws a command brought in.
class TicketCommands {
public:
    TicketCommands(const History& history, const Play& play, const Study& study, const WorkspaceConfig& config,
                   ReportSteps& steps, FolderLock& lock, Jobs& jobs)
        : m_history(history), m_play(play), m_study(study), m_config(config), m_steps(steps), m_lock(lock), m_jobs(jobs)
    {
    }

    QString filePath() const;
    // The tickets as the file holds them now; failed with the reason when it cannot be read.
    CommandOutcome read(std::vector<Ticket>* tickets) const;
    // "Mes grilles" over the study period, worked out as a job: the exact law of many tickets
    // over years of draws takes a while.
    CommandOutcome mesGrilles();
    CommandOutcome add(const Ticket& ticket);
    CommandOutcome remove(const QString& name);
    // Sets the last draw the ticket named `name` is played on; refused before its first draw.
    CommandOutcome end(const QString& name, const DrawTime& last);
    // The first draw a ticket added at `now` is played on: the next one of the studied game.
    DrawTime nextDraw(const QDateTime& now) const;

    // The newest draw of the whole history (a calendar filter hides none from the tickets): the
    // draws after it are new to the announcements.
    DrawTime newestDraw() const;
    // Adds to `outcome` the announcements of the draws of the whole history after `since`, and
    // hands them to the receiver of onWins (the window's status bar).
    void tellWins(const DrawTime& since, CommandOutcome& outcome);
    // The same for the draws of `draws` from item `first` on, `perItem` holding each item's
    // multiplier: another game's history, grown on disk by the automatic update. A history
    // that held no draw before (`first` 0) brings no news.
    void tellWins(const DrawList& draws, const std::vector<int>& perItem, int first, CommandOutcome& outcome);
    void onWins(std::function<void(const QStringList&)> receiver) { m_onWins = std::move(receiver); }
    // Runs `command` (which may hand its outcome on later) and adds to that outcome the
    // announcement of each ticket that won on a draw it brought in.
    void announcing(const std::function<void(OutcomeThen)>& command, OutcomeThen then);

private:
    // The whole history (a ticket is played on every draw, whatever a filter shows), each
    // draw's multiplier, and the pay table in force for a game: read here only.
    const DrawList& list() const;
    std::vector<int> multipliers() const;
    const PayTable& table(FormulaId game) const;
    // The items of the whole history "Mes grilles" counts: the study period's draws, or under a
    // calendar filter every draw from its first day to its last.
    std::pair<int, int> playedItems() const;
    // The announcements of items `first` on of `draws`; a tickets file that cannot be read is
    // said in `outcome`, once until it can be read again.
    QStringList wins(const DrawList& draws, const std::vector<int>& perItem, int first, CommandOutcome& outcome);
    bool write(const std::vector<Ticket>& tickets, QString* error) const;
    // Reads the tickets, lets `edit` change them or refuse, and writes them back, the data
    // folder locked from the read to the write; the outcome is edit's once written.
    CommandOutcome rewrite(const std::function<CommandOutcome(std::vector<Ticket>&)>& edit);

    const History& m_history;
    const Play& m_play;
    const Study& m_study;
    const WorkspaceConfig& m_config;
    ReportSteps& m_steps;
    FolderLock& m_lock;
    Jobs& m_jobs;
    std::function<void(const QStringList&)> m_onWins;
    bool m_unreadSaid = false;
};
