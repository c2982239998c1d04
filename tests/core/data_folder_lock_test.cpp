// SPDX-License-Identifier: GPL-3.0-or-later
// The data folder's lock: one lock per history whatever the path, and lock files left behind
// (empty, of a dead program, of another computer) never block a save for good.
#include "shell/CommandUnits.h"
#include "shell/DataFolderLock.h"
#include "shell/Workspace.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>

using namespace TestSupport;

namespace {

class DataFolderLockTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString data = tmp.path();
    QString lockFile = data + QStringLiteral("/.tiravol.lock");
    QString working = data + QStringLiteral("/Tirages_keno.txt");
    ScriptedUi ui;

    // A lock file as a program would have left it, `age` seconds old.
    void leaveLock(const QByteArray& content, int age) const
    {
        writeFile(lockFile, content);
        QFile file(lockFile);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-age), QFileDevice::FileModificationTime));
    }
    static QByteArray lockOf(qint64 pid, const QString& host)
    {
        return QByteArray::number(pid) + "\ntiravol\n" + host.toUtf8() + '\n';
    }
    // Enters the next draw by hand, as the window does; true when the file got it.
    bool enterDraw(Workspace& ws, int first)
    {
        ws.units().list.clickListe(ws.liste().itemCount() - 1);
        for (int n = first; n < first + 20; ++n)
            ws.units().grid.setCheck(n, true);
        ui.show(ws.units().entry.validateEntry());
        return readFile(working) == crlf(ws.liste().toStringList());
    }
    std::unique_ptr<Workspace> start()
    {
        writeFile(working, crlf(makeHistory(10)));
        WorkspaceConfig config;
        config.dataFolder = data;
        config.appDataFolder = data + QStringLiteral("/config");
        config.writeLockWaitMs = 200;
        auto ws = std::make_unique<Workspace>(config, &ui);
        ui.watch(*ws);
        ui.show(ws->startUp());
        ui.messages.clear();
        return ws;
    }
    QString lastMessage() const { return ui.messages.empty() ? QString() : ui.messages.back().text; }
};

TEST_F(DataFolderLockTest, EveryPathToOneHistoryGivesOneFolder)
{
    const QString real = data + QStringLiteral("/real"), other = data + QStringLiteral("/other");
    QDir().mkpath(real);
    QDir().mkpath(other);
    writeFile(real + QStringLiteral("/Tirages_keno.txt"), "x");
    ASSERT_TRUE(QFile::link(real + QStringLiteral("/Tirages_keno.txt"), other + QStringLiteral("/linked.txt")));
    ASSERT_TRUE(QFile::link(real, data + QStringLiteral("/alias")));
    const QString canonical = QFileInfo(real).canonicalFilePath();
    EXPECT_EQ(DataFolderLock::folderFor(other + QStringLiteral("/linked.txt")), canonical);
    EXPECT_EQ(DataFolderLock::folderFor(data + QStringLiteral("/alias/Tirages_keno.txt")), canonical);
    // Not written yet: the folder it will be written in, links resolved too.
    EXPECT_EQ(DataFolderLock::folderFor(data + QStringLiteral("/alias/nouveau.txt")), canonical);
    EXPECT_EQ(DataFolderLock::folderFor(other + QStringLiteral("/nouveau.txt")), QFileInfo(other).canonicalFilePath());
}

TEST_F(DataFolderLockTest, AnEmptyLockBlocksAMinuteThenIsTakenOver)
{
    auto ws = start();
    // A writer killed between creating the file and filling it, a moment ago: it may be alive.
    leaveLock(QByteArray(), 10);
    EXPECT_FALSE(enterDraw(*ws, 1));
    // Its age is told: ten seconds and the wait, a slow machine counting one more.
    EXPECT_TRUE(startsWith(lastMessage(),
                           QStringLiteral("Le dossier des données « %1 » est en cours d'écriture par un autre "
                                          "programme (depuis 1")
                               .arg(QDir::toNativeSeparators(data))))
        << lastMessage().toStdString();
    EXPECT_TRUE(contains(lastMessage(), QStringLiteral(" s) : rien n'a été écrit.")));
    // Older than a minute: nobody will ever fill it.
    leaveLock(QByteArray(), 61);
    EXPECT_TRUE(ui.done(ws->units().history.exitSave()));
    EXPECT_EQ(readFile(working), crlf(ws->liste().toStringList()));
    EXPECT_FALSE(QFileInfo::exists(lockFile));
    EXPECT_EQ(ws->drawCount(), 11);
}

TEST_F(DataFolderLockTest, ALockOfADeadProgramOfThisComputerIsTakenOver)
{
    auto ws = start();
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted(10000));
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished(10000));
    leaveLock(lockOf(pid, QSysInfo::machineHostName()), 3600);
    EXPECT_TRUE(enterDraw(*ws, 1)) << lastMessage().toStdString();
    // A live one is waited for, then refused, whatever its age.
    leaveLock(lockOf(QCoreApplication::applicationPid(), QSysInfo::machineHostName())
                  .replace("tiravol", QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8()),
              3600);
    EXPECT_FALSE(enterDraw(*ws, 21));
    EXPECT_TRUE(contains(lastMessage(), QStringLiteral("(processus %1)").arg(QCoreApplication::applicationPid())));
}

TEST_F(DataFolderLockTest, ALockOfAnotherComputerIsNamedWithItsAgeAndKept)
{
    auto ws = start();
    const QByteArray other = lockOf(4242, QStringLiteral("poste-salon"));
    leaveLock(other, 2 * 3600 + 5 * 60);
    const QByteArray before = readFile(working);
    EXPECT_FALSE(enterDraw(*ws, 1));
    EXPECT_EQ(readFile(working), before);
    EXPECT_EQ(readFile(lockFile), other);
    EXPECT_TRUE(startsWith(lastMessage(),
                           QStringLiteral("Le dossier des données « %1 » est verrouillé depuis 2 h 5 min par "
                                          "« tiravol » (processus 4242) sur l'ordinateur « poste-salon » : "
                                          "rien n'a été écrit. Si cet ordinateur n'écrit plus dans ce "
                                          "dossier, supprimez le fichier « %2 » puis réessayez.")
                               .arg(QDir::toNativeSeparators(data), QDir::toNativeSeparators(lockFile))))
        << lastMessage().toStdString();
    // The exit offers to keep the typed draw beside the history, and quits once it is there.
    const auto conflicts = [this] { return QDir(data).entryList({QStringLiteral("Tirages_keno.conflit-*.txt")}, QDir::Files); };
    ui.confirmAnswers = {false};
    EXPECT_FALSE(ui.done(ws->units().history.exitSave()));
    ASSERT_EQ(ui.confirmTexts.size(), 1);
    EXPECT_TRUE(startsWith(ui.confirmTexts[0],
                           QStringLiteral("L'historique de travail n'a pas été enregistré : 1 tirage "
                                          "de la liste n'y est pas.")));
    EXPECT_TRUE(conflicts().isEmpty());
    ui.confirmAnswers = {true};
    EXPECT_TRUE(ui.done(ws->units().history.exitSave()));
    ASSERT_EQ(conflicts().size(), 1);
    EXPECT_EQ(readFile(data + u'/' + conflicts()[0]), crlf(ws->liste().toStringList()));
    EXPECT_TRUE(contains(lastMessage(), conflicts()[0]));
    EXPECT_EQ(readFile(working), before);
    // The way out the refusal gives works.
    QFile::remove(lockFile);
    EXPECT_TRUE(enterDraw(*ws, 21));
}

} // namespace
