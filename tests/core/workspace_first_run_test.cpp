// SPDX-License-Identifier: GPL-3.0-or-later
// A data folder without any history: the question that leads a first run somewhere.
#include "history/DemoHistory.h"
#include "shell/CommandUnits.h"
#include "shell/FirstRunCommand.h"
#include "shell/Workspace.h"
#include "support/TestSupport.h"

#include <QDir>

using namespace TestSupport;

namespace {

const QString kIncomplete
    = QStringLiteral("la liste des tirages n'est pas complete ou a été modifiée\nveuillez recharger les titages");

class FirstRunTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString data = tmp.filePath(QStringLiteral("Documents")), working = data + QStringLiteral("/Tirages_keno.txt");
    QString archive = tmp.filePath(QStringLiteral("keno_202010.csv"));
    QStringList draws = makeHistory(12, QDate(2020, 10, 1));
    ScriptedUi ui;

    void SetUp() override { writeFile(archive, operatorCsv(draws)); }

    std::unique_ptr<Workspace> start(bool offer = true)
    {
        WorkspaceConfig config;
        config.dataFolder = data;
        config.appDataFolder = tmp.filePath(QStringLiteral("config"));
        config.offerFirstRun = offer;
        auto ws = std::make_unique<Workspace>(config, &ui);
        ui.watch(*ws);
        ui.show(ws->startUp());
        return ws;
    }
    QStringList dataFiles() const { return QDir(data).entryList(QDir::Files); }
};

} // namespace

TEST_F(FirstRunTest, AskedOnlyWithoutAnyHistoryAndAgainUntilAHistoryIsBuiltThenLoaded)
{
    // The command line does not offer it.
    auto ws = start(false);
    EXPECT_TRUE(ui.choiceTexts.isEmpty());

    // No archive chosen: the question comes back; going on leaves the empty list and its warnings.
    ui = {};
    ui.choiceAnswers = {FirstRunCommand::Build, FirstRunCommand::EmptyList};
    ws = start();
    ASSERT_EQ(ui.choiceTexts.size(), 2);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(contains(ui.messages[0].text, QStringLiteral("introuvable")));
    EXPECT_EQ(ui.messages[1].text, kIncomplete);
    EXPECT_EQ(ws->drawCount(), 0);
    EXPECT_TRUE(dataFiles().isEmpty());

    // Built from the question, the history it wrote is loaded.
    ui = {};
    ui.choiceAnswers = {FirstRunCommand::Build};
    ui.openNames = {{archive}};
    ws = start();
    EXPECT_EQ(ui.choiceTexts.size(), 1);
    EXPECT_EQ(ws->state().drawLines(), draws);
    EXPECT_EQ(readFile(working), crlf(draws));
    EXPECT_FALSE(ws->demonstration());
    EXPECT_EQ(ui.messages.back().text, kIncomplete); // a history of 2020 does not begin in 1993

    // A base history alone is a history: nothing is asked.
    ui = {};
    ASSERT_TRUE(QFile::remove(working));
    writeFile(data + QStringLiteral("/Tirages.txt"), crlf(draws));
    start();
    EXPECT_TRUE(ui.choiceTexts.isEmpty());
}

TEST_F(FirstRunTest, TheDemonstrationNeverWritesThePlayersFolderAndABuildEndsIt)
{
    ui.choiceAnswers = {FirstRunCommand::Demonstration};
    auto ws = start();
    const QStringList demo = DemoHistory::generate(ui.fixedToday.addDays(-1));
    ASSERT_TRUE(ws->demonstration());
    EXPECT_EQ(ws->state().drawLines(), demo);
    const QString title = QStringLiteral("tiravol Version ") + ws->versionText() + QStringLiteral(" — Keno 20 sur 70");
    EXPECT_EQ(ws->windowTitle(), title + QStringLiteral(" (démonstration)"));
    EXPECT_EQ(ui.messages.size(), 1u); // the missing file; a demonstration begins in 1993
    EXPECT_EQ(ws->report().title, QStringLiteral("Classement par sorties au ") + demo.last().left(10));

    // Saved where it came from, never into the player's folder.
    const QString demoFolder = ws->config().dataFolder;
    ASSERT_NE(demoFolder, data);
    EXPECT_TRUE(ui.done(ws->units().history.exitSave()));
    EXPECT_TRUE(dataFiles().isEmpty());

    // A cancelled build keeps the demonstration; a build writes the player's folder and ends it.
    ui.show(ws->construireHistorique());
    EXPECT_EQ(std::pair(ws->demonstration(), ws->config().dataFolder), std::pair(true, demoFolder));
    ui.openNames = {{archive}};
    ui.show(ws->construireHistorique());
    EXPECT_EQ(std::pair(ws->demonstration(), ws->config().dataFolder), std::pair(false, data));
    EXPECT_EQ(ws->state().drawLines(), draws);
    EXPECT_EQ(ws->windowTitle(), title);
    // The working history holds every draw; the base only those older than the newest archive.
    EXPECT_EQ(readFile(working), crlf(draws));
    EXPECT_FALSE(QFileInfo::exists(demoFolder));
    EXPECT_TRUE(ui.confirmTexts.isEmpty()); // the demonstration's files were not the player's history
}
