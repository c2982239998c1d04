#include "acquire/ArchiveSource.h"
#include "history/DrawLine.h"
#include "history/HistoryFile.h"
#include "shell/Settings.h"
#include "shell/Workspace.h"
#include "stats/Rankings.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

using TestSupport::crlf;
using TestSupport::makeHistory;
using TestSupport::rankingLines;
using TestSupport::readFile;
using TestSupport::referenceStats;
using TestSupport::writeFile;

namespace {

const QString kTitle = QStringLiteral("Tiravol");
const QString kIncomplete
    = QStringLiteral("la liste des tirages n'est pas complete ou a été modifiée\nveuillez recharger les titages");

const QString kHeader = QStringLiteral("Num Sorti Ecart  EcartMax");

// Both lists of a ranking over draws [first, last]: a header, then 35 ranked lines each.
void expectReport(const Workspace& ws, RankingKind kind, const QStringList& draws, int first, int last)
{
    static const QMap<RankingKind, QString> titles = {
        {RankingKind::Sorties, QStringLiteral("Classement par sorties au ")},
        {RankingKind::Ecarts, QStringLiteral("Classement par écarts au ")},
        {RankingKind::EcartsMax, QStringLiteral("Classement par écarts max au ")},
        {RankingKind::Numero, QStringLiteral("Classement par numéros au ")},
    };
    const QStringList lines = rankingLines(kind, referenceStats(draws, first, last));
    EXPECT_EQ(ws.report().title, titles.value(kind) + draws[last].left(10));
    EXPECT_EQ(ws.report().resultat.lines, QStringList{kHeader} + lines.mid(0, 35));
    EXPECT_EQ(ws.report().resultat2.lines, QStringList{kHeader} + lines.mid(35));
}

// Leaves the operator's CSV (a header, then draws newest first) where the extraction looks for
// it, or fails like an unreachable server when there is none.
class FakeSource : public ArchiveSource {
public:
    QString csvPath;
    QStringList draws, urls;
    std::function<void()> during; // runs while the download is under way
    bool fetch(const QString& url, const QString&, const Progress&, QString* error) override
    {
        urls << url;
        if (during)
            during();
        if (draws.isEmpty()) {
            *error = QStringLiteral("serveur injoignable");
            return false;
        }
        writeFile(csvPath, TestSupport::operatorCsv(draws));
        return true;
    }
};

class WorkspaceTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString at(const char* name) const { return tmp.filePath(QString::fromLatin1(name)); }
    QString data = at("Documents");
    QString working = data + QStringLiteral("/Tirages_keno.txt"), base = data + QStringLiteral("/Tirages.txt");
    QString ini = Settings::iniPath(at("config"));
    TestSupport::ScriptedUi ui;
    WorkspaceConfig::Connection connection = WorkspaceConfig::Connection::Online;
    FakeSource source;

    std::unique_ptr<Workspace> start(WorkspaceConfig config = {})
    {
        source.csvPath = data + QStringLiteral("/keno_gagnant_a_vie.csv");
        config.dataFolder = data;
        config.appDataFolder = at("config");
        config.connection = [this] { return connection; };
        auto ws = std::make_unique<Workspace>(config, &ui);
        ws->setArchiveSource(&source);
        ws->startUp();
        return ws;
    }
    std::unique_ptr<Workspace> startWith(const QStringList& draws)
    {
        writeFile(working, crlf(draws));
        return start();
    }
};

} // namespace

// ---- the workspace

TEST_F(WorkspaceTest, StartUpRanksTheWholeHistoryClicksAndExports)
{
    constexpr int N = 25;
    const QStringList draws = makeHistory(N);
    auto ws = startWith(draws);
    const QString last = draws[N - 1].left(10);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(TestSupport::shownItems(*ws), draws + QStringList{QString()});
    EXPECT_EQ(ws->selectedIndex(), N);
    EXPECT_EQ(ws->counters().nb, QStringLiteral("25"));
    EXPECT_EQ(ws->counters().prem + ws->counters().dern, QStringLiteral("16/09/1993") + last);
    EXPECT_EQ(ws->studyPeriod().first, 0);
    EXPECT_EQ(ws->studyPeriod().last, N - 1);
    EXPECT_EQ(ws->stats(), referenceStats(draws, 0, N - 1));
    expectReport(*ws, RankingKind::Sorties, draws, 0, N - 1);
    for (auto [command, kind] : {std::pair{&Workspace::ecarts, RankingKind::Ecarts},
                                 {&Workspace::ecartsMax, RankingKind::EcartsMax},
                                 {&Workspace::numero, RankingKind::Numero}}) {
        (ws.get()->*command)();
        expectReport(*ws, kind, draws, 0, N - 1);
    }

    // A click ends the period before the line; one on the first line acts on the second.
    ws->clickListe(10);
    EXPECT_EQ(ws->studyPeriod().first, 0);
    EXPECT_EQ(ws->studyPeriod().last, 9);
    EXPECT_EQ(ws->stats(), referenceStats(draws, 0, 9));
    expectReport(*ws, RankingKind::Sorties, draws, 0, 9);
    ws->clickListe(0);
    EXPECT_EQ(ws->selectedIndex(), 1);
    EXPECT_EQ(ws->studyPeriod().last, 0);
    EXPECT_EQ(ws->stats(), referenceStats(draws, 0, 0));

    // Export ticked: the title, the left list, the right list without its header.
    const QString exported = at("sorties.txt");
    ws->setExportEnabled(true);
    ui.saveNames.push_back(exported);
    ws->sorties();
    const ReportModel& r = ws->report();
    EXPECT_EQ(r.exportLines().size(), 1 + 36 + 35);
    EXPECT_EQ(readFile(exported), crlf(QStringList{r.title} + r.resultat.lines + r.resultat2.lines.mid(1)));
    ws->setExportEnabled(false); // unticked: no dialog at all
    ui.saveNames.push_back(exported);
    ws->numero();
    EXPECT_EQ(ui.saveNames.size(), 1u);
}

TEST_F(WorkspaceTest, EqualCountsGiveCriteriaRangesFromCToCPlusOne)
{
    QStringList draws; // every number exactly twice
    for (int i = 0; i < 7; ++i) {
        DrawLine::Numbers numbers{};
        for (int k = 0; k < 20; ++k)
            numbers[static_cast<size_t>(k)] = (20 * i + k) % 70 + 1;
        std::sort(numbers.begin(), numbers.end());
        draws << DrawLine::build(QDate(1993, 9, 16 + i / 2), numbers, i % 2 == 0);
    }
    auto ws = startWith(draws);
    ws->chargeManuelle();
    for (CriterionBar bar : {CriterionBar::GeneralMin, CriterionBar::GeneralMax})
        EXPECT_EQ(std::tuple(ws->criteria()[bar].minimum, ws->criteria()[bar].maximum, ws->criteria()[bar].value),
                  std::tuple(2, 3, 2))
            << barIndex(bar);
}

TEST_F(WorkspaceTest, HundredThousandDrawsRankWithFiveDigitCounts)
{
    constexpr int N = 100000;
    const QStringList draws = makeHistory(N, QDate(1993, 9, 16), 3);
    auto ws = startWith(draws);
    EXPECT_EQ(ws->counters().nb, QStringLiteral("100000"));
    // Counted from the lines, not from the matrix the program built.
    const NumberStats s = referenceStats(draws, 0, N - 1);
    EXPECT_EQ(ws->stats(), s);
    const QStringList lines = rankingLines(RankingKind::Sorties, s);
    EXPECT_GE(s.appearances[lines[0].left(2).toInt()], 10000);
    EXPECT_EQ(ws->report().resultat.lines.mid(1), lines.mid(0, 35));
}

// ---- nothing the user has may be lost

TEST_F(WorkspaceTest, BadLinesAreReportedAndExitWritesTheFileByteForByte)
{
    QStringList lines = makeHistory(8);
    lines[2] = lines[2].left(50);
    lines[3].replace(14, 2, QStringLiteral("zz"));
    lines[4].replace(11, 2, QStringLiteral("85"));
    writeFile(working, crlf(lines));
    auto ws = start();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(
        ui.messages[0].text.startsWith(QStringLiteral("3 lignes de « Tirages_keno.txt » ne sont pas des tirages valides")))
        << ui.messages[0].text.toStdString();
    EXPECT_EQ(ws->stats(), referenceStats(lines, 0, 7)); // unreadable fields and 85 count for no number
    ws->clickListe(5); // narrows the period, not what is saved
    EXPECT_TRUE(ws->exitSave());
    EXPECT_EQ(readFile(working), crlf(lines));
}

TEST_F(WorkspaceTest, OfflineReloadOrLaterExitNeverShortensTheWorkingFile)
{
    const QStringList draws = makeHistory(30);
    writeFile(working, crlf(draws));
    writeFile(base, crlf(draws.mid(0, 20)));
    connection = WorkspaceConfig::Connection::Offline;
    auto ws = start();
    ws->telechargement();
    ASSERT_EQ(ui.messages.size(), 2u); // at start-up and at the reload
    for (const auto& m : ui.messages)
        EXPECT_EQ(m.text + m.title, QStringLiteral("Vous n'etes pas connecté à Internet") + kTitle);
    EXPECT_TRUE(source.urls.isEmpty());
    EXPECT_EQ(ws->drawCount(), 20);
    EXPECT_FALSE(ws->exitSave());
    EXPECT_EQ(readFile(working), crlf(draws));
    // Nor does an exit after the file grew behind the list's back (another instance saved).
    ws->chargeManuelle();
    writeFile(working, crlf(makeHistory(31)));
    EXPECT_FALSE(ws->exitSave());
    EXPECT_EQ(readFile(working), crlf(makeHistory(31)));
}

TEST_F(WorkspaceTest, LongerMergeReplacesTheFileOnlyWhenNoDrawIsLost)
{
    const QStringList all = makeHistory(14);
    for (bool keepsEveryDraw : {false, true}) {
        SCOPED_TRACE(keepsEveryDraw);
        ui.messages.clear();
        writeFile(working, crlf(all.mid(0, 10)));
        writeFile(base, crlf(all.mid(0, 4)));
        // Twelve draws lacking six of the file's, or the file's ten and four more.
        source.draws = keepsEveryDraw ? all.mid(4) : makeHistory(8, QDate(1993, 10, 1), 99);
        auto ws = start();
        ws->telechargement();
        EXPECT_EQ(ws->drawCount(), keepsEveryDraw ? 14 : 12);
        EXPECT_EQ(readFile(working), crlf(all.mid(0, keepsEveryDraw ? 14 : 10)));
        const bool refused = std::any_of(ui.messages.begin(), ui.messages.end(), [](const auto& m) {
            return m.text.contains(QStringLiteral("6 de ses tirages manquent dans la liste rechargée"));
        });
        EXPECT_EQ(refused, !keepsEveryDraw);
        // A click counts back no further than the lines saved last (11 when the merge was refused).
        ws->clickListe(12);
        EXPECT_EQ(ws->studyPeriod().first, keepsEveryDraw ? 0 : 1);
        EXPECT_EQ(ws->exitSave(), keepsEveryDraw);
    }
}

TEST_F(WorkspaceTest, DownloadFlowAsksOnlyWhatTheProcessNeeds)
{
    const QStringList all = makeHistory(12);
    writeFile(working, crlf(all.mid(0, 8)));
    writeFile(base, crlf(all.mid(0, 8)));
    // A failed download: no message box before the address prompt, the reason is in the prompt.
    auto ws = start();
    ws->telechargement();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.askedTitles, QStringList{QStringLiteral("Telechargement echoué vérifiez l'adresse")});
    // A successful import that skipped nothing ends without a summary box.
    source.draws = all.mid(8);
    ws->telechargement();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(readFile(working), crlf(all));
}

TEST_F(WorkspaceTest, HourglassCoversTheDownloadAndTheStatisticsAndEndsOnEveryPath)
{
    writeFile(working, crlf(makeHistory(8)));
    writeFile(base, crlf(makeHistory(8)));
    auto ws = start();
    int raised = 0, lowered = 0;
    QObject::connect(ws.get(), &Workspace::changed, [&](unsigned parts) {
        if (parts & Workspace::CursorPart)
            ++(ws->waitCursor() ? raised : lowered);
    });
    bool duringDownload = false;
    source.during = [&] { duringDownload = ws->waitCursor(); };
    ws->telechargement(); // fails, then asks for the address
    EXPECT_TRUE(duringDownload);
    EXPECT_FALSE(ws->waitCursor());
    source.draws = makeHistory(10).mid(8);
    ws->telechargement();
    ws->sorties();
    EXPECT_FALSE(ws->waitCursor());
    EXPECT_GE(raised, 3);
    EXPECT_EQ(raised, lowered);
}

TEST_F(WorkspaceTest, RankingsOfferedDuringALoadComeFromTheNewList)
{
    // Start on one history, then load another of the same length with other numbers: the
    // ranking the load's own selection exports must count the new lines.
    const QStringList first = makeHistory(10, QDate(1993, 9, 16), 1);
    const QStringList second = makeHistory(10, QDate(1993, 9, 16), 2);
    auto ws = startWith(first);
    writeFile(working, crlf(second));
    ws->setExportEnabled(true);
    const QString exported = at("load.txt");
    ui.saveNames = {exported};
    ws->chargeManuelle();
    const QStringList lines = rankingLines(RankingKind::Sorties, referenceStats(second, 0, 9));
    QStringList expected{QStringLiteral("Classement par sorties au ") + second[9].left(10), kHeader};
    expected << lines.mid(0, 35) << lines.mid(35);
    EXPECT_EQ(readFile(exported), crlf(expected));
}

TEST_F(WorkspaceTest, MessagesAgreeWithTheirCounts)
{
    const QStringList all = makeHistory(14);
    writeFile(working, crlf(all.mid(0, 10)));
    writeFile(base, crlf(all.mid(0, 4)));
    // The archive brings the file's draws but one, and more after them.
    QStringList archive = all.mid(4);
    archive.removeAt(2);
    source.draws = archive;
    auto ws = start();
    ws->telechargement();
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_TRUE(ui.messages.back().text.endsWith(QStringLiteral(" : 1 de ses tirages manque dans la liste rechargée.")))
        << ui.messages.back().text.toStdString();

    QStringList lines = makeHistory(3);
    lines[1] = lines[1].left(40);
    writeFile(working, crlf(lines));
    ui.messages.clear();
    auto other = start();
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_TRUE(ui.messages[0].text.startsWith(
        QStringLiteral("1 ligne de « Tirages_keno.txt » n'est pas un tirage valide ; elle est gardée telle quelle")))
        << ui.messages[0].text.toStdString();
}

TEST_F(WorkspaceTest, FailedDiskWriteKeepsTheListAndSaysSo)
{
    const QString folder = at("work");
    const QStringList draws = makeHistory(15);
    WorkspaceConfig config;
    config.workingHistoryPath = folder + QStringLiteral("/Tirages_keno.txt");
    writeFile(config.workingHistoryPath, crlf(draws));
    auto ws = start(config);
    // The folder becomes a regular file: nothing can be written there.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    writeFile(folder, "not a folder");
    EXPECT_FALSE(ws->exitSave());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, kTitle);
    const QString text = ui.messages[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Le dossier « %1 » n'existe pas").arg(QDir::toNativeSeparators(folder)))
                && text.contains(QStringLiteral("Tirages_keno.txt » n'a pas été enregistré"))
                && text.endsWith(QStringLiteral("\nLa liste des tirages est conservée dans la fenêtre.")))
        << text.toStdString();
    EXPECT_EQ(TestSupport::shownItems(*ws).mid(0, 15), draws);
}

TEST_F(WorkspaceTest, UnreadableWorkingFileIsNotDestroyed)
{
    writeFile(working + QStringLiteral("/inside.txt"), "keep");
    auto ws = start();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("ne peut pas être lu"))) << ui.messages[0].text.toStdString();
    EXPECT_EQ(ui.messages[1].text + ui.messages[1].title, kIncomplete + kTitle);
    EXPECT_FALSE(ws->exitSave());
    EXPECT_EQ(readFile(working + QStringLiteral("/inside.txt")), QByteArray("keep"));
}

TEST_F(WorkspaceTest, FailedDownloadAsksForTheAddressAndKeepsIt)
{
    const QStringList draws = makeHistory(12);
    writeFile(working, crlf(draws));
    writeFile(base, crlf(draws.mid(0, 8)));
    const QString own = QStringLiteral("https://example.org/a,b.zip?x=1;y=2");
    const QString corrected = QStringLiteral("https://example.org/nouvelle,v2.zip");
    writeFile(ini, "[URL]\r\nFileFdesjeux=" + own.toUtf8() + "\r\n");
    auto ws = start();
    ui.textAnswers = {corrected, QStringLiteral("   ")}; // a blank answer is not kept
    ws->telechargement();
    EXPECT_EQ(ui.askedTitles, QStringList{QStringLiteral("Telechargement echoué vérifiez l'adresse")});
    ws->telechargement();
    EXPECT_EQ(source.urls, (QStringList{own, corrected}));
    EXPECT_EQ(Settings(ini, false).archiveUrl(), corrected);
    EXPECT_FALSE(ws->exitSave());
    EXPECT_EQ(readFile(working), crlf(draws));
}

TEST_F(WorkspaceTest, FilteredViewAtExitWritesTheFullHistory)
{
    const QByteArray original = crlf(makeHistory(40));
    writeFile(working, original);
    writeFile(base, original); // the filter starts from the base history
    ui.onFilter = [](CalendarFilter& f) { // evening draws only
        f.weekdays.fill(true), f.months.fill(true), f.times = {false, false, true};
        return true;
    };
    auto ws = start();
    ws->setArchiveSource(nullptr);
    ws->periodeEtude();
    ASSERT_EQ(ws->drawCount(), 20);
    EXPECT_TRUE(ws->exitSave());
    EXPECT_EQ(readFile(working), original);
}
