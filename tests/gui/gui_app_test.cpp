#include "gui/GuiApp.h"

#include "gui/MainWindow.h"
#include "shell/AppPaths.h"
#include "shell/Workspace.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(GuiAppTest, ReadsItsOptions)
{
    const GuiApp::Options plain = GuiApp::parseArguments({QStringLiteral("tiravol")});
    EXPECT_FALSE(plain.demo);
    EXPECT_TRUE(plain.dataDir.isEmpty());
    const GuiApp::Options both =
        GuiApp::parseArguments({QStringLiteral("tiravol"), QStringLiteral("--demo"), QStringLiteral("--data-dir"), QStringLiteral("/x/y")});
    EXPECT_TRUE(both.demo);
    EXPECT_EQ(both.dataDir, QStringLiteral("/x/y"));
}

TEST(GuiAppTest, DemonstrationRunsOnAGeneratedHistoryInATemporaryFolder)
{
    TestSupport::ScriptedUi ui;
    GuiApp app(&ui);
    GuiApp::Options options;
    options.demo = true;
    QString error;
    ASSERT_TRUE(app.start(options, &error)) << error.toStdString();
    const QString folder = app.dataFolder();
    EXPECT_NE(QDir(folder).canonicalPath(), QDir(AppPaths::documentsFolder()).canonicalPath());
    EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("Tirages_keno.txt"))));
    EXPECT_TRUE(app.workspace()->config().appDataFolder.startsWith(folder));

    MainWindow* window = app.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral(" (démonstration)")));
    // Start-up waits for the event loop, so its messages come over the shown window.
    EXPECT_EQ(app.workspace()->drawCount(), 0);
    QApplication::processEvents();
    const int draws = app.workspace()->drawCount();
    EXPECT_GT(draws, 20000);
    EXPECT_EQ(window->findChild<QListWidget*>(QStringLiteral("Liste"))->count(), draws + 1);
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("lblAff"))->text().startsWith(QStringLiteral("Classement par sorties au ")));
    EXPECT_TRUE(ui.messages.empty() || ui.messages.front().text == QStringLiteral("Vous n'etes pas connecté à Internet"));

    window->close();
    EXPECT_FALSE(window->isVisible());
}

} // namespace
