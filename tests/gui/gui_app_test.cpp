// SPDX-License-Identifier: GPL-3.0-or-later
// The window program's set-up: the application's French texts, one window per data folder.
#include "gui/GuiApp.h"
#include "shell/Settings.h"

#include "gui/MainWindow.h"
#include "support/TestSupport.h"

#include <QFile>
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

GuiApp::Options onFolder(const QString& folder)
{
    return GuiApp::parseArguments({QStringLiteral("tiravol"), QStringLiteral("--data-dir"), folder});
}

TEST(GuiAppInstanceTest, ASecondWindowOnTheSameFolderBringsTheFirstForwardInstead)
{
    QTemporaryDir config, data, other;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    // No test reaches the operator: the automatic update stays off.
    TestSupport::writeFile(Settings::iniPath(config.path()), "[Jeu]\nMiseAJourAuto=0\n");
    for (const QTemporaryDir* dir : {&data, &other})
        TestSupport::writeFile(dir->filePath(QStringLiteral("Tirages_keno.txt")),
                               TestSupport::crlf(TestSupport::makeHistory(20)));
    TestSupport::ScriptedUi firstUi, secondUi, otherUi;
    GuiApp first(&firstUi, &firstUi);
    QString error;
    ASSERT_TRUE(first.start(onFolder(data.path()), &error)) << error.toStdString();
    first.window()->showMinimized();
    ASSERT_TRUE(first.window()->isMinimized());

    // Named through a link to the same folder: still the same folder.
    const QString alias = config.filePath(QStringLiteral("lien"));
    ASSERT_TRUE(QFile::link(data.path(), alias));
    GuiApp second(&secondUi, &secondUi);
    EXPECT_FALSE(second.start(onFolder(alias + QStringLiteral("/")), &error));
    EXPECT_TRUE(second.forwarded());
    EXPECT_EQ(second.window(), nullptr);
    ASSERT_EQ(secondUi.messages.size(), 1u);
    EXPECT_TRUE(secondUi.messages[0].text.startsWith(QStringLiteral("Tiravol est déjà ouvert sur le dossier « ")));
    EXPECT_TRUE(TestSupport::waitFor([&] { return !first.window()->isMinimized(); }));

    // Another folder is another window.
    GuiApp third(&otherUi, &otherUi);
    EXPECT_TRUE(third.start(onFolder(other.path()), &error)) << error.toStdString();
    EXPECT_FALSE(third.forwarded());
    ASSERT_NE(third.window(), nullptr);
}

} // namespace
