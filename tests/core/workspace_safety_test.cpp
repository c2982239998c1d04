// SPDX-License-Identifier: GPL-3.0-or-later
// Nothing the player has is lost: full disks, exports over kept files, files changed behind the
// window's back, a second writer, and corrections the base history does not have.
#include "history/HistoryFile.h"
#include "shell/CommandUnits.h"
#include "shell/DataFolderLock.h"
#include "shell/Settings.h"
#include "shell/Workspace.h"
#include "support/EioFault.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace TestSupport;

namespace {

const QString kKeptInWindow = QStringLiteral("\nLa liste des tirages est conservée dans la fenêtre.");

class WorkspaceSafetyTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString root = tmp.path();
    QString data = root + QStringLiteral("/Documents");
    QString working = data + QStringLiteral("/Tirages_keno.txt");
    ScriptedUi ui;

    std::unique_ptr<Workspace> start(const QStringList& draws)
    {
        writeFile(working, crlf(draws));
        WorkspaceConfig config;
        config.dataFolder = data;
        config.appDataFolder = root + QStringLiteral("/config");
        config.writeLockWaitMs = 300;
        auto ws = std::make_unique<Workspace>(config, &ui);
        ui.watch(*ws);
        ui.show(ws->startUp());
        ui.messages.clear();
        return ws;
    }
    // Enters first, ..., first + 19 as the next draw by hand, as the window does (or over line `at`),
    // with `multiplier` when one is given.
    void enter(Workspace& ws, int first, int at = -1, int multiplier = 0)
    {
        ws.units().list.clickListe(at >= 0 ? at : ws.liste().itemCount() - 1);
        for (int n = first; n < first + 20; ++n)
            ws.units().grid.setCheck(n, true);
        if (multiplier != 0)
            ws.units().entry.setMultiplier(multiplier);
        ui.show(ws.units().entry.validateEntry());
    }
    QString lastMessage() const { return ui.messages.empty() ? QString() : ui.messages.back().text; }
};

// A small tmpfs of its own, mounted only by the superuser.
class SmallDisk {
public:
    explicit SmallDisk(const QString& folder) : m_folder(QFile::encodeName(folder))
    {
        QDir().mkpath(folder);
        m_mounted = ::geteuid() == 0 && ::mount("tmpfs", m_folder.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    // Fills what is left with one file.
    void fill() const
    {
        const int fd = ::open((m_folder + "/filler").constData(), O_WRONLY | O_CREAT, 0600);
        const QByteArray block(1024, 'x');
        while (::write(fd, block.constData(), static_cast<size_t>(block.size())) > 0) { }
        ::close(fd);
    }
    bool makeReadOnly() const { return ::mount(nullptr, m_folder.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

} // namespace

TEST_F(WorkspaceSafetyTest, ManualEntryOnAFullDiskKeepsTheHistoryAndSaysSo)
{
    const QStringList draws = makeHistory(102);
    auto ws = start(draws);
    {
        const FileSizeLimit full(4096);
        enter(*ws, 1);
        EXPECT_EQ(lastMessage(),
                  QStringLiteral("Fichier trop grand pour le disque : « %1 » n'a pas été enregistré ; l'ancien "
                                 "fichier est gardé tel quel.")
                          .arg(working)
                      + kKeptInWindow);
        EXPECT_EQ(readFile(working), crlf(draws));
        EXPECT_FALSE(ui.done(ws->units().history.exitSave()));
        EXPECT_EQ(readFile(working), crlf(draws));
    }
    EXPECT_EQ(ws->drawCount(), 103);
    EXPECT_TRUE(ui.done(ws->units().history.exitSave()));
    EXPECT_EQ(readFile(working), crlf(ws->liste().toStringList()));
}

TEST_F(WorkspaceSafetyTest, AnEntryThatCannotBeSavedFailsWithItsReasonAndWritesNothing)
{
    const QStringList draws = makeHistory(102); // more than the disk below takes
    auto ws = start(draws);
    const auto typed = [&ws](int first) {
        ws->units().list.clickListe(ws->liste().itemCount() - 1);
        for (int n = first; n < first + 20; ++n)
            ws->units().grid.setCheck(n, true);
        return ws->units().entry.validateEntry();
    };
    {
        const FileSizeLimit full(4096);
        const CommandOutcome outcome = typed(1);
        EXPECT_EQ(outcome.status, CommandOutcome::Status::Failed);
        EXPECT_TRUE(outcome.historyKept);
        EXPECT_EQ(outcome.saved, 0);
        EXPECT_TRUE(endsWith(outcome.reason, QStringLiteral("l'ancien fichier est gardé tel quel.") + kKeptInWindow));
        EXPECT_EQ(readFile(working), crlf(draws));
        // At the exit, why it failed is shown before the question of keeping the list beside.
        QString toldWhenAsked;
        ui.duringQuestion = [&] { toldWhenAsked = lastMessage(); };
        EXPECT_FALSE(ui.done(ws->units().history.exitSave()));
        ui.duringQuestion = nullptr;
        EXPECT_EQ(toldWhenAsked, outcome.reason);
        EXPECT_EQ(ui.confirmTexts.size(), 1);
        ui.messages.clear();
    }
    // Another program writes the folder: refused with the lock's reason, the file as it was.
    writeFile(data + QStringLiteral("/.tiravol.lock"), "4242\ntiravol\nposte-salon\n");
    const CommandOutcome locked = typed(2);
    EXPECT_FALSE(locked.isDone());
    EXPECT_TRUE(contains(locked.reason, QStringLiteral("poste-salon")));
    EXPECT_EQ(readFile(working), crlf(draws));
    QFile::remove(data + QStringLiteral("/.tiravol.lock"));
    const CommandOutcome saved = typed(3);
    EXPECT_TRUE(saved.isDone());
    EXPECT_EQ(saved.saved, 105);
    EXPECT_EQ(readFile(working), crlf(ws->liste().toStringList()));
    // Nothing was shown by the commands themselves: the outcome is the only word.
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(WorkspaceSafetyTest, RealFullAndReadOnlyDisksLeaveEveryFileAsItWas)
{
    const SmallDisk disk(root);
    if (!disk.mounted())
        GTEST_SKIP() << "needs the superuser to mount a small tmpfs";
    const QStringList draws = makeHistory(102);
    // The multipliers beside the history are kept with it, the one typed on the full disk too.
    const QString multipliers = data + QStringLiteral("/Multiplicateurs_keno.txt");
    const QByteArray multipliersBefore = (draws[0].left(10) + u' ' + draws[0].right(4) + QStringLiteral(" x2\r\n")).toUtf8();
    writeFile(multipliers, multipliersBefore);
    auto ws = start(draws);
    ASSERT_EQ(ws->state().history.multipliers().size(), 1);
    const QString ini = ws->settingsPath(), cfg = ws->config().criteriaFile(), report = root + QStringLiteral("/rapport.txt");
    ASSERT_TRUE(ui.done(ws->units().forecast.saveCriteria()));
    writeFile(report, "ancien rapport\r\n");
    const QByteArray iniBefore = readFile(ini), cfgBefore = readFile(cfg);
    disk.fill();

    enter(*ws, 1, -1, 7);
    // The file beside goes first, and the history is not written without it.
    EXPECT_TRUE(startsWith(lastMessage(),
                           QStringLiteral("Disque plein : « %1 » n'a pas été enregistré ; l'ancien fichier est "
                                          "gardé tel quel.")
                               .arg(multipliers)))
        << lastMessage().toStdString();
    EXPECT_TRUE(contains(lastMessage(), QStringLiteral("« %1 » n'a pas été remplacé non plus.").arg(working)));
    EXPECT_FALSE(ui.done(ws->units().history.exitSave()));
    EXPECT_FALSE(Settings(ini, true).setArchiveUrl(QStringLiteral("https://example.org/") + QString(300, QLatin1Char('a'))));
    EXPECT_FALSE(ui.done(ws->units().forecast.saveCriteria()));
    EXPECT_TRUE(startsWith(lastMessage(), QStringLiteral("Disque plein : « %1 »").arg(cfg)));
    ws->setExportEnabled(true);
    ui.saveNames = {report};
    EXPECT_FALSE(ui.done(ws->units().rankings.sorties()));
    EXPECT_TRUE(startsWith(lastMessage(), QStringLiteral("Disque plein : « %1 »").arg(report)));
    EXPECT_EQ(readFile(working), crlf(draws));
    EXPECT_EQ(readFile(ini), iniBefore);
    EXPECT_EQ(readFile(cfg), cfgBefore);
    EXPECT_EQ(readFile(report), QByteArray("ancien rapport\r\n"));
    EXPECT_EQ(readFile(multipliers), multipliersBefore);

    ASSERT_TRUE(disk.makeReadOnly());
    EXPECT_FALSE(ui.done(ws->units().history.exitSave()));
    EXPECT_TRUE(startsWith(lastMessage(), QStringLiteral("Disque en lecture seule : « %1 »").arg(multipliers)))
        << lastMessage().toStdString();
    EXPECT_EQ(readFile(working), crlf(draws));
    EXPECT_EQ(readFile(multipliers), multipliersBefore);
    // Nothing is lost from the window: the draw typed keeps its multiplier there.
    EXPECT_EQ(ws->state().history.multiplierOf(102), 7);
}

TEST_F(WorkspaceSafetyTest, ExportNeverReplacesAFileTheProgramKeeps)
{
    const QStringList draws = makeHistory(20);
    auto ws = start(draws);
    ASSERT_TRUE(ui.done(ws->units().forecast.saveCriteria()));
    // Names relative to the current folder, links and the base history are the command line's test.
    const QStringList kept = {
        data + QStringLiteral("/../Documents/TIRAGES_KENO.TXT"),
        ws->settingsPath(),
        ws->config().criteriaFile(),
        data + QStringLiteral("/keno_gagnant_a_vie.zip"),
        data + QStringLiteral("/keno_gagnant_a_vie.csv"),
    };
    ws->setExportEnabled(true);
    for (const QString& name : kept) {
        ui.messages.clear();
        ui.saveNames = {name};
        EXPECT_FALSE(ui.done(ws->units().rankings.sorties()));
        EXPECT_TRUE(startsWith(lastMessage(), QStringLiteral("« %1 » est ").arg(name)));
        EXPECT_TRUE(contains(lastMessage(), QStringLiteral("Rien n'a été écrit")));
    }
    EXPECT_EQ(readFile(working), crlf(draws));
    EXPECT_EQ(QDir(data).entryList(QDir::Files), QStringList{QStringLiteral("Tirages_keno.txt")});
    ui.saveNames = {data + QStringLiteral("/classement.txt")};
    EXPECT_TRUE(ui.done(ws->units().rankings.sorties()));
    EXPECT_EQ(readFile(data + QStringLiteral("/classement.txt")), crlf(ws->report().exportLines()));
}

TEST_F(WorkspaceSafetyTest, ACorrectionOnDiskIsNeverDroppedWithoutTheAnswer)
{
    const QStringList base = makeHistory(12);
    QStringList corrected = base;
    corrected[5] = drawWith(QDate::fromString(base[5].left(10), QStringLiteral("dd/MM/yyyy")), false, numberRange(51, 70), 1);
    writeFile(data + QStringLiteral("/Tirages.txt"), crlf(base));
    for (const bool answer : {false, true}) {
        SCOPED_TRACE(answer);
        auto ws = start(corrected);
        ui.show(reload(*ws)); // "Tous les tirages": the base history, without the correction
        ASSERT_EQ(ws->liste().toStringList(), base);
        ui.confirmTexts.clear();
        ui.confirmAnswers = {answer};
        EXPECT_EQ(ui.done(ws->units().history.exitSave()), answer);
        // Declined, the exit then offers to keep the list beside the file (declined too here).
        ASSERT_EQ(ui.confirmTexts.size(), answer ? 1 : 2);
        EXPECT_TRUE(startsWith(ui.confirmTexts[0], QStringLiteral("1 ligne de l'historique de travail")));
        EXPECT_TRUE(contains(ui.confirmTexts[0], corrected[5]));
        EXPECT_EQ(readFile(working), crlf(answer ? base : corrected));
    }
    // The player's own correction in the list is written without a question.
    auto ws = start(corrected);
    ui.confirmTexts.clear();
    enter(*ws, 1, 8);
    EXPECT_TRUE(ui.done(ws->units().history.exitSave()));
    EXPECT_TRUE(ui.confirmTexts.isEmpty());
    EXPECT_EQ(readFile(working), crlf(ws->liste().toStringList()));
    EXPECT_NE(ws->liste().text(8), corrected[8]);
}

TEST_F(WorkspaceSafetyTest, NoLockIsHeldWhileThePlayerIsAskedAndAWriteMeanwhileIsKept)
{
    const QStringList base = makeHistory(12);
    QStringList corrected = base;
    corrected[5] = drawWith(QDate::fromString(base[5].left(10), QStringLiteral("dd/MM/yyyy")), false, numberRange(51, 70), 1);
    writeFile(data + QStringLiteral("/Tirages.txt"), crlf(base));
    auto ws = start(corrected);
    ui.show(reload(*ws)); // the base history, without the correction: replacing the file asks
    const QByteArray newer = crlf(QStringList(corrected) << makeHistory(13).last());
    bool wasFree = false;
    ui.duringQuestion = [&] {
        DataFolderLock other(data, 0);
        wasFree = other.acquire();
        if (wasFree)
            writeFile(working, newer);
    };
    ui.confirmAnswers = {true};
    EXPECT_FALSE(ui.done(ws->units().history.exitSave()));
    EXPECT_TRUE(wasFree);
    ASSERT_GE(ui.confirmTexts.size(), 1);
    EXPECT_TRUE(startsWith(ui.confirmTexts[0], QStringLiteral("1 ligne de l'historique de travail")));
    // The yes was about the file as it was: the newer one is kept, the list goes beside it.
    EXPECT_EQ(readFile(working), newer);
    const QStringList beside = QDir(data).entryList({QStringLiteral("Tirages_keno.conflit-*.txt")}, QDir::Files);
    ASSERT_EQ(beside.size(), 1);
    EXPECT_EQ(readFile(data + u'/' + beside[0]), crlf(base));
}

TEST_F(WorkspaceSafetyTest, AnExitWithNothingNewKeepsTheFileWithOneWordAndNothingBeside)
{
    ASSERT_EQ(makeHistory(12).mid(0, 10), makeHistory(10));
    const auto beside = [this] { return QDir(data).entryList({QStringLiteral("Tirages_keno.conflit-*.txt")}, QDir::Files); };
    const QString kept = QStringLiteral("L'historique de travail « %1 » est gardé tel quel : il contient tous les tirages de la "
                                        "liste affichée, et 2 tirages de plus.")
                             .arg(working);
    {
        // Another program added two draws; nothing was typed in the window.
        auto ws = start(makeHistory(10));
        const QByteArray newer = crlf(makeHistory(12));
        writeFile(working, newer);
        EXPECT_TRUE(ui.done(ws->units().history.exitSave()));
        EXPECT_TRUE(ui.confirmTexts.isEmpty());
        EXPECT_EQ(readFile(working), newer);
        EXPECT_TRUE(beside().isEmpty());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, kept);
    }
    // A failed download leaves the base history in the list: the file is kept, said once.
    ui.messages.clear();
    writeFile(data + QStringLiteral("/Tirages.txt"), crlf(makeHistory(10)));
    auto ws = start(makeHistory(12));
    ui.show(reload(*ws));
    ASSERT_EQ(ws->drawCount(), 10);
    ui.messages.clear();
    EXPECT_TRUE(ui.done(ws->units().history.exitSave()));
    EXPECT_TRUE(ui.confirmTexts.isEmpty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kept);
    EXPECT_EQ(readFile(working), crlf(makeHistory(12)));
    EXPECT_TRUE(beside().isEmpty());
}

TEST_F(WorkspaceSafetyTest, AnotherWriterMakesTheSaveWaitThenRefuseAndItsNewerFileIsKept)
{
    const QStringList draws = makeHistory(10);
    auto ws = start(draws);
    {
        DataFolderLock other(data, 0);
        ASSERT_TRUE(other.acquire());
        enter(*ws, 1);
        EXPECT_TRUE(startsWith(lastMessage(), QStringLiteral("Le dossier des données « %1 » est en cours d'écriture").arg(data)));
        EXPECT_TRUE(endsWith(lastMessage(), kKeptInWindow));
        EXPECT_EQ(readFile(working), crlf(draws));
        // Nor are both histories rebuilt meanwhile: refused before any archive is asked for.
        ui.messages.clear();
        ui.show(ws->construireHistorique());
        EXPECT_TRUE(startsWith(lastMessage(), QStringLiteral("Le dossier des données")));
    }
    EXPECT_TRUE(ui.done(ws->units().history.exitSave()));
    EXPECT_EQ(ws->drawCount(), 11);
    EXPECT_EQ(readFile(working), crlf(ws->liste().toStringList()));

    // Another program adds a draw (a scheduled download, say).
    const QByteArray newer = crlf(makeHistory(12));
    writeFile(working, newer);
    enter(*ws, 30);
    EXPECT_EQ(readFile(working), newer);
    const QStringList beside = QDir(data).entryList({QStringLiteral("Tirages_keno.conflit-*.txt")}, QDir::Files);
    ASSERT_EQ(beside.size(), 1);
    EXPECT_EQ(readFile(data + QLatin1Char('/') + beside[0]), crlf(ws->liste().toStringList()));
    EXPECT_TRUE(contains(lastMessage(), QStringLiteral("a été modifié par un autre programme")));
    EXPECT_TRUE(contains(lastMessage(), beside[0]));
    // The exit writes the same file beside, not over the newer one, nor a second copy.
    enter(*ws, 40);
    EXPECT_FALSE(ui.done(ws->units().history.exitSave()));
    EXPECT_EQ(readFile(working), newer);
    EXPECT_EQ(QDir(data).entryList({QStringLiteral("Tirages_keno.conflit-*.txt")}, QDir::Files), beside);
    EXPECT_EQ(readFile(data + QLatin1Char('/') + beside[0]), crlf(ws->liste().toStringList()));
    // Read again (the list is safe beside it), the newer file is the window's to write.
    ui.confirmAnswers = {true};
    ui.show(ws->units().history.chargeManuelle());
    enter(*ws, 50);
    EXPECT_EQ(readFile(working), crlf(ws->liste().toStringList()));
    EXPECT_EQ(ws->drawCount(), 13);
}

// A bad sector in the working history: the load fails and says so, the list stays as it was, and
// nothing is written over the file (not an entry, not the exit) until it is read whole again.
TEST_F(WorkspaceSafetyTest, AReadErrorInTheWorkingHistoryStopsEveryWriteUntilItIsReadWhole)
{
    const QStringList draws = makeHistory(300);
    const QByteArray bytes = crlf(draws);
    std::unique_ptr<Workspace> ws;
    {
        const EioFault badSector("Tirages_keno.txt", 7700);
        ws = start(draws);
        EXPECT_TRUE(contains(ws->loadFailure(), QStringLiteral("le disque a signalé une erreur, après 7700 octets")));
        EXPECT_EQ(ws->drawCount(), 0);
        enter(*ws, 1);
        EXPECT_EQ(ws->drawCount(), 0);
        EXPECT_TRUE(startsWith(lastMessage(), QStringLiteral("L'historique de travail « %1 » n'est pas modifié").arg(working)));
        ui.messages.clear();
        EXPECT_TRUE(ui.done(ws->units().history.exitSave())); // nothing typed is at stake
        ASSERT_EQ(ui.messages.size(), 1);
        EXPECT_TRUE(contains(lastMessage(), ws->loadFailure()));
    }
    EXPECT_EQ(readFile(working), bytes);
    ui.show(ws->units().history.chargeManuelle()); // readable again
    EXPECT_TRUE(ws->loadFailure().isEmpty());
    enter(*ws, 1);
    ASSERT_EQ(ws->drawCount(), 301);
    const QByteArray saved = readFile(working);
    EXPECT_EQ(saved, crlf(ws->liste().toStringList()));

    // Failing again later, the list read before is kept, and still not written.
    {
        const EioFault again("Tirages_keno.txt", 0);
        ui.show(ws->units().history.chargeManuelle());
        EXPECT_FALSE(ws->loadFailure().isEmpty());
        EXPECT_EQ(ws->drawCount(), 301);
        enter(*ws, 21);
        EXPECT_EQ(ws->drawCount(), 301);
        EXPECT_TRUE(ui.done(ws->units().history.exitSave()));
    }
    EXPECT_EQ(readFile(working), saved);
    EXPECT_EQ(QDir(data).entryList(QDir::Files), QStringList{QStringLiteral("Tirages_keno.txt")});
}

// The base history read for "Tous les tirages" and the calendar filter: a failed read merges no
// archive, keeps the list, writes nothing. A history too large for any real one fails alike.
TEST_F(WorkspaceSafetyTest, AFailedReadOfTheBaseOrAHugeHistoryWritesNothing)
{
    const QStringList draws = makeHistory(300);
    const QString base = data + QStringLiteral("/Tirages.txt");
    writeFile(base, crlf(draws.mid(0, 250)));
    auto ws = start(draws);
    {
        const EioFault badSector("Tirages.txt", 77 * 100);
        ui.show(reload(*ws));
        EXPECT_TRUE(contains(ws->loadFailure(), QStringLiteral("Tirages.txt")));
        EXPECT_EQ(ws->liste().toStringList(), draws);
        ui.show(periodeEtude(*ws));
        EXPECT_EQ(ws->liste().toStringList(), draws);
        EXPECT_EQ(ws->listOrigin(), ListOrigin::Working);
        enter(*ws, 1);
        EXPECT_EQ(ws->drawCount(), 300);
    }
    EXPECT_EQ(readFile(working), crlf(draws));
    EXPECT_EQ(readFile(base), crlf(draws.mid(0, 250)));

    QFile file(working);
    ASSERT_TRUE(file.resize(HistoryFile::kLargestHistory + 1)); // sparse: no disk used
    ui.show(ws->units().history.chargeManuelle());
    EXPECT_TRUE(contains(lastMessage(), QStringLiteral("est trop grand pour un historique")));
    EXPECT_EQ(ws->drawCount(), 300);
    enter(*ws, 1);
    EXPECT_TRUE(ui.done(ws->units().history.exitSave()));
    EXPECT_EQ(QFileInfo(working).size(), HistoryFile::kLargestHistory + 1);
}

TEST_F(WorkspaceSafetyTest, ARebuildOverABaseThatCannotBeReadWholeWritesNothing)
{
    const QStringList draws = makeHistory(300, QDate(2020, 1, 1));
    const QString base = data + QStringLiteral("/Tirages.txt");
    writeFile(base, crlf(draws.mid(0, 250)));
    auto ws = start(draws);
    const QString archive = root + QStringLiteral("/keno.csv");
    writeFile(archive, operatorCsv(draws.mid(200)));
    ui.confirmAnswers = {true, true};
    HistoryBuild built;
    {
        const EioFault badSector("Tirages.txt", 77 * 100);
        built = ws->buildHistory({archive});
    }
    EXPECT_EQ(built.status, HistoryBuild::Status::WriteFailed);
    EXPECT_TRUE(startsWith(built.text,
                           QStringLiteral("L'historique existant ne peut pas être lu : rien n'a été écrit.\n"
                                          "Le fichier « %1 » n'a pas pu être lu jusqu'au bout")
                               .arg(base)))
        << built.text.toStdString();
    EXPECT_EQ(readFile(base), crlf(draws.mid(0, 250)));
    EXPECT_EQ(readFile(working), crlf(draws));
}
