#include "shell/BaseCommand.h"

#include "acquire/BaseBuilder.h"
#include "shell/HistoryCommands.h"
#include "shell/Messages.h"
#include "shell/RankingCommands.h"
#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/UserInterface.h"
#include "shell/WorkspaceConfig.h"
#include "shell/WorkspaceState.h"

#include <QDir>
#include <QFileInfo>

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

    BaseBuilder::Result result;
    {
        const Hourglass hourglass(m_steps);
        s.progress = Progress{true, static_cast<int>(archives.size()), 0};
        m_changes.changed(StatePart::ProgressPart);
        result = BaseBuilder::collect(archives, [this](int value, int maximum) {
            m_state.progress.maximum = maximum;
            m_state.progress.value = value;
            m_changes.changed(StatePart::ProgressPart);
        });
        s.progress.visible = false;
        m_changes.changed(StatePart::ProgressPart);
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
