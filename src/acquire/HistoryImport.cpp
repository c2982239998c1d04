// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/HistoryImport.h"

#include "history/MultiplierFile.h"
#include "output/Plural.h"

namespace HistoryImport {

namespace {

// Why an archive read whole brings nothing: what became of its rows.
QString nothingNewReason(const Outcome& outcome)
{
    const ArchiveImport::Result& archive = outcome.archive;
    const ArchiveCheck::Result& checked = outcome.checked;
    if (archive.rows == 0)
        return QStringLiteral("L'archive ne contient aucun tirage.");
    QStringList parts;
    if (checked.known > 0)
        parts << QStringLiteral("%1 déjà dans l'historique")
                     .arg(Plural::count(checked.known, QStringLiteral("tirage"), QStringLiteral("tirages")));
    if (archive.skipped > 0)
        parts << Plural::count(archive.skipped, QStringLiteral("ligne ignorée"), QStringLiteral("lignes ignorées"));
    if (checked.refused() > 0)
        parts << ArchiveCheck::refusalSummary(checked);
    return QStringLiteral("L'archive n'apporte aucun tirage nouveau (%1).").arg(parts.join(QStringLiteral(", ")));
}

} // namespace

Outcome run(const QString& archivePath, const DrawList& history, const QDate& today,
            const ArchiveImport::PasswordPrompt& askPassword, const ArchiveImport::ImportProgress& progress)
{
    Outcome outcome;
    outcome.archive = ArchiveImport::convertArchive(archivePath, askPassword, progress, history.formulaId());
    if (!outcome.archive.csvRead) {
        outcome.failure = outcome.archive.extractionMessages.join(QLatin1Char('\n'));
        if (outcome.failure.isEmpty())
            outcome.failure = QStringLiteral("L'archive n'a pas pu être lue.");
        return outcome;
    }
    outcome.checked = ArchiveCheck::check(history, outcome.archive.lines, outcome.archive.lineNumbers, today);
    for (int index : std::as_const(outcome.checked.indices))
        outcome.multipliers << outcome.archive.multipliers.value(index);
    QStringList heldLines;
    QList<std::optional<int>> heldMultipliers;
    for (int index : std::as_const(outcome.checked.held)) {
        heldLines << outcome.archive.lines.value(index);
        heldMultipliers << outcome.archive.multipliers.value(index);
    }
    MultiplierFile::take(outcome.held, heldLines, heldMultipliers);
    if (outcome.checked.lines.isEmpty()) {
        outcome.nothingNew = true;
        outcome.failure = nothingNewReason(outcome);
    }
    return outcome;
}

} // namespace HistoryImport
