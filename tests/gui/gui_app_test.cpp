// The window program's set-up: the application, the demonstration and the connection check it uses.
#include "gui/ConnectionCheck.h"
#include "gui/GuiApp.h"
#include "gui/MainWindow.h"

#include "shell/Workspace.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(GuiAppSetUpTest, StandardButtonsReadInFrench)
{
    GuiApp::setUpApplication();
    GuiApp::setUpApplication(); // once is enough; twice changes nothing
    QMessageBox box(QMessageBox::Question, QStringLiteral("Tiravol"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Oui"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Non"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuler"));
}

TEST(GuiAppTest, DemonstrationRunsInATemporaryFolder)
{
    TestSupport::ScriptedUi ui;
    GuiApp app(&ui);
    const GuiApp::Options options = GuiApp::parseArguments({QStringLiteral("tiravol"), QStringLiteral("--demo")});
    QString error;
    ASSERT_TRUE(app.start(options, &error)) << error.toStdString();
    EXPECT_TRUE(app.dataFolder().startsWith(QDir::tempPath()));
    EXPECT_TRUE(QFile::exists(app.dataFolder() + QStringLiteral("/Tirages_keno.txt")));
    EXPECT_TRUE(app.window()->windowTitle().endsWith(QStringLiteral(" (démonstration)")));
    QApplication::processEvents(); // start-up runs from the event loop
    EXPECT_GT(app.workspace()->drawCount(), 0);
}

TEST(ConnectionCheckTest, OnLineOnlyWithAnInterfaceUpBeyondItsOwnLink)
{
    using I = ConnectionCheck::Interface;
    const I loopback{true, true, true, 1};
    const I cableUnplugged{true, false, false, 1};
    const I down{false, false, false, 1};
    const I linkLocalOnly{true, true, false, 0};
    const I connected{true, true, false, 1};
    EXPECT_FALSE(ConnectionCheck::mayBeOnline({}, false));
    EXPECT_FALSE(ConnectionCheck::mayBeOnline({loopback, cableUnplugged, down, linkLocalOnly}, false));
    EXPECT_TRUE(ConnectionCheck::mayBeOnline({loopback, connected}, false));
    EXPECT_FALSE(ConnectionCheck::mayBeOnline({loopback, connected}, true)); // the backend knows better
}

} // namespace
