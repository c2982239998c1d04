// The real tiravol-cli binary: the in-process bytes as UTF-8 whatever the locale, exit 2 on a usage
// error, writers taking turns, and Ctrl+C stopping a long walk with the records found so far, or a
// download with the history untouched.
#include "history/HistoryFile.h"
#include "shell/DataFolderLock.h"
#include "support/CliSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTcpServer>

#include <csignal>
#include <sys/types.h>

using namespace TestSupport;

namespace {

class CliMainTest : public CliTest {
protected:
    void start(QProcess& process, const QStringList& args) const
    {
        process.start(QStringLiteral(TIRAVOL_CLI_PATH), QStringList{QStringLiteral("--data-dir"), m_data.path()} + args);
    }
    // Still busy after a second and a half, then stopped by Ctrl+C: it ends on its own with 1.
    void interrupt(QProcess& process, const QStringList& args) const
    {
        start(process, args);
        ASSERT_TRUE(process.waitForStarted(10000));
        ASSERT_FALSE(process.waitForFinished(1500)); // else kill() would get pid 0: the whole group
        ::kill(static_cast<pid_t>(process.processId()), SIGINT);
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 1);
    }
    // The process's reads of `fileName` fail with EIO from byte `from` on (a bad disk).
    static void failReads(QProcess& process, const char* fileName, qint64 from)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(TIRAVOL_EIO_SHIM_PATH));
        env.insert(QStringLiteral("TIRAVOL_EIO_FILE"), QString::fromLatin1(fileName));
        env.insert(QStringLiteral("TIRAVOL_EIO_FROM"), QString::number(from));
        // A sanitized binary wants its runtime first in the list; the shim only forwards to it.
        const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   asan + (asan.isEmpty() ? QString() : QStringLiteral(":")) + QStringLiteral("verify_asan_link_order=0"));
        process.setProcessEnvironment(env);
    }
    // "add first,first+1,...,first+19", taken from a draw line.
    static QStringList add(int first) { return {QStringLiteral("add"), drawFrom("", first).mid(1, 59).replace(u' ', u',')}; }
};

TEST_F(CliMainTest, BinaryPrintsTheInProcessReportAndExitsTwoOnAUsageError)
{
    writeHistory(makeHistory(9));
    const CliOutput expected = cli("--until 6 ecarts");
    ASSERT_EQ(expected.code, 0);
    qputenv("LC_ALL", "C"); // inherited by the process
    QProcess process;
    start(process, words("--until 6 ecarts"));
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput(), expected.out.toUtf8());
    EXPECT_EQ(process.readAllStandardError(), QByteArray());

    start(process, {QStringLiteral("classement")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_EQ(process.readAllStandardOutput(), QByteArray());
}

TEST_F(CliMainTest, WritersTakeTurnsAndNoDrawIsLost)
{
    writeHistory(makeHistory(10));
    // Four at once: each either adds its draw or refuses; none is lost by another's write.
    QProcess processes[4];
    for (int i = 0; i < 4; ++i)
        start(processes[i], add(1 + 10 * i));
    int added = 0;
    for (QProcess& p : processes) {
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_TRUE(p.exitCode() == 0 || p.exitCode() == 1);
        added += p.exitCode() == 0 ? 1 : 0;
    }
    EXPECT_GE(added, 1);
    EXPECT_EQ(readFile(working()).count("\r\n"), 10 + added);

    // A writer that holds the folder: the next one waits, then refuses and writes nothing.
    const QByteArray before = readFile(working());
    DataFolderLock holder(m_data.path(), 0);
    ASSERT_TRUE(holder.acquire());
    QProcess late;
    start(late, add(41));
    ASSERT_TRUE(late.waitForFinished(60000));
    EXPECT_EQ(late.exitCode(), 1);
    // Refused by the command's own lock, taken before the history is read, not by the save's.
    const QString refusal = QString::fromUtf8(late.readAllStandardError());
    EXPECT_TRUE(startsWith(refusal, QStringLiteral("tiravol-cli : Le dossier des données « ")));
    EXPECT_TRUE(contains(refusal, QStringLiteral("est en cours d'écriture")));
    EXPECT_EQ(readFile(working()), before);
}

TEST_F(CliMainTest, WritersThroughALinkAndTheRealPathTakeOneLockAndKeepEveryDraw)
{
    writeHistory(makeHistory(10));
    // The same file named from another folder, as a player's shortcut would.
    QTemporaryDir elsewhere;
    const QString linked = elsewhere.filePath(QStringLiteral("historique.txt"));
    ASSERT_TRUE(QFile::link(working(), linked));
    // Two loops of ten adds at once, one through each name; every add must get its turn.
    auto loop = [&](const QStringList& where, int from) {
        QStringList commands;
        for (int i = 0; i < 10; ++i) {
            QStringList args = QStringList{QStringLiteral(TIRAVOL_CLI_PATH)} + where + add(1 + (from + i) % 50);
            for (QString& a : args)
                a = u'\'' + a + u'\'';
            commands << args.join(u' ') + QStringLiteral(" >/dev/null || exit 1");
        }
        auto* shell = new QProcess;
        shell->start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), commands.join(u'\n')});
        return std::unique_ptr<QProcess>(shell);
    };
    const auto viaLink = loop({QStringLiteral("--data-dir"), m_data.path(), QStringLiteral("--history"), linked}, 0);
    const auto viaFolder = loop({QStringLiteral("--data-dir"), m_data.path()}, 25);
    for (QProcess* p : {viaLink.get(), viaFolder.get()}) {
        ASSERT_TRUE(p->waitForFinished(240000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    EXPECT_TRUE(QFileInfo(linked).isSymLink());
    const QList<QByteArray> lines = readFile(working()).split('\n');
    ASSERT_EQ(lines.size(), 10 + 20 + 1);
    QSet<QByteArray> numbers;
    for (int i = 10; i < 30; ++i)
        numbers.insert(lines[i].mid(10, 60));
    EXPECT_EQ(numbers.size(), 20); // twenty different draws, none lost
}

TEST_F(CliMainTest, InterruptedWalkPrintsItsLinesAndSaysSo)
{
    writeHistory(makeHistory(50));
    QStringList all;
    for (int n = 1; n <= 70; ++n)
        all << QString::number(n);
    // Hundreds of billions of combinations: still walking after a second.
    for (const char* command : {"plus-sortis 10", "recherche-ecart 10 1"}) {
        QProcess process;
        interrupt(process, QStringList{QStringLiteral("--numbers"), all.join(u',')} + words(command));
        const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
        ASSERT_GE(lines.size(), 3);
        EXPECT_TRUE(lines[0].startsWith("Classement par sorties au "));
        EXPECT_TRUE(lines[1].startsWith(" 1 2 3 4 5 6 7 8 9 10  ")) << lines[1].toStdString();
        // Right after the records, what share of the walk they cover.
        const qsizetype stopped = lines.indexOf(QByteArray("Recherche arrêtée : 0 % des combinaisons examinées"));
        ASSERT_GE(stopped, 2);
        EXPECT_TRUE(lines[stopped - 1].startsWith(" 1 2 3 4 5 ")) << lines[stopped - 1].toStdString();
        EXPECT_TRUE(process.readAllStandardError().startsWith("tiravol-cli : interrompu"));
    }
}

TEST_F(CliMainTest, InterruptedDownloadLeavesTheHistoryAsItWas)
{
    writeHistory(makeHistory(20));
    const QByteArray before = readFile(working());
    // A server that takes the connection and never answers: the download waits until stopped.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    QProcess process;
    interrupt(process,
              {QStringLiteral("download"), QStringLiteral("--url"),
               QStringLiteral("http://127.0.0.1:%1/keno.zip").arg(silent.serverPort())});
    EXPECT_TRUE(contains(QString::fromUtf8(process.readAllStandardError()),
                         QStringLiteral("tiravol-cli : interrompu : le téléchargement est arrêté")));
    EXPECT_EQ(readFile(working()), before);
}

TEST_F(CliMainTest, AReadErrorInTheHistoryFailsEveryCommandAndWritesNothing)
{
    writeHistory(makeHistory(400), true);
    const QByteArray working = readFile(this->working());
    const QByteArray base = readFile(dataFile("Tirages.txt"));
    const QString archive = m_home.filePath(QStringLiteral("keno.csv"));
    writeFile(archive, operatorCsv(makeHistory(5, QDate(2026, 1, 1))));
    struct Case {
        const char* file;
        qint64 from;
        QStringList args;
    };
    const Case cases[] = {
        {"Tirages_keno.txt", 20000, add(1)},
        {"Tirages_keno.txt", 0, add(1)},
        {"Tirages_keno.txt", 20000, {QStringLiteral("sorties")}},
        {"Tirages.txt", 20000, {QStringLiteral("import"), archive}},
    };
    for (const Case& c : cases) {
        QProcess process;
        failReads(process, c.file, c.from);
        start(process, c.args);
        ASSERT_TRUE(process.waitForFinished(60000));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_EQ(process.exitCode(), 1) << c.file << ' ' << c.args.join(u' ').toStdString() << '\n' << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("n'a pas pu être lu jusqu'au bout (le disque a signalé une erreur, après "
                                                "%1 octets)")
                                     .arg(c.from)))
            << err.toStdString();
        EXPECT_EQ(readFile(this->working()), working);
        EXPECT_EQ(readFile(dataFile("Tirages.txt")), base);
    }
    EXPECT_EQ(QDir(m_data.path()).entryList(QDir::Files).size(), 2); // no conflict file, nothing aside
}

TEST_F(CliMainTest, AHistoryLargerThanAnyRealOneIsRefusedAtOnce)
{
    writeHistory(makeHistory(10));
    QFile file(working());
    ASSERT_TRUE(file.resize(HistoryFile::kLargestHistory + 1)); // sparse: no disk used
    const auto head = [this] {
        QFile f(working());
        return f.open(QIODevice::ReadOnly) ? f.read(2000) : QByteArray();
    };
    const QByteArray before = head();
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    start(process, add(1));
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError()).contains(QStringLiteral("est trop grand pour un historique")));
    EXPECT_EQ(QFileInfo(working()).size(), HistoryFile::kLargestHistory + 1);
    EXPECT_EQ(head(), before);
}

} // namespace
