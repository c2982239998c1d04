// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GuiApp.h"

#include "gui/DialogUi.h"
#include "support/WindowFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QTimer>

namespace {

QStringList filesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

// Its own program: the user's configuration folder must be set before anything reads it.
TEST(GuiAppDemoTest, ADemonstrationRunsInATemporaryFolderAndLeavesTheUserConfigurationUntouched)
{
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());

    TestSupport::ScriptedUi scripted;
    GuiApp app(&scripted, &scripted);
    QString error;
    ASSERT_TRUE(app.start(GuiApp::parseArguments({QStringLiteral("tiravol"), QStringLiteral("--demo")}), &error))
        << error.toStdString();
    EXPECT_TRUE(app.dataFolder().startsWith(QDir::tempPath()));
    EXPECT_TRUE(QFile::exists(app.dataFolder() + QStringLiteral("/Tirages_keno.txt")));
    EXPECT_TRUE(app.window()->windowTitle().endsWith(QStringLiteral(" (démonstration)")));
    QApplication::processEvents(); // start-up runs from the event loop
    EXPECT_GT(app.workspace()->drawCount(), 0);

    // The export's save dialog, cancelled: Qt's file dialog keeps its state in the settings.
    DialogUi dialogs(app.window());
    QTimer::singleShot(0, qApp, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_TRUE(dialogs.askSaveFileName(QStringLiteral("Sauvegarde"), QStringLiteral("txt")).isEmpty());

    EXPECT_EQ(filesUnder(config.path()), QStringList());
    // It went to the demonstration's own folder instead.
    EXPECT_EQ(filesUnder(app.dataFolder()).filter(QStringLiteral("/QtProject.conf")).size(), 1);
}

} // namespace
