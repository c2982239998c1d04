// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ReportSteps.h"

#include "shell/OutputCommands.h"
#include "shell/StateChanges.h"
#include "shell/UserInterface.h"
#include "shell/WorkspaceState.h"
#include "stats/NumberStats.h"

void ReportSteps::showBusy(const QString& status)
{
    ReportModel& report = m_state.report;
    report.status = status;
    report.busy = true;
    m_changes.changed(StatePart::BusyPart | StatePart::ReportPart);
}

void ReportSteps::hideBusy()
{
    m_state.report.busy = false;
    m_changes.changed(StatePart::BusyPart);
}

void ReportSteps::calcul()
{
    WorkspaceState& s = m_state;
    const Hourglass hourglass(*this);
    showBusy(QStringLiteral("CALCUL"));
    s.matrix.resize(s.itemCount() + 1);
    s.stats = computeStats(s.matrix, s.period);
    s.statsValid = true;
}

void ReportSteps::wordpad()
{
    if (!m_state.exportEnabled)
        return;
    const QString name = m_ui.askSaveFileName(QStringLiteral("Sauvegarde"), QStringLiteral("txt"));
    if (name.isEmpty())
        return;
    // The step may end a walk after its job: its refusal is announced, not returned.
    const CommandOutcome exported = m_output.exportReport(name);
    if (!exported.isDone() && m_announce)
        m_announce(exported);
}

void ReportSteps::beginWait()
{
    if (m_state.waitDepth++ == 0)
        m_changes.changed(StatePart::CursorPart);
}

void ReportSteps::endWait()
{
    if (--m_state.waitDepth == 0)
        m_changes.changed(StatePart::CursorPart);
}
