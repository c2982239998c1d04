// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ReportSteps.h"

#include "output/Report.h"
#include "shell/History.h"
#include "shell/OutputCommands.h"
#include "shell/ReportArea.h"
#include "shell/StateChanges.h"
#include "shell/Study.h"
#include "shell/UserInterface.h"
#include "shell/WindowFields.h"
#include "stats/NumberStats.h"

CommandOutcome ReportSteps::show(const Report& report)
{
    m_area.apply(report);
    return report.exported ? wordpad() : CommandOutcome::done();
}

void ReportSteps::showBusy(const QString& status)
{
    m_area.showBusy(status);
}

void ReportSteps::hideBusy()
{
    m_area.hideBusy();
}

void ReportSteps::calcul()
{
    const History& s = m_draws;
    const Hourglass hourglass(*this);
    showBusy(QStringLiteral("CALCUL"));
    m_study.count(s.matrix());
}

CommandOutcome ReportSteps::wordpad()
{
    if (!m_window.exportEnabled())
        return CommandOutcome::done();
    const QString name = m_ui.askSaveFileName(QStringLiteral("Sauvegarde"), QStringLiteral("txt"));
    if (name.isEmpty())
        return CommandOutcome::done();
    return m_output.exportReport(name);
}

void ReportSteps::beginWait()
{
    if (m_waitDepth++ == 0)
        m_changes.changed(StatePart::CursorPart);
}

void ReportSteps::endWait()
{
    if (--m_waitDepth == 0)
        m_changes.changed(StatePart::CursorPart);
}
