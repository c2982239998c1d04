// SPDX-License-Identifier: GPL-3.0-or-later
// The game played: chosen from the window, kept in the settings, each with its own histories.
#include "shell/CommandUnits.h"
#include "shell/FirstRunCommand.h"
#include "shell/Settings.h"
#include "shell/Workspace.h"
#include "support/CurrentGameHistory.h"
#include "support/TestSupport.h"

#include <QDir>
#include <algorithm>

using namespace TestSupport;

namespace {

// Evening draws of the sixteen-of-fifty-six game from 03/11/2025.
QStringList currentHistory(int count, unsigned seed = 3u)
{
    return CurrentGameHistory::make(count, seed).lines;
}

class WorkspaceGameTest : public WorkspaceFixture {
protected:
    const QStringList classic = makeHistory(40);
    const QStringList current = currentHistory(30);

    void writeClassic() const
    {
        writeFile(working(), crlf(classic));
        writeFile(dataFile("Tirages.txt"), crlf(classic));
    }
    void writeCurrent() const
    {
        writeFile(dataFile("Tirages_keno_16-56.txt"), crlf(current));
        writeFile(dataFile("Tirages_16-56.txt"), crlf(current));
    }
    // The window's Workspace: the game comes from the settings.
    std::unique_ptr<Workspace> open(bool offerFirstRun = false)
    {
        WorkspaceConfig c = config();
        c.gameFromSettings = true;
        c.offerFirstRun = offerFirstRun;
        auto ws = std::make_unique<Workspace>(c, &m_ui);
        ws->startUp();
        return ws;
    }
    QString ini() const { return Settings::iniPath(m_config.path()); }
    // A correction of a draw in the middle of the list: only a save writes it.
    static void correct(Workspace& ws, int index)
    {
        ws.units().list.clickListe(index);
        for (int n = 1; n <= 20; ++n)
            ws.units().grid.setCheck(n, true);
        ws.units().entry.validateEntry();
        ASSERT_TRUE(ws.hasUnsavedCorrection());
    }
    static int ticked(const Workspace& ws) { return static_cast<int>(std::count(ws.checks().begin(), ws.checks().end(), true)); }
};

} // namespace

TEST_F(WorkspaceGameTest, ChoosingTheOtherGameSavesTheListThenLoadsAndRanksItsOwnHistory)
{
    // A player of the classic game who never chose one goes on with it; its address key stays.
    writeClassic();
    writeFile(ini(), "[URL]\nFileFdesjeux=https://mine.fr/a.zip\n");
    auto ws = open();
    EXPECT_EQ(ws->game().id, FormulaId::Keno20of70);
    EXPECT_TRUE(ws->windowTitle().endsWith(QStringLiteral(" — Keno 20 sur 70"))) << ws->windowTitle().toStdString();
    EXPECT_EQ(std::pair(ws->report().resultat.count(), ws->report().resultat2.count()), std::pair(36, 36));
    correct(*ws, 5);
    const QStringList corrected = ws->state().drawLines();
    ASSERT_NE(corrected, classic);

    writeCurrent();
    EXPECT_TRUE(ws->chooseGame(FormulaId::Keno16of56).isDone());
    // The correction was saved as at exit; the other game's history is the list, ranked.
    EXPECT_EQ(readFile(working()), crlf(corrected));
    EXPECT_EQ(ws->state().drawLines(), current);
    EXPECT_EQ(ws->liste().formulaId(), FormulaId::Keno16of56);
    EXPECT_EQ(ws->matrix().formula().id, FormulaId::Keno16of56);
    EXPECT_TRUE(ws->windowTitle().endsWith(QStringLiteral(" — Keno 16 sur 56")));
    EXPECT_EQ(ws->report().title, QStringLiteral("Classement par sorties au ") + current.last().left(10));
    EXPECT_EQ(std::pair(ws->report().resultat.count(), ws->report().resultat2.count()), std::pair(29, 29));
    EXPECT_EQ(ws->archiveUrl(), Formula::current().defaultArchiveUrl);
    EXPECT_EQ(readFile(ini()).toStdString(),
              "[Jeu]\nFormule=16-56\n\n[URL]\nFileFdesjeux=https://mine.fr/a.zip\nFileFdesjeux16-56="
                  + Formula::current().defaultArchiveUrl.toStdString() + "\n");

    // The grid has the game's boxes: "Tout cocher" ticks 56, a draw is 16 of them.
    ws->units().grid.toutCocher();
    EXPECT_EQ(ticked(*ws), 56);
    EXPECT_FALSE(ws->okEnabled());
    ws->units().grid.untickAll();
    for (int n = 41; n <= 56; ++n)
        ws->units().grid.setCheck(n, true);
    ws->units().grid.setCheck(57, true);
    EXPECT_EQ(ticked(*ws), 16);
    EXPECT_TRUE(ws->okEnabled());

    // The next start plays the game chosen; choosing the classic one again brings its list back.
    ws = open();
    EXPECT_EQ(ws->game().id, FormulaId::Keno16of56);
    EXPECT_EQ(ws->state().drawLines(), current);
    EXPECT_TRUE(ws->chooseGame(FormulaId::Keno20of70).isDone());
    EXPECT_EQ(ws->state().drawLines(), corrected);
    EXPECT_EQ(ws->archiveUrl(), QStringLiteral("https://mine.fr/a.zip"));
    EXPECT_EQ(Settings(ini(), false).game(), FormulaId::Keno20of70);
}

TEST_F(WorkspaceGameTest, AListThatCannotBeSavedKeepsTheGame)
{
    writeClassic();
    writeCurrent();
    writeFile(ini(), "[Jeu]\nFormule=20-70\n");
    auto ws = open();
    correct(*ws, 5);
    const QStringList corrected = ws->state().drawLines();
    const QByteArray iniBefore = readFile(ini());
    {
        const FileSizeLimit full(1024);
        const CommandOutcome outcome = ws->chooseGame(FormulaId::Keno16of56);
        EXPECT_FALSE(outcome.isDone());
        EXPECT_EQ(
            outcome.reason,
            QStringLiteral("L'historique de travail n'a pas été enregistré : le jeu reste « Keno 20 sur 70 (1993–2025) »."));
    }
    EXPECT_EQ(ws->game().id, FormulaId::Keno20of70);
    EXPECT_EQ(ws->state().drawLines(), corrected);
    EXPECT_EQ(readFile(working()), crlf(classic));
    EXPECT_EQ(readFile(ini()), iniBefore);
    // Once the disk takes it, the switch goes through.
    EXPECT_TRUE(ws->chooseGame(FormulaId::Keno16of56).isDone());
    EXPECT_EQ(readFile(working()), crlf(corrected));
}

TEST_F(WorkspaceGameTest, ANewPlayerStartsOnTheGamePlayedToday)
{
    m_ui.choiceAnswers = {FirstRunCommand::EmptyList};
    auto ws = open(true);
    EXPECT_EQ(ws->game().id, FormulaId::Keno16of56);
    ASSERT_EQ(m_ui.choiceTexts.size(), 1);
    const QString question = m_ui.choiceTexts[0];
    const qsizetype played = question.indexOf(Formula::current().name), other = question.indexOf(Formula::classic().name);
    EXPECT_TRUE(played > 0 && other > played) << question.toStdString();
    EXPECT_TRUE(ws->windowTitle().endsWith(QStringLiteral(" — Keno 16 sur 56")));

    // A folder that holds the new game's history alone is no first run.
    writeCurrent();
    m_ui = {};
    ws = open(true);
    EXPECT_TRUE(m_ui.choiceTexts.isEmpty());
    EXPECT_EQ(ws->state().drawLines(), current);
}

TEST_F(WorkspaceGameTest, ArchivesOfTheOtherGameNeverBuildThisGamesHistory)
{
    QTemporaryDir archives;
    const QString archive = archives.filePath(QStringLiteral("keno_202010.csv"));
    writeFile(archive, operatorCsv(classic));
    WorkspaceConfig c = config();
    c.formula = FormulaId::Keno16of56;
    auto ws = std::make_unique<Workspace>(c, &m_ui);
    ws->startUp();
    const HistoryBuild refused = ws->buildHistory({archive});
    // The archive is read as the game built: refused whole, its one sentence in the summary.
    EXPECT_EQ(refused.status, HistoryBuild::Status::NothingRead);
    EXPECT_TRUE(refused.summary.join(u'\n').contains(
        QStringLiteral("Cette archive est celle du Keno 20 sur 70 ; l'historique ouvert est celui du Keno 16 sur 56.")))
        << refused.summary.join(u'\n').toStdString();
    EXPECT_TRUE(QDir(m_data.path()).entryList(QDir::Files).isEmpty());

    // Their own game takes them.
    c.formula = FormulaId::Keno20of70;
    ws = std::make_unique<Workspace>(c, &m_ui);
    ws->startUp();
    EXPECT_EQ(ws->buildHistory({archive}).status, HistoryBuild::Status::Built);
    EXPECT_EQ(readFile(working()), crlf(classic));
}

TEST_F(WorkspaceGameTest, ADrawTypedInFollowsItsGamesCalendarAndNeverOutlivesIt)
{
    // The new game: the draw after an evening is the next day's evening.
    writeCurrent();
    writeFile(ini(), "[Jeu]\nFormule=16-56\n");
    auto ws = open();
    ws->units().list.clickListe(ws->drawCount());
    for (int n = 41; n <= 56; ++n)
        ws->units().grid.setCheck(n, true);
    EXPECT_TRUE(ws->units().entry.validateEntry().isDone());
    const QString added = current.last().left(10) == QStringLiteral("02/12/2025") ? QStringLiteral("03/12/2025") : QString();
    ASSERT_EQ(added, QStringLiteral("03/12/2025"));
    EXPECT_EQ(ws->liste().text(ws->drawCount() - 1),
              added + QStringLiteral(" 41 42 43 44 45 46 47 48 49 50 51 52 53 54 55 56 soir"));

    // The classic game ended on 02/11/2025 evening: nothing may follow its last draw.
    QStringList ended = makeHistory(4, QDate(2025, 11, 1));
    ASSERT_TRUE(ended.last().startsWith(QStringLiteral("02/11/2025")) && ended.last().endsWith(QStringLiteral("soir")));
    writeFile(working(), crlf(ended));
    writeFile(dataFile("Tirages.txt"), crlf(ended));
    EXPECT_TRUE(ws->chooseGame(FormulaId::Keno20of70).isDone());
    ws->units().list.clickListe(ws->drawCount());
    for (int n = 1; n <= 20; ++n)
        ws->units().grid.setCheck(n, true);
    const CommandOutcome refused = ws->units().entry.validateEntry();
    EXPECT_EQ(refused.status, CommandOutcome::Status::Refused);
    EXPECT_TRUE(refused.reason.contains(QStringLiteral("a pris fin le 02/11/2025"))) << refused.reason.toStdString();
    EXPECT_EQ(ws->drawCount(), 4);
    EXPECT_EQ(readFile(working()), crlf(ended));
}

TEST_F(WorkspaceGameTest, TheWindowPlaysTheStakeChosenLastTheCommandLineItsOwn)
{
    writeClassic();
    writeFile(ini(), "[Jeu]\nFormule=20-70\nMise=3\nOptionMultiplicateur=1\n");
    auto ws = open();
    EXPECT_EQ(ws->stake(), (Stake{3, true}));
    EXPECT_TRUE(ws->setStake(Stake{10, false}, true).isDone());
    EXPECT_EQ(Settings(ini(), false).stake(), (Stake{10, false}));
    ws.reset();
    EXPECT_EQ(open()->stake(), (Stake{10, false}));

    // A Workspace that does not take the game from the settings plays 1 € alone until told.
    Workspace line(config(), &m_ui);
    line.startUp();
    EXPECT_EQ(line.stake(), Stake());
}

namespace {

class WorkspacePayTableTest : public WorkspaceFixture { };

TEST_F(WorkspacePayTableTest, TheTablesInForceAreTheSettingsCorrectionsAndABadOneIsToldAtStartUp)
{
    const QString ini = Settings::iniPath(m_config.path());
    writeFile(ini, "[Gains]\n20-70=\"3=0;1;2;10\"\n16-56=\"7=1;2\"\n");
    start(makeHistory(20));
    // Read before the start-up too: the commands without a history count with them.
    EXPECT_EQ(m_ws->payTables().of(FormulaId::Keno20of70).amount(3, 1), 1);
    EXPECT_TRUE(m_ws->payTables().isShipped(FormulaId::Keno16of56));
    const auto told = std::find_if(m_ui.messages.begin(), m_ui.messages.end(), [](const ScriptedUi::Message& m) {
        return m.text.startsWith(QStringLiteral("Réglage [Gains] 16-56 du fichier"));
    });
    ASSERT_NE(told, m_ui.messages.end());
    EXPECT_TRUE(told->text.contains(QStringLiteral("« 7=1;2 » donne 2 montants au lieu de 8")));

    // A correction is in force at once and kept for the next start.
    PayTable table = Formula::current().payTable;
    table.amounts[5][5] = 400;
    EXPECT_TRUE(m_ui.done(m_ws->setPayTable(FormulaId::Keno16of56, table)));
    EXPECT_EQ(m_ws->payTables().of(FormulaId::Keno16of56).amount(5, 5), 400);
    EXPECT_EQ(Workspace(config(), &m_ui).payTables().of(FormulaId::Keno16of56).amount(5, 5), 400);
}

} // namespace
