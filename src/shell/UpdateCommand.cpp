// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/UpdateCommand.h"

#include "acquire/HistoryImport.h"
#include "history/HistoryFile.h"
#include "history/MultiplierFile.h"
#include "shell/FolderLock.h"
#include "shell/History.h"
#include "shell/HistoryCommands.h"
#include "shell/ListCommands.h"
#include "shell/RankingCommands.h"
#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/Study.h"
#include "shell/UserInterface.h"
#include "shell/WindowFields.h"
#include "shell/WorkspaceConfig.h"

namespace {

UpdateCommand::Result failed(const QString& why)
{
    UpdateCommand::Result result;
    result.failure = why;
    return result;
}

UpdateCommand::Result took(int added, const CommandOutcome& saved)
{
    UpdateCommand::Result result;
    result.added = added;
    result.saved = saved;
    return result;
}

// An archive that does not hold the awaited draw yet is no failure: the update tries again.
UpdateCommand::Result refusal(const HistoryImport::Outcome& imported)
{
    return failed(imported.nothingNew ? QString() : imported.failure);
}

} // namespace

bool UpdateCommand::listTakes(FormulaId game) const
{
    const History& s = m_draws;
    // A list that failed to load, or a base merged with an archive, may lack draws of the file.
    return game == s.formulaId() && s.unreadHistory().isEmpty()
        && (s.origin() == ListOrigin::Working || s.origin() == ListOrigin::Filtered);
}

QString UpdateCommand::workingFile(FormulaId game) const
{
    return game == m_config.formula ? m_config.workingHistoryFile() : HistoryFile::workingPath(m_config.dataFolder, game);
}

UpdateCommand::Result UpdateCommand::importFetched(const QString& archivePath, FormulaId game)
{
    return listTakes(game) ? intoList(archivePath) : intoFile(archivePath, game);
}

QString UpdateCommand::newestDraw(FormulaId game) const
{
    if (listTakes(game)) {
        const DrawList& draws = m_draws.fullHistory();
        return draws.text(draws.drawCount() - 1);
    }
    const HistoryFile::ListReadResult onDisk = HistoryFile::readList(workingFile(game), game);
    return onDisk.list.text(onDisk.list.drawCount() - 1);
}

UpdateCommand::Result UpdateCommand::intoList(const QString& archivePath)
{
    History& s = m_draws;
    const HistoryImport::Outcome imported = HistoryImport::run(archivePath, s.fullHistory(), m_ui.today());
    s.multipliers().fill(imported.held);
    if (!imported.ok()) {
        Result refused = refusal(imported);
        refused.saved = m_history.keepMultipliers(imported.held);
        return refused;
    }
    DrawList draws = s.fullHistory();
    for (const QString& line : imported.checked.lines)
        draws.append(line);
    MultiplierFile::take(s.multipliers(), imported.checked.lines, imported.multipliers);
    const int added = static_cast<int>(imported.checked.lines.size());
    // A filtered list stays as the player asked; the history it hides grows.
    if (s.origin() == ListOrigin::Filtered) {
        s.grow(std::move(draws));
        Result result = took(added, m_history.sauve());
        m_changes.changed(StatePart::MenuPart);
        return result;
    }
    // A new draw being typed follows the empty line down; any other selection stays.
    const bool onEmptyLine = s.selected() == s.itemCount() - 1;
    s.setDraws(std::move(draws));
    const CommandOutcome shown = onEmptyLine ? m_list.selectItem(s.itemCount() - 1) : CommandOutcome::done();
    m_window.drawsCounted(s.itemCount() - 1);
    m_changes.changed(StatePart::ListPart | StatePart::CountersPart | StatePart::MenuPart);
    // The save is the one of a draw typed in: locked, checked against the file, atomic.
    Result result = took(added, m_history.sauve().after(shown));
    if (result.saved.isDone())
        s.setSavedLineCount(s.itemCount());
    // As after a download: the whole history studied and ranked by appearances.
    m_study.wholeList(s.itemCount());
    m_steps.calcul();
    m_rankings.srti();
    return result;
}

UpdateCommand::Result UpdateCommand::intoFile(const QString& archivePath, FormulaId game)
{
    const QString path = workingFile(game);
    const HeldLock lock(m_lock);
    if (!lock.held())
        return failed(m_lock.refusal());
    HistoryFile::ListReadResult onDisk = HistoryFile::readList(path, game);
    // Part of a history must never pass for all of it.
    if (onDisk.failed)
        return failed(onDisk.error);
    DrawList history = std::move(onDisk.list);
    history.setFormula(game);
    const HistoryImport::Outcome imported = HistoryImport::run(archivePath, history, m_ui.today());
    History& s = m_draws;
    QString error;
    if (!imported.ok()) {
        // The archive's multipliers of the draws the file holds are kept, even with none new.
        if (!MultiplierFile::addMissing(path, game, imported.held, &error))
            return failed(error);
        if (game == s.formulaId())
            s.multipliers().fill(imported.held);
        return refusal(imported);
    }
    for (const QString& line : imported.checked.lines)
        history.append(line);
    Multipliers brought;
    MultiplierFile::take(brought, imported.checked.lines, imported.multipliers);
    const QByteArray bytes = history.toCrlfBytes();
    if (!MultiplierFile::writeWithHistory(path, history, bytes, brought, &error, imported.held))
        return failed(error);
    // The window's own list of this game was read from the file as it was: this write is no
    // other program's change.
    if (game == s.formulaId()) {
        MultiplierFile::take(s.multipliers(), imported.checked.lines, imported.multipliers);
        s.multipliers().fill(imported.held);
        s.workingFileRewritten(onDisk.digest, HistoryFile::digest(bytes));
    }
    Result result = took(static_cast<int>(imported.checked.lines.size()), {});
    brought.fill(imported.held);
    result.fileMultipliers = brought.forItems(history);
    result.file = std::move(history);
    return result;
}
