// SPDX-License-Identifier: GPL-3.0-or-later
// Showing a report: the export step only when the report ends with it, and what it came to returned.
#include "shell/ReportSteps.h"

#include "output/Report.h"
#include "shell/OutputCommands.h"
#include "shell/ReportArea.h"
#include "shell/StateChanges.h"
#include "shell/Study.h"
#include "shell/WorkspaceConfig.h"
#include "shell/WorkspaceState.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace TestSupport;

namespace {

class ReportStepsTest : public ::testing::Test {
protected:
    ReportStepsTest()
    {
        m_config.dataFolder = m_folder.filePath(QStringLiteral("data"));
        m_state.window.enableExport(true);
    }
    QString target() const { return m_folder.filePath(QStringLiteral("rapport.txt")); }
    Report oneLine(bool exported) const
    {
        Report report = Report::addedTitle(QStringLiteral("Cotes du Keno"));
        report.resultat = ReportList::replacedBy({QStringLiteral("ligne")});
        report.exported = exported;
        return report;
    }

    QTemporaryDir m_folder;
    WorkspaceConfig m_config;
    WorkspaceState m_state;
    Study m_study;
    ScriptedUi m_ui;
    unsigned m_parts = 0;
    StateChanges m_changes{[this](unsigned parts) { m_parts |= parts; }};
    ReportArea m_area{m_changes};
    OutputCommands m_output{m_state.window, m_area, m_config, m_ui, m_changes};
    ReportSteps m_steps{m_state.history, m_state.window, m_study, m_area, m_ui, m_changes, m_output};
};

TEST_F(ReportStepsTest, TheExportStepRunsOnlyWhenTheReportEndsWithIt)
{
    m_ui.saveNames.push_back(target());
    EXPECT_TRUE(m_steps.show(oneLine(false)).isDone());
    EXPECT_EQ(m_ui.saveNames.size(), 1u); // nobody was asked for a file
    EXPECT_FALSE(QFile::exists(target()));
    EXPECT_EQ(m_area.model().resultat.lines, QStringList{QStringLiteral("ligne")});

    EXPECT_TRUE(m_steps.show(oneLine(true)).isDone());
    EXPECT_TRUE(m_ui.saveNames.empty());
    EXPECT_EQ(readFile(target()), crlf({QStringLiteral("Cotes du Keno"), QStringLiteral("ligne")}));
}

TEST_F(ReportStepsTest, AnExportThatCannotBeWrittenIsWhatTheReportComesTo)
{
    // A folder where the file should be: nothing can be written there.
    ASSERT_TRUE(QDir(m_folder.path()).mkdir(QStringLiteral("rapport.txt")));
    m_ui.saveNames.push_back(target());
    const CommandOutcome outcome = m_steps.show(oneLine(true));
    EXPECT_FALSE(outcome.isDone());
    EXPECT_TRUE(outcome.reason.contains(target())) << outcome.reason.toStdString();
    EXPECT_TRUE(m_ui.messages.empty()); // returned, not shown: the program shows it its way
    EXPECT_EQ(m_area.model().resultat.lines, QStringList{QStringLiteral("ligne")});
}

TEST_F(ReportStepsTest, TheExportStepAsksNothingWhileExportIsOff)
{
    m_state.window.enableExport(false);
    m_ui.saveNames.push_back(target());
    EXPECT_TRUE(m_steps.show(oneLine(true)).isDone());
    EXPECT_EQ(m_ui.saveNames.size(), 1u);
    EXPECT_FALSE(QFile::exists(target()));
}

TEST_F(ReportStepsTest, TheBusyIndicatorIsAnnouncedOnlyWhenTheReportMovesIt)
{
    (void)m_steps.show(oneLine(false));
    EXPECT_EQ(m_parts, unsigned(StatePart::ReportPart));

    m_parts = 0;
    Report shown = oneLine(false);
    shown.busy = Report::Busy::Shown;
    shown.status = QStringLiteral("SORTIES");
    (void)m_steps.show(shown);
    EXPECT_EQ(m_parts, unsigned(StatePart::ReportPart | StatePart::BusyPart));
    EXPECT_TRUE(m_area.model().busy);
}

} // namespace
