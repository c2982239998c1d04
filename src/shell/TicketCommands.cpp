// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TicketCommands.h"

#include "chance/TicketsFile.h"
#include "chance/TicketsReport.h"
#include "output/Report.h"
#include "shell/DataFolderLock.h"
#include "shell/FolderLock.h"
#include "shell/History.h"
#include "shell/JobRunner.h"
#include "shell/Jobs.h"
#include "shell/Play.h"
#include "shell/ReportSteps.h"
#include "shell/Study.h"
#include "shell/WorkspaceConfig.h"

#include <QDir>
#include <algorithm>
#include <memory>

namespace {

const QString kTitle = QStringLiteral("Mes grilles");

// What "Mes grilles" is worked out from, copied for its job.
struct MesGrillesInput {
    std::vector<Ticket> tickets;
    DrawList draws;
    std::vector<int> perItem;
    PayTable table;
    int first = 0;
    int last = -1;
};

// The lock of the folder of the tickets file: the history's own lock when both lie in one
// folder (a command may hold it already), else that folder's, which --history sets apart.
class TicketsFolderHeld {
public:
    TicketsFolderHeld(FolderLock& history, const QString& file)
    {
        const QString folder = DataFolderLock::folderFor(file);
        if (folder == history.folder()) {
            m_shared = &history;
            m_held = history.acquire();
        } else {
            m_own = std::make_unique<DataFolderLock>(folder, history.waitMs());
            m_held = m_own->acquire();
        }
    }
    ~TicketsFolderHeld()
    {
        if (m_held && m_shared)
            m_shared->release();
        else if (m_held)
            m_own->release();
    }
    TicketsFolderHeld(const TicketsFolderHeld&) = delete;
    TicketsFolderHeld& operator=(const TicketsFolderHeld&) = delete;
    bool held() const { return m_held; }
    QString refusal() const { return m_shared ? m_shared->refusal() : m_own->refusal(); }

private:
    FolderLock* m_shared = nullptr;
    std::unique_ptr<DataFolderLock> m_own;
    bool m_held = false;
};

} // namespace

QString TicketCommands::filePath() const
{
    return QDir(m_config.dataFolder).filePath(QString::fromLatin1(TicketsFile::kFileName));
}

CommandOutcome TicketCommands::read(std::vector<Ticket>* tickets) const
{
    TicketsFile file = TicketsFile::read(filePath());
    if (!file.error.isEmpty())
        return CommandOutcome::failed(file.error);
    *tickets = std::move(file.tickets);
    return CommandOutcome::done();
}

const DrawList& TicketCommands::list() const
{
    return m_history.fullHistory();
}

std::vector<int> TicketCommands::multipliers() const
{
    return m_history.multipliers().forItems(list());
}

const PayTable& TicketCommands::table(FormulaId game) const
{
    return m_play.payTables().of(game);
}

bool TicketCommands::write(const std::vector<Ticket>& tickets, QString* error) const
{
    return TicketsFile::write(filePath(), tickets, error);
}

CommandOutcome TicketCommands::mesGrilles()
{
    std::vector<Ticket> tickets;
    if (CommandOutcome outcome = read(&tickets); !outcome.isDone())
        return outcome;
    const auto [first, last] = playedItems();
    // Copies: the job may run on another thread while the history changes.
    auto input = std::make_shared<const MesGrillesInput>(
        MesGrillesInput{std::move(tickets), list(), multipliers(), table(list().formulaId()), first, last});
    auto lines = std::make_shared<QStringList>();
    auto hourglass = std::make_shared<Hourglass>(m_steps);
    m_jobs.showProgress(0, 0);
    Job job;
    job.run = [input, lines](JobContext& context) {
        *lines = TicketsReport::lines(input->tickets, input->draws, input->perItem, input->table, input->first, input->last);
        if (context.cancelFlag() && context.cancelFlag()->load())
            lines->clear();
    };
    job.finish = [this, lines, hourglass = std::move(hourglass)]() mutable {
        m_jobs.hideProgress();
        // Stopped: the report shown before stays.
        if (!lines->isEmpty())
            m_jobs.late(m_steps.show(Report::ownLines(kTitle, *lines)));
        hourglass.reset();
    };
    m_jobs.start(std::move(job));
    return CommandOutcome::done();
}

std::pair<int, int> TicketCommands::playedItems() const
{
    const DrawList& shown = m_history.list();
    const DrawList& all = list();
    StudyPeriod period = m_study.period();
    period.first = std::max(period.first, 0);
    period.last = std::min(period.last, shown.drawCount() - 1);
    if (period.last < period.first)
        period = StudyPeriod{0, shown.drawCount() - 1};
    if (&shown == &all || period.last < period.first)
        return {period.first, period.last};
    // The filter hid draws the tickets were played on: the whole days it shows count.
    const QDate from = shown.date(period.first);
    const QDate to = shown.date(period.last);
    int first = 0;
    while (first < all.drawCount() && from.isValid() && all.date(first) < from)
        ++first;
    int last = all.drawCount() - 1;
    while (last >= first && to.isValid() && !(all.date(last).isValid() && all.date(last) <= to))
        --last;
    return {first, last};
}

CommandOutcome TicketCommands::rewrite(const std::function<CommandOutcome(std::vector<Ticket>&)>& edit)
{
    const TicketsFolderHeld held(m_lock, filePath());
    if (!held.held())
        return CommandOutcome::refused(held.refusal());
    std::vector<Ticket> tickets;
    if (CommandOutcome outcome = read(&tickets); !outcome.isDone())
        return outcome;
    const CommandOutcome edited = edit(tickets);
    if (!edited.isDone())
        return edited;
    QString error;
    if (!write(tickets, &error))
        return CommandOutcome::failed(error);
    return edited;
}

CommandOutcome TicketCommands::add(const Ticket& ticket)
{
    if (const QString fault = ticket.fault(); !fault.isEmpty())
        return CommandOutcome::refused(QStringLiteral("La grille ne peut pas être enregistrée : ") + fault);
    return rewrite([&ticket](std::vector<Ticket>& tickets) {
        const auto same = [&ticket](const Ticket& t) { return t.name.compare(ticket.name, Qt::CaseInsensitive) == 0; };
        if (std::any_of(tickets.begin(), tickets.end(), same))
            return CommandOutcome::refused(QStringLiteral("Une grille s'appelle déjà « %1 »").arg(ticket.name));
        tickets.push_back(ticket);
        return CommandOutcome::told(Notice{QStringLiteral("La grille « %1 » est enregistrée.").arg(ticket.name)});
    });
}

CommandOutcome TicketCommands::remove(const QString& name)
{
    return rewrite([&name](std::vector<Ticket>& tickets) {
        const auto same = [&name](const Ticket& t) { return t.name.compare(name, Qt::CaseInsensitive) == 0; };
        const auto found = std::find_if(tickets.begin(), tickets.end(), same);
        if (found == tickets.end())
            return CommandOutcome::refused(QStringLiteral("Aucune grille ne s'appelle « %1 »").arg(name));
        // Told as the player wrote it, whatever the case the name was typed in.
        const QString kept = found->name;
        tickets.erase(found);
        return CommandOutcome::told(Notice{QStringLiteral("La grille « %1 » est supprimée.").arg(kept)});
    });
}

CommandOutcome TicketCommands::end(const QString& name, const DrawTime& last)
{
    const FormulaId studied = list().formulaId();
    return rewrite([&name, &last, studied](std::vector<Ticket>& tickets) {
        const auto same = [&name](const Ticket& t) { return t.name.compare(name, Qt::CaseInsensitive) == 0; };
        const auto found = std::find_if(tickets.begin(), tickets.end(), same);
        if (found == tickets.end())
            return CommandOutcome::refused(QStringLiteral("Aucune grille ne s'appelle « %1 »").arg(name));
        const Formula& game = found->game();
        // The draw given is one of the studied game's: its slot means nothing in another game.
        if (found->formula != studied)
            return CommandOutcome::refused(
                QStringLiteral("La grille « %1 » est jouée au %2, qui n'est pas le jeu étudié").arg(found->name, game.name));
        if (!last.isValid())
            return CommandOutcome::refused(
                QStringLiteral("La grille « %1 » ne peut pas finir : aucun tirage n'est donné").arg(found->name));
        if (last.key() < found->first.key())
            return CommandOutcome::refused(QStringLiteral("La grille « %1 » ne peut pas finir au tirage du %2 : elle est "
                                                          "jouée depuis le %3")
                                               .arg(found->name, last.text(game), found->first.text(game)));
        Ticket ended = *found;
        ended.last = last;
        if (const QString fault = ended.fault(); !fault.isEmpty())
            return CommandOutcome::refused(QStringLiteral("La grille « %1 » ne peut pas finir : ").arg(found->name) + fault);
        *found = ended;
        return CommandOutcome::told(
            Notice{QStringLiteral("La grille « %1 » est jouée jusqu'au tirage du %2.").arg(ended.name, last.text(game))});
    });
}

DrawTime TicketCommands::nextDraw(const QDateTime& now) const
{
    return DrawTime::next(list().formula(), newestDraw(), now);
}

DrawTime TicketCommands::newestDraw() const
{
    const DrawList& list = this->list();
    for (int i = list.drawCount() - 1; i >= 0; --i)
        if (list.date(i).isValid())
            return DrawTime{list.date(i), list.slotIndex(i)};
    return {};
}

void TicketCommands::tellWins(const DrawTime& since, CommandOutcome& outcome)
{
    // A history read for the first time brings no news: its old wins were known to nobody.
    if (!since.isValid())
        return;
    const DrawList& list = this->list();
    int first = list.drawCount();
    // An unreadable line sorts before every draw: the walk stops there.
    while (first > 0 && DrawTime{list.date(first - 1), list.slotIndex(first - 1)}.key() > since.key())
        --first;
    tellWins(list, multipliers(), first, outcome);
}

void TicketCommands::tellWins(const DrawList& draws, const std::vector<int>& perItem, int first, CommandOutcome& outcome)
{
    const QStringList lines = wins(draws, perItem, first, outcome);
    for (const QString& line : lines)
        outcome.tell(line);
    if (!lines.isEmpty() && m_onWins)
        m_onWins(lines);
}

QStringList TicketCommands::wins(const DrawList& draws, const std::vector<int>& perItem, int first, CommandOutcome& outcome)
{
    if (first <= 0 || first >= draws.drawCount())
        return {};
    const TicketsFile file = TicketsFile::read(filePath());
    // The import goes on; the player learns once that no win can be told until the file is mended.
    if (!file.error.isEmpty()) {
        if (!std::exchange(m_unreadSaid, true))
            outcome.tell(file.error + QStringLiteral("\nLes grilles gagnantes ne sont pas annoncées."));
        return {};
    }
    m_unreadSaid = false;
    return TicketsReport::announcements(file.tickets, draws, perItem, table(draws.formulaId()), first, draws.drawCount() - 1);
}

void TicketCommands::announcing(const std::function<void(OutcomeThen)>& command, OutcomeThen then)
{
    const DrawTime since = newestDraw();
    command([this, since, then = std::move(then)](CommandOutcome outcome) {
        tellWins(since, outcome);
        then(std::move(outcome));
    });
}
