// SPDX-License-Identifier: GPL-3.0-or-later
// The game played brings in its own archive only: the import command, the automatic update's
// import and the manual entry of the 16-of-56 game, beside the classic game's files.
#include "acquire/LocalArchiveSource.h"
#include "history/DrawLine.h"
#include "shell/CommandUnits.h"
#include "shell/ImportCommand.h"
#include "shell/Settings.h"
#include "shell/Workspace.h"
#include "support/GameArchive.h"
#include "support/TestSupport.h"

using namespace TestSupport;

namespace {

class WorkspaceUpdateTest : public WorkspaceFixture {
protected:
    // Evenings from 25/11/2026 to 05/12/2026, the scripted today.
    const std::vector<GameArchive::Draw> m_draws = GameArchive::draws(11, QDate(2026, 11, 25));
    const QStringList lines = GameArchive::lines(m_draws);
    const QStringList classic = makeHistory(40);
    QTemporaryDir m_archives;
    LocalArchiveSource m_source;

    QString currentWorking() const { return dataFile("Tirages_keno_16-56.txt"); }
    QString currentBase() const { return dataFile("Tirages_16-56.txt"); }
    QString multipliersFile() const { return dataFile("Multiplicateurs_16-56.txt"); }
    // The lines of draws [from, to) as the file beside the history holds them.
    QByteArray multipliersOf(int from, int to) const
    {
        QByteArray bytes;
        for (int i = from; i < to; ++i)
            bytes += m_draws[static_cast<size_t>(i)].day.toString(QStringLiteral("dd/MM/yyyy")).toUtf8() + " soir x"
                + m_draws[static_cast<size_t>(i)].multiplier + "\r\n";
        return bytes;
    }
    void SetUp() override
    {
        writeFile(working(), crlf(classic));
        writeFile(dataFile("Tirages.txt"), crlf(classic));
        writeCurrent(6, 6);
    }
    void writeCurrent(int workingCount, int baseCount) const
    {
        writeFile(currentWorking(), crlf(lines.mid(0, workingCount)));
        writeFile(currentBase(), crlf(lines.mid(0, baseCount)));
    }
    // The new game's archive of its first `count` draws.
    QString currentArchive(int count) const
    {
        const QString path = m_archives.filePath(QStringLiteral("keno_%1.zip").arg(count));
        const std::vector<GameArchive::Draw> some(m_draws.begin(), m_draws.begin() + count);
        writeZip(path, {{"keno_202511.csv", GameArchive::csv(some)}});
        return path;
    }
    // The classic game's archive, its last draws of 2025.
    QString classicArchive() const
    {
        const QString path = m_archives.filePath(QStringLiteral("classique.zip"));
        writeZip(path, {{"keno_202010.csv", operatorCsv(makeHistory(8, QDate(2025, 10, 1)))}});
        return path;
    }
    std::unique_ptr<Workspace> open(FormulaId game, const QString& archive = {})
    {
        WorkspaceConfig c = config();
        c.formula = game;
        c.archiveUrlOverride = archive;
        auto ws = std::make_unique<Workspace>(c, &m_ui);
        ws->units().import.setSource(&m_source);
        // What the update's save comes to is shown as any command's outcome.
        QObject::connect(ws.get(), &Workspace::ended, ws.get(), [this](const CommandOutcome& o) { m_ui.show(o); });
        m_ui.show(ws->startUp());
        return ws;
    }
    // Every history file of both games, to see that nothing was written.
    QList<QByteArray> files() const
    {
        return {readFile(working()), readFile(dataFile("Tirages.txt")), readFile(currentWorking()), readFile(currentBase())};
    }
    QString lastMessage() const { return m_ui.messages.empty() ? QString() : m_ui.messages.back().text; }
    // The first seven numbers of draw `i`: seven of seven on it.
    QByteArray sevenOf(int i) const
    {
        QStringList seven;
        for (int k = 1; k <= 7; ++k)
            seven << QString::number(DrawLine::number(lines[i], k));
        return seven.join(u',').toUtf8();
    }
    // What `ws` hands to the status bar.
    static std::shared_ptr<QStringList> wins(Workspace& ws)
    {
        auto told = std::make_shared<QStringList>();
        QObject::connect(&ws, &Workspace::ticketsWon, &ws, [told](const QStringList& l) { *told += l; });
        return told;
    }
};

} // namespace

TEST_F(WorkspaceUpdateTest, TheNewGameImportsItsOwnArchiveAndRefusesTheOtherGamesWhole)
{
    auto ws = open(FormulaId::Keno16of56, currentArchive(10));
    m_ui.show(reload(*ws));
    EXPECT_TRUE(ws->lastImport().csvRead && !ws->lastImport().broughtNothing);
    EXPECT_EQ(ws->lastImport().imported, 4);
    EXPECT_EQ(ws->state().drawLines(), lines.mid(0, 10));
    EXPECT_EQ(readFile(currentWorking()), crlf(lines.mid(0, 10)));
    // Fetched under the game's own name; the classic game's archive and files are not touched.
    EXPECT_TRUE(QFileInfo::exists(dataFile("keno_16-56.zip")));
    EXPECT_FALSE(QFileInfo::exists(dataFile("keno_gagnant_a_vie.zip")));
    EXPECT_EQ(readFile(working()), crlf(classic));

    // The classic archive: one sentence, nothing read, nothing written.
    QList<QByteArray> before = files();
    m_ui.messages.clear();
    ws = open(FormulaId::Keno16of56, classicArchive());
    m_ui.show(reload(*ws));
    EXPECT_FALSE(ws->lastImport().csvRead);
    EXPECT_EQ(lastMessage(),
              QStringLiteral("Cette archive est celle du Keno 20 sur 70 ; l'historique ouvert est celui du Keno 16 sur 56."));
    EXPECT_EQ(files(), before);

    // An archive that brings nothing the history lacks is a failure that says why.
    writeCurrent(10, 10);
    before = files();
    ws = open(FormulaId::Keno16of56, currentArchive(10));
    m_ui.show(reload(*ws));
    EXPECT_TRUE(ws->lastImport().broughtNothing);
    EXPECT_EQ(ws->lastImport().error,
              QStringLiteral("L'archive n'apporte aucun tirage nouveau (10 tirages déjà dans l'historique)."));
    EXPECT_EQ(lastMessage(), ws->lastImport().error);
    EXPECT_EQ(files(), before);
    // Its multipliers go to the draws already kept all the same.
    EXPECT_EQ(readFile(multipliersFile()), multipliersOf(0, 10));

    // The other way round: the new game's archive is refused by the classic game.
    ws = open(FormulaId::Keno20of70, currentArchive(10));
    m_ui.show(reload(*ws));
    EXPECT_FALSE(ws->lastImport().csvRead);
    EXPECT_EQ(lastMessage(),
              QStringLiteral("Cette archive est celle du Keno 16 sur 56 ; l'historique ouvert est celui du Keno 20 sur 70."));
    EXPECT_EQ(ws->state().drawLines(), classic);
    EXPECT_EQ(files(), before);
}

// The classic game's archive no longer grows: its reload takes it whole, nothing new or not.
TEST_F(WorkspaceUpdateTest, TheClassicReloadOfAnArchiveWithNothingNewStaysASuccess)
{
    const QString path = m_archives.filePath(QStringLiteral("ancien.csv"));
    writeFile(path, operatorCsv(classic.mid(30)));
    auto ws = open(FormulaId::Keno20of70, path);
    m_ui.show(reload(*ws));
    EXPECT_TRUE(ws->lastImport().csvRead);
    EXPECT_FALSE(ws->lastImport().broughtNothing);
    EXPECT_TRUE(ws->lastImport().error.isEmpty());
    EXPECT_EQ(readFile(working()), crlf(classic));
}

// While the classic game is played, the new game's working history grows on disk alone; once
// that game is played, its list takes the draws, saved and ranked.
TEST_F(WorkspaceUpdateTest, TheAutomaticUpdateAddsToTheOtherGamesFileOrToTheListShown)
{
    auto ws = open(FormulaId::Keno20of70);
    const QByteArray base = readFile(currentBase());
    const UpdateCommand::Result first = ws->importUpdate(currentArchive(10), FormulaId::Keno16of56);
    EXPECT_EQ(first.added, 4);
    EXPECT_EQ(first.failure, QString());
    EXPECT_EQ(readFile(currentWorking()), crlf(lines.mid(0, 10)));
    EXPECT_EQ(readFile(currentBase()), base);
    // The draws the file held take the archive's multipliers with the new ones.
    EXPECT_EQ(readFile(multipliersFile()), multipliersOf(0, 10));
    EXPECT_EQ(ws->state().drawLines(), classic);
    EXPECT_EQ(readFile(working()), crlf(classic));
    EXPECT_EQ(ws->newestDraw(FormulaId::Keno16of56), lines[9]);

    // Nothing new yet is no failure, and gives back what the file beside lacks; the other
    // game's archive is one, and nothing is written.
    writeFile(multipliersFile(), multipliersOf(6, 10));
    const UpdateCommand::Result again = ws->importUpdate(currentArchive(10), FormulaId::Keno16of56);
    EXPECT_EQ(std::pair(again.added, again.failure), std::pair(0, QString()));
    EXPECT_EQ(readFile(multipliersFile()), multipliersOf(0, 10));
    const UpdateCommand::Result other = ws->importUpdate(classicArchive(), FormulaId::Keno16of56);
    EXPECT_EQ(other.added, 0);
    EXPECT_EQ(other.failure,
              QStringLiteral("Cette archive est celle du Keno 20 sur 70 ; l'historique ouvert est celui du Keno 16 sur 56."));
    EXPECT_EQ(readFile(currentWorking()), crlf(lines.mid(0, 10)));

    // The new game shown: nothing new gives the list and the file what they lack.
    writeFile(multipliersFile(), multipliersOf(6, 10));
    ASSERT_TRUE(ws->chooseGame(FormulaId::Keno16of56).isDone());
    const UpdateCommand::Result none = ws->importUpdate(currentArchive(10), FormulaId::Keno16of56);
    EXPECT_EQ(std::pair(none.added, none.failure), std::pair(0, QString()));
    EXPECT_EQ(readFile(multipliersFile()), multipliersOf(0, 10));
    EXPECT_EQ(ws->state().history.multipliers().size(), 10);

    // A new draw: the list grows, is saved and ranked; nothing asked, nothing said.
    m_ui.messages.clear();
    const UpdateCommand::Result shown = ws->importUpdate(currentArchive(11), FormulaId::Keno16of56);
    EXPECT_EQ(std::pair(shown.added, shown.failure), std::pair(1, QString()));
    EXPECT_EQ(ws->state().drawLines(), lines);
    EXPECT_EQ(ws->selectedIndex(), 11);
    EXPECT_EQ(readFile(currentWorking()), crlf(lines));
    EXPECT_EQ(readFile(multipliersFile()), multipliersOf(0, 11));
    EXPECT_EQ(ws->state().history.multipliers().size(), 11);
    EXPECT_EQ(ws->report().title, QStringLiteral("Classement par sorties au 05/12/2026"));
    EXPECT_EQ(ws->studyPeriod().last, 10);
    EXPECT_TRUE(m_ui.messages.empty()) << lastMessage().toStdString();
    EXPECT_TRUE(m_ui.confirmTexts.isEmpty());
    // The list and the file agree: the exit leaves the file as it is.
    EXPECT_TRUE(ws->units().history.exitSave().isDone());
    EXPECT_EQ(readFile(currentWorking()), crlf(lines));
}

// The shown game's file changed by another program since it was read: the update's save keeps
// it and writes the list beside it, as any save does.
TEST_F(WorkspaceUpdateTest, TheUpdatesSaveNeverOverwritesAnotherProgramsChange)
{
    auto ws = open(FormulaId::Keno16of56);
    const QByteArray changed = crlf(lines.mid(0, 7));
    writeFile(currentWorking(), changed);
    const UpdateCommand::Result result = ws->importUpdate(currentArchive(11), FormulaId::Keno16of56);
    EXPECT_EQ(result.added, 5);
    EXPECT_EQ(readFile(currentWorking()), changed);
    EXPECT_TRUE(contains(lastMessage(), QStringLiteral("a été modifié par un autre programme")));
}

TEST_F(WorkspaceUpdateTest, ADrawTypedInTheNewGameIsTheNextDaysEvening)
{
    auto ws = open(FormulaId::Keno16of56);
    ws->units().list.clickListe(ws->liste().itemCount() - 1);
    for (int n = 41; n <= 56; ++n)
        ws->units().grid.setCheck(n, true);
    m_ui.show(ws->units().entry.validateEntry());
    const QString expected = lines[6].left(10) + QStringLiteral(" 41 42 43 44 45 46 47 48 49 50 51 52 53 54 55 56 soir");
    EXPECT_EQ(ws->state().drawLines().value(6), expected);
    EXPECT_EQ(readFile(currentWorking()), crlf(lines.mid(0, 6) << expected));
}

TEST_F(WorkspaceUpdateTest, TheAutomaticUpdateIsOnUntilTurnedOffAndTheChoiceIsKept)
{
    auto ws = open(FormulaId::Keno16of56);
    EXPECT_TRUE(ws->autoUpdate());
    EXPECT_TRUE(ws->toggleAutoUpdate().isDone());
    EXPECT_FALSE(ws->autoUpdate());
    EXPECT_EQ(
        Settings(Settings::iniPath(m_config.path()), false).read(QStringLiteral("Jeu"), QStringLiteral("MiseAJourAuto"), {}),
        QStringLiteral("0"));
    ws = open(FormulaId::Keno16of56);
    EXPECT_FALSE(ws->autoUpdate());
    EXPECT_TRUE(ws->toggleAutoUpdate().isDone());
    ws = open(FormulaId::Keno16of56);
    EXPECT_TRUE(ws->autoUpdate());
}

// The automatic update tells each ticket that won on a draw it brought to the list shown, even
// while a calendar filter hides that draw: the history the filter hides is the one that grows.
TEST_F(WorkspaceUpdateTest, TheAutomaticUpdateAnnouncesTheTicketsThatWonOnItsDraws)
{
    writeFile(dataFile("Grilles.txt"), "Zoé;16-56;" + sevenOf(10) + ";2;;05/12/2026;\n");
    const QString win = QStringLiteral("La grille « Zoé » a gagné 6 000 € au tirage du 05/12/2026");
    for (const bool filtered : {false, true}) {
        writeCurrent(6, 6);
        QFile::remove(multipliersFile());
        auto ws = open(FormulaId::Keno16of56);
        if (filtered) {
            m_ui.onFilter = [](CalendarFilter& f) {
                f.weekdays.fill(true), f.months.fill(true), f.times.fill(true);
                f.from = QDate(2026, 11, 25), f.to = QDate(2026, 11, 27);
                return true;
            };
            // The new game's history here starts late: the filter says so, and filters all the same.
            m_ui.show(periodeEtude(*ws));
            ASSERT_EQ(ws->liste().drawCount(), 3);
        }
        const auto told = wins(*ws);
        m_ui.messages.clear();
        const UpdateCommand::Result result = ws->importUpdate(currentArchive(11), FormulaId::Keno16of56);
        ASSERT_EQ(std::pair(result.added, result.failure), std::pair(5, QString()));
        EXPECT_EQ(*told, QStringList{win}) << "filtered: " << filtered;
        EXPECT_EQ(lastMessage(), win);
        EXPECT_EQ(readFile(currentWorking()), crlf(lines));
    }
}

// The automatic update fetches the new game while the classic one is studied: the tickets of
// that game are read against the draws added to its own file, with its pay table as the player
// corrected it and the multiplier of each draw.
TEST_F(WorkspaceUpdateTest, TheUpdateOfTheGameNotStudiedAnnouncesThatGamesTickets)
{
    // Léa plays 04/12 only, with the option: that draw's multiplier is 3.
    writeFile(dataFile("Grilles.txt"),
              "Zoé;16-56;" + sevenOf(10) + ";2;;05/12/2026;\nLéa;16-56;" + sevenOf(9)
                  + ";1;multiplicateur;04/12/2026;04/12/2026\nJean;20-70;1,2,3,4,5,6,7;1;;01/01/2020;\n");
    auto ws = open(FormulaId::Keno20of70);
    PayTable table = Formula::current().payTable;
    table.amounts[7][7] = 3500;
    ASSERT_TRUE(ws->setPayTable(FormulaId::Keno16of56, table).isDone());
    const auto told = wins(*ws);
    m_ui.messages.clear();
    const UpdateCommand::Result result = ws->importUpdate(currentArchive(11), FormulaId::Keno16of56);
    ASSERT_EQ(std::pair(result.added, result.failure), std::pair(5, QString()));
    ASSERT_EQ(readFile(currentWorking()), crlf(lines));
    const QStringList expected{QStringLiteral("La grille « Zoé » a gagné 7 000 € au tirage du 05/12/2026"),
                               QStringLiteral("La grille « Léa » a gagné 10 500 € au tirage du 04/12/2026")};
    EXPECT_EQ(*told, expected);
    ASSERT_EQ(m_ui.messages.size(), 2U);
    EXPECT_EQ(m_ui.messages.front().text, expected[0]);
    EXPECT_EQ(ws->state().drawLines(), classic);

    // Nothing new: nothing told again.
    ASSERT_EQ(ws->importUpdate(currentArchive(11), FormulaId::Keno16of56).added, 0);
    EXPECT_EQ(told->size(), 2);
}

// A tickets file that cannot be read never stops the update; the player is told once, until
// the file is mended.
TEST_F(WorkspaceUpdateTest, AnUnreadableTicketsFileIsSaidOnceAndTheUpdateGoesOn)
{
    writeFile(dataFile("Grilles.txt"), "Zoé;16-56;" + sevenOf(10) + "\n");
    auto ws = open(FormulaId::Keno16of56);
    m_ui.messages.clear();
    ASSERT_EQ(ws->importUpdate(currentArchive(8), FormulaId::Keno16of56).added, 2);
    EXPECT_EQ(readFile(currentWorking()), crlf(lines.mid(0, 8)));
    ASSERT_EQ(m_ui.messages.size(), 1U);
    EXPECT_TRUE(contains(lastMessage(), QStringLiteral("ne peuvent pas être lues : ligne 1 : ")));
    EXPECT_TRUE(lastMessage().endsWith(QStringLiteral("\nLes grilles gagnantes ne sont pas annoncées.")))
        << lastMessage().toStdString();
    ASSERT_EQ(ws->importUpdate(currentArchive(10), FormulaId::Keno16of56).added, 2);
    EXPECT_EQ(m_ui.messages.size(), 1U);
    EXPECT_EQ(readFile(currentWorking()), crlf(lines.mid(0, 10)));

    writeFile(dataFile("Grilles.txt"), "Zoé;16-56;" + sevenOf(10) + ";1;;05/12/2026;\n");
    ASSERT_EQ(ws->importUpdate(currentArchive(11), FormulaId::Keno16of56).added, 1);
    EXPECT_EQ(lastMessage(), QStringLiteral("La grille « Zoé » a gagné 3 000 € au tirage du 05/12/2026"));
}
