#include "shell/BaseCommand.h"

#include "acquire/BaseBuilder.h"
#include "shell/HistoryCommands.h"
#include "shell/Jobs.h"
#include "shell/Messages.h"
#include "shell/RankingCommands.h"
#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/UserInterface.h"
#include "shell/WorkspaceConfig.h"
#include "shell/WorkspaceState.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

namespace {

const QString kTitle = QStringLiteral("Construire l'historique");

} // namespace

void BaseCommand::construireHistorique()
{
    WorkspaceState& s = m_state;
    const QStringList archives = m_ui.askOpenFileNames(QStringLiteral("Archives des résultats"),
                                                       QStringLiteral("Archives des résultats (*.zip *.csv *.ZIP *.CSV)"));
    if (archives.isEmpty())
        return;

    // The archives are read as a job; the questions and the writing come after, here.
    auto hourglass = std::make_shared<Hourglass>(m_steps);
    s.progress = Progress{true, static_cast<int>(archives.size()), 0};
    m_changes.changed(StatePart::ProgressPart);
    auto result = std::make_shared<BaseBuilder::Result>();
    Job job;
    job.run = [this, archives, result](JobContext& context) {
        *result = BaseBuilder::collect(
            archives,
            [this, &context](int value, int maximum) {
                context.post([this, value, maximum] {
                    m_state.progress.maximum = maximum;
                    m_state.progress.value = value;
                    m_changes.changed(StatePart::ProgressPart);
                });
                context.progress(QString(), maximum > 0 ? double(value) / maximum : 0.0);
            },
            context.cancelFlag());
    };
    job.finish = [this, result, hourglass = std::move(hourglass)]() mutable {
        hourglass.reset();
        m_state.progress.visible = false;
        m_changes.changed(StatePart::ProgressPart);
        writeHistories(*result);
    };
    m_jobs.start(std::move(job));
}

void BaseCommand::writeHistories(const BaseBuilder::Result& result)
{
    WorkspaceState& s = m_state;
    if (result.stopped) {
        m_ui.message(QStringLiteral("Construction interrompue : rien n'a été écrit."), kTitle);
        return;
    }
    const QString summary = result.summary().join(QLatin1Char('\n'));

    if (result.lines.isEmpty()) {
        m_ui.message(QStringLiteral("Aucun tirage n'a pu être lu : rien n'a été écrit.\n\n") + summary, kTitle);
        return;
    }
    if (!result.conflicts.isEmpty()) {
        m_ui.message(QStringLiteral("Des archives ne donnent pas les mêmes numéros pour un même tirage : rien n'a été "
                                    "écrit. Retirez l'archive fautive et recommencez.\n\n")
                         + summary,
                     kTitle);
        return;
    }

    const QString existing = BaseBuilder::existingHistory(m_config.dataFolder);
    if (!existing.isEmpty()
        && !m_ui.confirm(
            QStringLiteral("Un historique existe déjà :\n%1\nLe remplacer par les %2 ?")
                .arg(QDir::toNativeSeparators(existing),
                     Messages::count(result.lines.size(), QStringLiteral("tirage lu"), QStringLiteral("tirages lus"))),
            kTitle))
        return;

    BaseBuilder::WriteOptions options;
    options.replace = true; // asked just above, or nothing to replace
    QString error;
    if (!BaseBuilder::write(result, m_config.dataFolder, options, &error)) {
        m_ui.message(QStringLiteral("L'historique n'a pas été écrit : ") + error, kTitle);
        return;
    }

    // The list now comes from the new working history; a correction of the old one is gone.
    s.unsavedCorrection = false;
    m_history.chargeManuelle();
    m_rankings.srti();
    m_ui.message(QStringLiteral("L'historique a été construit.\n\n") + summary, kTitle);
}
