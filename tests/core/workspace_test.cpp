// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/ArchiveSource.h"
#include "shell/CommandUnits.h"
#include "shell/ImportCommand.h"
#include "shell/Settings.h"
#include "support/TestSupport.h"

#include <QDir>
#include <algorithm>

using namespace TestSupport;

namespace {

const QString kTitle = QStringLiteral("Tiravol");

const QString kHeader = QStringLiteral("Num Sorti Ecart  EcartMax");

// The ranking over draws [first, last]: its title at the last draw's date, both lists a header, then 35 ranked lines.
void expectReport(const Workspace& ws, RankingKind kind, const QStringList& draws, int first, int last)
{
    const QStringList lines = rankingLines(kind, referenceStats(draws, first, last));
    EXPECT_EQ(ws.report().title, Rankings::texts(kind).title + draws[last].left(10));
    EXPECT_EQ(ws.report().resultat.lines, QStringList{kHeader} + lines.mid(0, 35));
    EXPECT_EQ(ws.report().resultat2.lines, QStringList{kHeader} + lines.mid(35));
}

std::pair<int, int> period(const Workspace& ws)
{
    return {ws.studyPeriod().first, ws.studyPeriod().last};
}

// Stores the operator's archive of `draws` (its CSV: a header, then draws newest first), or
// fails like an unreachable server when there is none.
class FakeSource : public ArchiveSource {
public:
    QStringList draws, urls;
    std::function<void()> during; // runs while the download is under way
    bool fetch(const QString& url, const QString& destination, const Progress&, QString* error) override
    {
        urls << url;
        if (during)
            during();
        if (draws.isEmpty()) {
            *error = QStringLiteral("serveur injoignable");
            return false;
        }
        QDir().mkpath(QFileInfo(destination).absolutePath());
        writeZip(destination, {{"keno_gagnant_a_vie.csv", operatorCsv(draws)}});
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
    ScriptedUi ui;
    WorkspaceConfig::Connection connection = WorkspaceConfig::Connection::Online;
    FakeSource source;

    std::unique_ptr<Workspace> start(WorkspaceConfig config = {})
    {
        config.dataFolder = data;
        config.appDataFolder = at("config");
        config.connection = [this] { return connection; };
        auto ws = std::make_unique<Workspace>(config, &ui);
        ui.watch(*ws);
        ws->units().import.setSource(&source);
        ui.show(ws->startUp());
        return ws;
    }
    std::unique_ptr<Workspace> startWith(const QStringList& draws)
    {
        writeFile(working, crlf(draws));
        return start();
    }
};

} // namespace

TEST_F(WorkspaceTest, StartUpRanksTheWholeHistoryClicksAndExports)
{
    constexpr int N = 25;
    const QStringList draws = makeHistory(N);
    auto ws = startWith(draws);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(shownItems(*ws), draws + QStringList{QString()});
    EXPECT_EQ(ws->selectedIndex(), N);
    const Counters& c = ws->counters();
    EXPECT_EQ((QStringList{c.nb, c.prem, c.dern}),
              (QStringList{QStringLiteral("25"), QStringLiteral("16/09/1993"), draws[N - 1].left(10)}));
    EXPECT_EQ(period(*ws), std::pair(0, N - 1));
    EXPECT_EQ(ws->stats(), referenceStats(draws, 0, N - 1));
    expectReport(*ws, RankingKind::Sorties, draws, 0, N - 1);
    for (auto [command, kind] : {std::pair{&RankingCommands::ecarts, RankingKind::Ecarts},
                                 {&RankingCommands::ecartsMax, RankingKind::EcartsMax},
                                 {&RankingCommands::numero, RankingKind::Numero}}) {
        (ws->units().rankings.*command)();
        expectReport(*ws, kind, draws, 0, N - 1);
    }

    // A click ends the period before the line; one on the first line acts on the second.
    ws->units().list.clickListe(10);
    EXPECT_EQ(period(*ws), std::pair(0, 9));
    EXPECT_EQ(ws->stats(), referenceStats(draws, 0, 9));
    expectReport(*ws, RankingKind::Sorties, draws, 0, 9);
    ws->units().list.clickListe(0);
    EXPECT_EQ(ws->selectedIndex(), 1);
    EXPECT_EQ(period(*ws), std::pair(0, 0));
    EXPECT_EQ(ws->stats(), referenceStats(draws, 0, 0));

    // Export ticked: the title, the left list, the right list without its header.
    const QString exported = at("sorties.txt");
    ws->setExportEnabled(true);
    ui.saveNames.push_back(exported);
    ws->units().rankings.sorties();
    const ReportModel& r = ws->report();
    EXPECT_EQ(r.exportLines().size(), 1 + 36 + 35);
    EXPECT_EQ(readFile(exported), crlf(QStringList{r.title} + r.resultat.lines + r.resultat2.lines.mid(1)));
    ws->setExportEnabled(false); // unticked: no dialog at all
    ui.saveNames.push_back(exported);
    ws->units().rankings.numero();
    EXPECT_EQ(ui.saveNames.size(), 1u);
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

TEST_F(WorkspaceTest, RankingsOfferedDuringALoadComeFromTheNewList)
{
    // Start on one history, then load another of the same length with other numbers: the
    // ranking the load's own selection exports must count the new lines.
    const QStringList first = makeHistory(10, QDate(1993, 9, 16), 1), second = makeHistory(10, QDate(1993, 9, 16), 2);
    ASSERT_NE(first, second);
    auto ws = startWith(first);
    writeFile(working, crlf(second));
    ws->setExportEnabled(true);
    ui.saveNames = {at("load.txt")};
    ui.show(ws->units().history.chargeManuelle());
    const QStringList lines = rankingLines(RankingKind::Sorties, referenceStats(second, 0, 9));
    EXPECT_EQ(readFile(at("load.txt")),
              crlf(QStringList{QStringLiteral("Classement par sorties au ") + second[9].left(10), kHeader} + lines));
}

// ---- nothing the user has may be lost

TEST_F(WorkspaceTest, BadLinesAreCountedInTheirMessageAndWrittenBackByteForByte)
{
    for (const bool one : {true, false}) {
        SCOPED_TRACE(one);
        ui.messages.clear();
        QStringList lines = makeHistory(8);
        lines[2] = lines[2].left(50);
        if (!one) {
            lines[3].replace(14, 2, QStringLiteral("zz"));
            lines[4].replace(11, 2, QStringLiteral("85"));
        }
        auto ws = startWith(lines);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(startsWith(
            ui.messages[0].text,
            one ? QStringLiteral("1 ligne de « Tirages_keno.txt » n'est pas un tirage valide ; elle est gardée telle quelle")
                : QStringLiteral("3 lignes de « Tirages_keno.txt » ne sont pas des tirages valides ; elles sont gardées")));
        EXPECT_EQ(ws->stats(), referenceStats(lines, 0, 7)); // unreadable fields and 85 count for no number
        ws->units().list.clickListe(5); // narrows the period, not what is saved
        EXPECT_TRUE(ui.done(ws->units().history.exitSave()));
        EXPECT_EQ(readFile(working), crlf(lines));
    }
}

TEST_F(WorkspaceTest, OfflineReloadNeverShortensTheWorkingFileNorTakesAnEntry)
{
    const QStringList draws = makeHistory(30);
    writeFile(base, crlf(draws.mid(0, 20)));
    auto ws = startWith(draws);
    // A download that worked first: the offline one after it must not pass for it.
    source.draws = draws.mid(20);
    ui.show(reload(*ws));
    ASSERT_TRUE(ws->lastImport().csvRead);
    ui.show(ws->units().history.chargeManuelle());
    ui.messages.clear();
    source.urls.clear();
    connection = WorkspaceConfig::Connection::Offline;
    ui.show(ws->units().history.chargeManuelle());
    ui.show(reload(*ws));
    EXPECT_FALSE(ws->lastImport().attempted);
    ASSERT_EQ(ui.messages.size(), 2u); // at the manual load and at the reload
    for (const auto& m : ui.messages)
        EXPECT_EQ(m.text + m.title, QStringLiteral("Vous n'etes pas connecté à Internet") + kTitle);
    EXPECT_TRUE(source.urls.isEmpty());
    EXPECT_EQ(ws->drawCount(), 20);
    // The exit keeps the longer file and says so once; nothing is lost, so nothing more is asked.
    EXPECT_TRUE(ui.done(ws->units().history.exitSave()));
    EXPECT_EQ(readFile(working), crlf(draws));
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_TRUE(contains(ui.messages.back().text, QStringLiteral("est gardé tel quel")));
    // Nor is a draw entered on that list, which could not be saved; it is once the file is read again.
    const auto enter = [this, &ws] {
        ws->units().list.clickListe(ws->liste().itemCount() - 1);
        for (int n = 1; n <= 20; ++n)
            ws->units().grid.setCheck(n, true);
        ui.show(ws->units().entry.validateEntry());
    };
    enter();
    EXPECT_EQ(ws->drawCount(), 20);
    EXPECT_TRUE(
        contains(ui.messages.back().text, QStringLiteral("ne contient pas tout l'historique de travail (10 tirages manquants)")));
    ui.show(ws->units().history.chargeManuelle());
    enter();
    EXPECT_EQ(ws->drawCount(), 31);
    EXPECT_EQ(readFile(working), crlf(ws->liste().toStringList()));
}

TEST_F(WorkspaceTest, LongerMergeReplacesTheFileOnlyWhenNoDrawIsLost)
{
    const QStringList all = makeHistory(14);
    struct Case {
        QStringList archive;
        int count;
        QString refusal;
    };
    // The file's ten draws and four more, twelve lacking six of the file's, or all but one.
    for (const Case& c :
         {Case{all.mid(4), 14, QString()},
          Case{makeHistory(8, QDate(1993, 10, 1), 99), 12,
               QStringLiteral(" : 6 de ses tirages manquent dans la liste rechargée.")},
          Case{all.mid(4, 2) + all.mid(7), 13, QStringLiteral(" : 1 de ses tirages manque dans la liste rechargée.")}}) {
        SCOPED_TRACE(c.count);
        ui.messages.clear();
        writeFile(working, crlf(all.mid(0, 10)));
        writeFile(base, crlf(all.mid(0, 4)));
        source.draws = c.archive;
        auto ws = start();
        ui.show(reload(*ws));
        const bool replaced = c.refusal.isEmpty();
        EXPECT_EQ(ws->drawCount(), c.count);
        EXPECT_EQ(readFile(working), crlf(all.mid(0, replaced ? 14 : 10)));
        const QString told = ui.messages.empty() ? QString() : ui.messages.back().text;
        EXPECT_TRUE(endsWith(told, c.refusal));
        EXPECT_EQ(told.contains(QStringLiteral("manque")), !replaced);
        // A click counts back no further than the lines saved last (11 when the merge was refused).
        ws->units().list.clickListe(12);
        EXPECT_EQ(ws->studyPeriod().first, replaced ? 0 : 1);
        EXPECT_EQ(ui.done(ws->units().history.exitSave()), replaced);
    }
}

TEST_F(WorkspaceTest, FailedDownloadAsksForTheAddressAndKeepsItUnderTheHourglassThatEndsOnEveryPath)
{
    const QStringList all = makeHistory(14);
    writeFile(base, crlf(all.mid(0, 8)));
    const QString own = QStringLiteral("https://example.org/a,b.zip?x=1;y=2");
    const QString corrected = QStringLiteral("https://example.org/nouvelle,v2.zip");
    writeFile(ini, "[URL]\r\nFileFdesjeux=\"" + own.toUtf8() + "\"\r\n");
    auto ws = startWith(all.mid(0, 12));
    int raised = 0, lowered = 0;
    QObject::connect(ws.get(), &Workspace::changed, [&](unsigned parts) {
        if (parts & Workspace::CursorPart)
            ++(ws->waitCursor() ? raised : lowered);
    });
    bool duringDownload = false;
    source.during = [&] { duringDownload = ws->waitCursor(); };
    ui.textAnswers = {corrected, QStringLiteral("   ")}; // a blank answer is not kept
    ui.show(reload(*ws));
    EXPECT_TRUE(duringDownload);
    EXPECT_FALSE(ws->waitCursor());
    // No message box before the address prompt: the reason is in the prompt.
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.askedTitles, QStringList{QStringLiteral("Telechargement echoué vérifiez l'adresse")});
    ui.show(reload(*ws));
    EXPECT_EQ(source.urls, (QStringList{own, corrected}));
    EXPECT_EQ(Settings(ini, false).archiveUrl(), corrected);
    EXPECT_EQ(readFile(working), crlf(all.mid(0, 12)));
    // A successful import that skipped nothing ends without a summary box.
    ui.messages.clear();
    source.draws = all.mid(8);
    ui.show(reload(*ws));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(readFile(working), crlf(all));
    ws->units().rankings.sorties();
    EXPECT_FALSE(ws->waitCursor());
    EXPECT_GE(raised, 4);
    EXPECT_EQ(raised, lowered);
}

// Notes how many boxes were shown when each address was asked for.
class AddressUi : public ScriptedUi {
public:
    std::vector<size_t> shownBeforeAsking;
    std::optional<QString> askText(const QString& title, const QString& prompt, const QString& initial) override
    {
        shownBeforeAsking.push_back(messages.size());
        return ScriptedUi::askText(title, prompt, initial);
    }
};

TEST_F(WorkspaceTest, WhatTheBaseToldComesBeforeTheAddressQuestionAndOnlyOnce)
{
    QStringList lines = makeHistory(8);
    lines[2] = lines[2].left(50);
    writeFile(base, crlf(lines));
    writeFile(working, crlf(makeHistory(6)));
    AddressUi asking;
    WorkspaceConfig config;
    config.dataFolder = data;
    config.appDataFolder = at("config");
    config.connection = [] { return WorkspaceConfig::Connection::Online; };
    Workspace ws(config, &asking);
    asking.watch(ws);
    ws.units().import.setSource(&source);
    asking.show(ws.startUp());
    asking.messages.clear();

    asking.show(reload(ws));
    ASSERT_EQ(asking.shownBeforeAsking, std::vector<size_t>{1});
    EXPECT_TRUE(startsWith(asking.messages[0].text, QStringLiteral("1 ligne de « Tirages.txt » n'est pas un tirage valide")));
    const auto badLines = std::count_if(asking.messages.begin(), asking.messages.end(), [](const ScriptedUi::Message& m) {
        return m.text.contains(QStringLiteral("n'est pas un tirage valide"));
    });
    EXPECT_EQ(badLines, 1);
}

TEST_F(WorkspaceTest, AnOverlappingDownloadAddsEachDrawOnceAndSaysWhatItSkipped)
{
    const QStringList all = makeHistory(14);
    writeFile(base, crlf(all.mid(0, 8)));
    source.draws = all.mid(4);
    auto ws = startWith(all.mid(0, 12));
    ui.show(reload(*ws));
    EXPECT_EQ(ws->liste().toStringList(), all);
    EXPECT_EQ(readFile(working), crlf(all));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text + ui.messages[0].title,
              QStringLiteral("Import de l'archive : 6 tirages importés, aucune ligne ignorée, 4 déjà dans l'historique.")
                  + kTitle);
}

TEST_F(WorkspaceTest, AReloadsOutcomeCarriesItsCountsAndItsFirstFailure)
{
    const QStringList all = makeHistory(14);
    writeFile(base, crlf(all.mid(0, 8)));
    auto ws = startWith(all.mid(0, 12));

    // The server cannot be reached: the reason went into the address question, nothing was read.
    CommandOutcome failed = reload(*ws);
    EXPECT_EQ(failed.status, CommandOutcome::Status::Failed);
    EXPECT_EQ(failed.reason, QStringLiteral("serveur injoignable"));
    EXPECT_TRUE(failed.asked);
    EXPECT_TRUE(failed.boxes().isEmpty());
    EXPECT_EQ(failed.archivesRead, 0);
    EXPECT_EQ(readFile(working), crlf(all.mid(0, 12)));

    // Six new draws, four the history had: counted, told in one box, saved whole.
    source.draws = all.mid(4);
    const CommandOutcome imported = reload(*ws);
    EXPECT_TRUE(imported.isDone());
    EXPECT_EQ(imported.archivesRead, 1);
    EXPECT_EQ(imported.imported, 6);
    EXPECT_EQ(imported.known, 4);
    EXPECT_EQ(imported.skipped, 0);
    EXPECT_EQ(imported.saved, 14);
    EXPECT_FALSE(imported.historyKept);
    EXPECT_TRUE(imported.summary.isEmpty()); // said by the box
    EXPECT_EQ(imported.boxes().size(), 1);

    // Only what the base lacks, the working history holding it already: a line of summary for
    // the command line, no box, nothing to save.
    source.draws = all.mid(8);
    const CommandOutcome same = reload(*ws);
    EXPECT_TRUE(same.isDone());
    EXPECT_TRUE(same.boxes().isEmpty());
    EXPECT_EQ(same.imported, 6);
    EXPECT_EQ(same.saved, 0);
    EXPECT_EQ(same.summary, QStringLiteral("Import de l'archive : 6 tirages importés, aucune ligne ignorée."));

    // A shorter archive: the working history is kept, and the outcome says so without a box.
    source.draws = all.mid(8, 2);
    const CommandOutcome shorter = reload(*ws);
    EXPECT_TRUE(shorter.historyKept);
    EXPECT_EQ(shorter.saved, 0);
    EXPECT_EQ(readFile(working), crlf(all));
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
    EXPECT_FALSE(ui.done(ws->units().history.exitSave()));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, kTitle);
    const QString text = ui.messages[0].text;
    EXPECT_TRUE(startsWith(text, QStringLiteral("Le dossier « %1 » n'existe pas").arg(QDir::toNativeSeparators(folder))));
    EXPECT_TRUE(contains(text, QStringLiteral("Tirages_keno.txt » n'a pas été enregistré")));
    EXPECT_TRUE(endsWith(text, QStringLiteral("\nLa liste des tirages est conservée dans la fenêtre.")));
    EXPECT_EQ(shownItems(*ws).mid(0, 15), draws);
}

TEST_F(WorkspaceTest, UnreadableWorkingFileIsNotDestroyed)
{
    writeFile(working + QStringLiteral("/inside.txt"), "keep");
    auto ws = start();
    // A failed load says why, once; the exit leaves the file alone and says so (nothing was typed).
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(contains(ui.messages[0].text, QStringLiteral("ne peut pas être lu")));
    EXPECT_TRUE(contains(ui.messages[0].text, QStringLiteral("rien ne sera enregistré")));
    EXPECT_TRUE(ui.done(ws->units().history.exitSave()));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(contains(ui.messages[1].text, QStringLiteral("est gardé tel quel")));
    EXPECT_EQ(readFile(working + QStringLiteral("/inside.txt")), QByteArray("keep"));
}

TEST_F(WorkspaceTest, UnreadableSettingsAreSaidAndKeptWhileTheDefaultAddressServes)
{
    const QByteArray broken = "[URL]\nFileFdesjeux=https://mine.fr/a.zip\n[Fenetre\n";
    writeFile(ini, broken);
    auto ws = startWith(makeHistory(25));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(contains(ui.messages[0].text, QStringLiteral("Le fichier des réglages")));
    EXPECT_TRUE(contains(ui.messages[0].text, QStringLiteral("ne peut pas être lu : il n'a pas été modifié.")));
    ui.show(reload(*ws));
    EXPECT_EQ(source.urls, QStringList{Settings::defaultArchiveUrl()});
    EXPECT_EQ(readFile(ini), broken);
}
