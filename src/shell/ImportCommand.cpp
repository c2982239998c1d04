// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ImportCommand.h"

#include "acquire/ArchiveCheck.h"
#include "acquire/ArchiveImport.h"
#include "acquire/ArchiveSource.h"
#include "acquire/FolderOwner.h"
#include "acquire/HistoryImport.h"
#include "history/MultiplierFile.h"
#include "shell/Jobs.h"
#include "shell/ListCommands.h"
#include "shell/Messages.h"
#include "shell/RankingCommands.h"
#include "shell/ReportSteps.h"
#include "shell/Settings.h"
#include "shell/StateChanges.h"
#include "shell/Study.h"
#include "shell/UserInterface.h"
#include "shell/WorkspaceConfig.h"
#include "shell/WorkspaceState.h"

#include <QDir>
#include <algorithm>
#include <memory>
#include <utility>

namespace {

// "Import de l'archive : 18 tirages importés, aucune ligne ignorée, 2 déjà dans l'historique, ..."
QString summaryLine(const ArchiveImport::Result& result, const ArchiveCheck::Result& checked, int filled)
{
    QStringList parts{Messages::count(checked.lines.size(), QStringLiteral("tirage importé"), QStringLiteral("tirages importés")),
                      result.skipped == 0
                          ? QStringLiteral("aucune ligne ignorée")
                          : Messages::count(result.skipped, QStringLiteral("ligne ignorée"), QStringLiteral("lignes ignorées"))};
    if (checked.known > 0)
        parts << QStringLiteral("%1 déjà dans l'historique").arg(checked.known);
    if (checked.refused() > 0)
        parts << ArchiveCheck::refusalSummary(checked);
    if (filled > 0)
        parts << Messages::count(filled, QStringLiteral("multiplicateur repris"), QStringLiteral("multiplicateurs repris"))
                + QStringLiteral(" pour des tirages qui n'en avaient pas");
    return QStringLiteral("Import de l'archive : %1.").arg(parts.join(QStringLiteral(", ")));
}

// The one sentence that refuses an archive of the other game, or why the archive of a game still
// drawn brings nothing, not even a multiplier (`filled`); empty when the import went through. The
// classic game's archive no longer grows: its reload takes it whole, as it always has.
QString failureOf(const HistoryImport::Outcome& imported, const Formula& game, int filled)
{
    if (!imported.archive.wrongGame.isEmpty())
        return imported.archive.wrongGame;
    if (imported.nothingNew && !game.lastDay.isValid() && filled == 0)
        return imported.failure;
    return {};
}

} // namespace

void ImportCommand::importArchive(OutcomeThen then, std::function<void()> beforeAsking)
{
    m_beforeAsking = std::move(beforeAsking);
    const WorkspaceConfig& config = m_config;
    // The hourglass stays until the import has ended, wherever the download runs.
    auto hourglass = std::make_shared<Hourglass>(m_steps);
    Settings settings(m_config.settingsFile(), !config.readOnlySettings);
    m_archiveUrl = config.archiveUrlOverride.isEmpty() ? settings.archiveUrl(m_config.game()) : config.archiveUrlOverride;
    m_jobs.showProgress(0, 100);

    const QString archivePath = QDir(config.dataFolder).filePath(ArchiveImport::archiveName(config.formula));
    m_lastImport = ImportOutcome{};
    m_lastImport.attempted = true;
    auto fetch = std::make_shared<Fetch>();
    Job job;
    job.run = [this, source = m_source, url = m_archiveUrl, archivePath, fetch](JobContext& context) {
        source->setCancelFlag(context.cancelFlag());
        int shown = -2;
        fetch->fetched = source->fetch(
            url, archivePath,
            [this, &context, &shown](qint64 received, qint64 total) {
                const int value = total > 0 ? static_cast<int>(received * 1000 / total) : -1;
                if (value == shown)
                    return;
                shown = value;
                // A busy bar while the size is unknown.
                context.post([this, value] { m_jobs.showProgress(std::max(0, value), value < 0 ? 0 : 1000); });
                context.progress(QString(), value < 0 ? 0.0 : value / 1000.0);
            },
            &fetch->error);
        fetch->cancelled = source->wasCancelled();
        source->setCancelFlag(nullptr);
    };
    job.finish = [this, fetch, hourglass = std::move(hourglass), then = std::move(then)]() mutable {
        const CommandOutcome outcome = afterFetch(*fetch);
        hourglass.reset();
        then(outcome);
    };
    m_jobs.start(std::move(job));
}

CommandOutcome ImportCommand::afterFetch(const Fetch& fetch)
{
    History& s = m_draws;
    m_lastImport.fetched = fetch.fetched;
    m_lastImport.error = fetch.error;
    if (!fetch.fetched)
        m_jobs.hideProgress();
    CommandOutcome outcome;
    if (fetch.fetched) {
        outcome = appendArchive();
    } else if (!fetch.cancelled) {
        outcome = askAddress(fetch.error);
    } else {
        // Stopped by the person: nothing to tell, the list stays the base history.
        outcome = CommandOutcome::failed(QString());
        outcome.stopped = true;
    }
    m_beforeAsking = {}; // this download's question, if any, is behind it
    m_study.wholeList(s.itemCount());
    m_steps.calcul();
    m_rankings.srti();
    return outcome;
}

CommandOutcome ImportCommand::askAddress(const QString& error)
{
    const WorkspaceConfig& config = m_config;
    Settings settings(m_config.settingsFile(), !config.readOnlySettings);
    // Why it failed is told under the question, so correcting the address stays one step.
    QString prompt = QStringLiteral("Sur le site FDesJeux");
    if (!error.isEmpty())
        prompt += QStringLiteral("\n\n") + error;
    if (const auto tell = std::exchange(m_beforeAsking, {}))
        tell();
    const auto answer = m_ui.askText(QStringLiteral("Telechargement echoué vérifiez l'adresse"), prompt, m_archiveUrl);
    m_archiveUrl = answer.value_or(QString());
    CommandOutcome outcome = CommandOutcome::failed(error);
    outcome.asked = true;
    // The corrected address is kept for the next imports too.
    if (!m_archiveUrl.trimmed().isEmpty() && config.archiveUrlOverride.isEmpty()
        && !settings.setArchiveUrl(m_archiveUrl, m_config.game()) && !settings.lastError().isEmpty())
        outcome.tell(settings.lastError() + QStringLiteral("\nL'adresse corrigée sert jusqu'à la fermeture du programme."));
    return outcome;
}

CommandOutcome ImportCommand::appendArchive()
{
    History& s = m_draws;
    QString ownerError;
    const QString archivePath = QDir(m_config.dataFolder).filePath(ArchiveImport::archiveName(m_config.formula));
    FolderOwner::adopt(archivePath, &ownerError);
    // Only what the history lacks, of its own game, in the order of the dates, up to today.
    const HistoryImport::Outcome imported = HistoryImport::run(
        archivePath, s.fullHistory(), m_ui.today(),
        [this]() -> std::optional<QString> {
            return m_ui.askText(Messages::kTitle, QStringLiteral("Please Enter The Password!"), QString());
        },
        [this](int value, int maximum) { m_jobs.showProgress(value, maximum); });
    const ArchiveImport::Result& result = imported.archive;
    const ArchiveCheck::Result& checked = imported.checked;
    m_jobs.hideProgress();
    ImportOutcome& outcome = m_lastImport;
    outcome.csvRead = result.csvRead;
    outcome.imported = static_cast<int>(checked.lines.size());
    outcome.skipped = result.skipped;
    if (!result.csvRead)
        outcome.error = result.extractionMessages.join(QLatin1Char('\n'));
    DrawList draws = s.fullHistory();
    draws.reserve(draws.drawCount() + static_cast<int>(checked.lines.size()));
    for (const QString& line : checked.lines)
        draws.append(line);
    MultiplierFile::take(s.multipliers(), checked.lines, imported.multipliers);
    const int known = s.multipliers().size();
    s.multipliers().fill(imported.held);
    const int filled = s.multipliers().size() - known;
    s.setDraws(std::move(draws));
    const CommandOutcome shown = m_list.selectItem(s.itemCount() - 1);
    m_window.drawsCounted(s.itemCount() - 1);
    m_changes.changed(StatePart::ListPart | StatePart::CountersPart);

    outcome.summary = result.csvRead ? summaryLine(result, checked, filled) : QStringLiteral("L'archive n'a pas pu être lue.");
    if (const QString failure = failureOf(imported, m_config.game(), filled); !failure.isEmpty()) {
        outcome.error = failure;
        outcome.broughtNothing = result.csvRead;
        QStringList details = result.reasons + checked.reasons;
        if (!ownerError.isEmpty())
            details << ownerError;
        CommandOutcome failed = CommandOutcome::failed((QStringList{failure} + details).join(QLatin1Char('\n')));
        failed.skipped = result.skipped;
        return failed.after(shown);
    }
    return toldOutcome(outcome, result, checked, ownerError).after(shown);
}

CommandOutcome ImportCommand::toldOutcome(const ImportOutcome& import, const ArchiveImport::Result& result,
                                          const ArchiveCheck::Result& checked, const QString& ownerError)
{
    CommandOutcome outcome;
    outcome.archivesRead = result.csvRead ? 1 : 0;
    outcome.imported = import.imported;
    outcome.skipped = import.skipped;
    outcome.known = checked.known;
    outcome.refusedDraws = checked.refused();
    // Only what the person must know: rows left out, or an archive that could not be read.
    if (result.skipped == 0 && result.csvRead && checked.known == 0 && checked.refused() == 0 && ownerError.isEmpty()) {
        outcome.summary = import.summary;
        return outcome;
    }
    QStringList details = result.extractionMessages;
    details << result.reasons << checked.reasons;
    if (!ownerError.isEmpty())
        details << ownerError;
    const QString text
        = details.isEmpty() ? import.summary : import.summary + QLatin1Char('\n') + details.join(QLatin1Char('\n'));
    if (!result.csvRead) {
        CommandOutcome failed = CommandOutcome::failed(text);
        failed.skipped = outcome.skipped;
        return failed;
    }
    outcome.tell(text);
    return outcome;
}
