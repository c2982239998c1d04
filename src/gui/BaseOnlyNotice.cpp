// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/BaseOnlyNotice.h"

#include "shell/CommandUnits.h"
#include "shell/ImportCommand.h"
#include "shell/Workspace.h"

namespace {

QString reasonOf(const ImportOutcome& import)
{
    if (!import.attempted)
        return QStringLiteral("l'archive n'a pas été téléchargée");
    // The first line, without the technical detail in brackets: the status bar has one line.
    QString error = import.error.section(QLatin1Char('\n'), 0, 0).trimmed();
    const qsizetype detail = error.indexOf(QStringLiteral(" ("));
    if (detail > 0)
        error.truncate(detail);
    if (!import.fetched)
        return error.isEmpty() ? QStringLiteral("le téléchargement a échoué") : error;
    return error.isEmpty() ? QStringLiteral("l'archive n'a pas pu être lue") : error;
}

} // namespace

bool BaseOnlyNotice::update(const Workspace& ws)
{
    // During a download the list is the base history on its way to being completed.
    if (ws.units().jobs.running())
        return false;
    const QString oldDate = m_lastDate, oldReason = m_reason;
    const ImportOutcome& import = ws.lastImport();
    switch (ws.listOrigin()) {
    case ListOrigin::Working:
        m_lastDate.clear();
        m_reason.clear();
        m_details.clear();
        break;
    case ListOrigin::BaseWithArchive:
        if (import.attempted && import.fetched && import.csvRead) {
            m_lastDate.clear();
            m_reason.clear();
            m_details.clear();
        } else {
            m_lastDate = ws.state().itemDate(ws.drawCount() - 1);
            m_reason = reasonOf(import);
            m_details = import.error.trimmed();
        }
        break;
    case ListOrigin::Filtered: // a filter made from that list hides the same history: kept
        break;
    }
    return m_lastDate != oldDate || m_reason != oldReason;
}

QString BaseOnlyNotice::titleSuffix() const
{
    if (!active())
        return {};
    return QStringLiteral(" — étude arrêtée au %1 : historique de base seul, l'archive n'a pas été ajoutée").arg(m_lastDate);
}

QString BaseOnlyNotice::statusText() const
{
    if (!active())
        return {};
    return QStringLiteral("Étude arrêtée au %1, historique de base seul : %2. « Charge Manuelle » relit tout l'historique.")
        .arg(m_lastDate, m_reason);
}
