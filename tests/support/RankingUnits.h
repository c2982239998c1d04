// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The units a ranking runs on, wired as the workspace wires them, for the tests of the units that
// show one (the rankings themselves, a click on the draw list).
#include "forecast/CriteriaRanges.h"
#include "shell/OutputCommands.h"
#include "shell/RankingCommands.h"
#include "shell/ReportArea.h"
#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/Study.h"
#include "shell/WorkspaceConfig.h"
#include "shell/WorkspaceState.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

class RankingUnitsTest : public ::testing::Test {
protected:
    RankingUnitsTest() { m_config.dataFolder = m_folder.filePath(QStringLiteral("data")); }

    QTemporaryDir m_folder;
    WorkspaceConfig m_config;
    WorkspaceState m_state;
    Study m_study;
    TestSupport::ScriptedUi m_ui;
    StateChanges m_changes{[](unsigned) {}};
    ReportArea m_area{m_changes};
    OutputCommands m_output{m_state.window, m_area, m_config, m_ui, m_changes};
    ReportSteps m_steps{m_state.history, m_state.window, m_study, m_area, m_ui, m_changes, m_output};
    CriteriaRanges m_criteria;
    RankingCommands m_rankings{m_state.history, m_study, m_criteria, m_changes, m_steps};
};
