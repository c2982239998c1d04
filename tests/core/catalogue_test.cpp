// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue of commands: every row reachable where it is declared, and every command wired
// to its own report.
#include "support/TestSupport.h"

#include "shell/Catalogue.h"
#include "shell/CommandUnits.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

using Catalogue::Entry;

TEST(Catalogue, EveryRowIsReachableAndEveryNameTakenOnce)
{
    QSet<QString> menus, cliNames, actions;
    for (const Catalogue::Menu& m : Catalogue::menus())
        menus << m.name;
    for (const Entry& e : Catalogue::entries())
        if (e.kind == Entry::Kind::Submenu)
            menus << e.objectName;
    for (const Entry& e : Catalogue::entries()) {
        const QString what = e.objectName + QLatin1Char('/') + e.cliName;
        // A row in no menu and without a command-line name would be unreachable.
        EXPECT_TRUE(e.menu.isEmpty() ? e.onCommandLine() : menus.contains(e.menu)) << what.toStdString();
        if (e.onCommandLine()) {
            EXPECT_FALSE(cliNames.contains(e.cliName)) << what.toStdString();
            cliNames << e.cliName;
            EXPECT_NE(e.cliStyle, Catalogue::CliStyle::None) << what.toStdString();
            EXPECT_LE(e.leastArguments(), e.mostArguments()) << what.toStdString();
        }
        if (e.kind == Entry::Kind::Command || (e.kind == Entry::Kind::Submenu && !e.items.isEmpty())) {
            EXPECT_NE(e.handler, nullptr) << what.toStdString();
        }
        if (!e.menu.isEmpty() && !e.isSeparator()) {
            EXPECT_FALSE(actions.contains(e.objectName)) << what.toStdString();
            actions << e.objectName;
        }
        EXPECT_EQ(Catalogue::findCli(e.cliName) == &e, e.onCommandLine()) << what.toStdString();
    }
}

// What the command line types for a preset is exactly one of the window's items.
TEST(Catalogue, PresetArgumentsMapOntoTheMenuItems)
{
    int presets = 0;
    for (const Entry& e : Catalogue::entries()) {
        if (e.items.isEmpty())
            continue;
        ++presets;
        QSet<int> items, typed;
        for (const auto& item : e.items)
            items << item.second;
        ASSERT_NE(e.preset.toIndex, nullptr) << e.cliName.toStdString();
        for (int v = e.preset.low; v <= e.preset.high; ++v)
            typed << e.preset.toIndex(v);
        EXPECT_EQ(typed, items) << e.cliName.toStdString();
        EXPECT_EQ(e.items.size(), e.preset.high - e.preset.low + 1) << e.cliName.toStdString();
    }
    EXPECT_EQ(presets, 2);
}

class CatalogueHandlers : public TestSupport::WorkspaceFixture { };

// Two commands wired to one report would export the same lines: each report command of the
// period exports its own.
TEST_F(CatalogueHandlers, EachReportCommandShowsItsOwnReport)
{
    start(TestSupport::makeHistory(60));
    QHash<QStringList, QString> seen; // exported lines → command
    for (const Entry& e : Catalogue::entries()) {
        if (e.cliStyle != Catalogue::CliStyle::Report || e.reads != Catalogue::ReadsPeriod)
            continue;
        e.handler(m_ws->units(), 0);
        const QStringList lines = report().exportLines();
        EXPECT_GT(lines.size(), 1) << e.cliName.toStdString();
        EXPECT_FALSE(seen.contains(lines)) << e.cliName.toStdString() << " and " << seen.value(lines).toStdString();
        seen.insert(lines, e.cliName);
    }
    EXPECT_GE(seen.size(), 9);
}

} // namespace
