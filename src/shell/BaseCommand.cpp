#include "shell/BaseCommand.h"

#include "acquire/BaseBuilder.h"
#include "shell/HistoryCommands.h"
#include "shell/Messages.h"
#include "shell/RankingCommands.h"
#include "shell/UserInterface.h"
#include "shell/Workspace.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kTitle = QStringLiteral("Construire l'historique");

} // namespace

void BaseCommand::construireHistorique()
{
    WorkspaceState& s = m_ctx.state;
    const QStringList archives = m_ctx.ui.askOpenFileNames(QStringLiteral("Archives des résultats"),
                                                           QStringLiteral("Archives des résultats (*.zip *.csv *.ZIP *.CSV)"));
    if (archives.isEmpty())
        return;

    BaseBuilder::Result result;
    {
        const Hourglass hourglass(m_ctx);
        s.progress = Progress{true, static_cast<int>(archives.size()), 0};
        m_ctx.changed(Workspace::ProgressPart);
        result = BaseBuilder::collect(archives, [this](int value, int maximum) {
            m_ctx.state.progress.maximum = maximum;
            m_ctx.state.progress.value = value;
            m_ctx.changed(Workspace::ProgressPart);
        });
        s.progress.visible = false;
        m_ctx.changed(Workspace::ProgressPart);
    }
    const QString summary = result.summary().join(QLatin1Char('\n'));

    if (result.lines.isEmpty()) {
        m_ctx.ui.message(QStringLiteral("Aucun tirage n'a pu être lu : rien n'a été écrit.\n\n") + summary, kTitle);
        return;
    }
    if (!result.conflicts.isEmpty()) {
        m_ctx.ui.message(QStringLiteral("Des archives ne donnent pas les mêmes numéros pour un même tirage : rien n'a été "
                                        "écrit. Retirez l'archive fautive et recommencez.\n\n")
                             + summary,
                         kTitle);
        return;
    }

    const QString existing = BaseBuilder::existingHistory(m_ctx.config.dataFolder);
    if (!existing.isEmpty()
        && !m_ctx.ui.confirm(
            QStringLiteral("Un historique existe déjà :\n%1\nLe remplacer par les %2 ?")
                .arg(QDir::toNativeSeparators(existing),
                     Messages::count(result.lines.size(), QStringLiteral("tirage lu"), QStringLiteral("tirages lus"))),
            kTitle))
        return;

    BaseBuilder::WriteOptions options;
    options.replace = true; // asked just above, or nothing to replace
    QString error;
    if (!BaseBuilder::write(result, m_ctx.config.dataFolder, options, &error)) {
        m_ctx.ui.message(QStringLiteral("L'historique n'a pas été écrit : ") + error, kTitle);
        return;
    }

    // The list now comes from the new working history; a correction of the old one is gone.
    s.unsavedCorrection = false;
    m_ctx.history->chargeManuelle();
    m_ctx.rankings->srti();
    m_ctx.ui.message(QStringLiteral("L'historique a été construit.\n\n") + summary, kTitle);
}
