// SPDX-License-Identifier: GPL-3.0-or-later
// The real tiravol-cli binary: the in-process bytes as UTF-8 whatever the locale, exit 2 on a usage
// error, a failed read of a history failing the run, a failed write to standard output failing the
// run, -o refusing what is not a file, writers taking turns, and Ctrl+C stopping a long walk with the
// records found so far, or a download with the history untouched. The window's binary reads its
// command line the same way.
#include "history/HistoryFile.h"
#include "history/MultiplierFile.h"
#include "shell/DataFolderLock.h"
#include "support/CliSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTcpServer>

#include <algorithm>
#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <vector>

using namespace TestSupport;

namespace {

class CliMainTest : public CliTest {
protected:
    void start(QProcess& process, const QStringList& args) const
    {
        process.start(QStringLiteral(TIRAVOL_CLI_PATH), QStringList{QStringLiteral("--data-dir"), m_data.path()} + args);
    }
    // Starts every command at once; how many of them wrote (exit 0), each either writing or refusing.
    int writtenAtOnce(const std::vector<QStringList>& commands) const
    {
        std::vector<std::unique_ptr<QProcess>> processes;
        for (const QStringList& args : commands) {
            processes.push_back(std::make_unique<QProcess>());
            start(*processes.back(), args);
        }
        int written = 0;
        for (const auto& p : processes) {
            EXPECT_TRUE(p->waitForFinished(60000));
            EXPECT_TRUE(p->exitCode() == 0 || p->exitCode() == 1);
            written += p->exitCode() == 0 ? 1 : 0;
        }
        return written;
    }
    // What the command says while another program holds the data folder; it must end with 1.
    QString refusalWhileHeld(const QStringList& args) const
    {
        DataFolderLock holder(m_data.path(), 0);
        EXPECT_TRUE(holder.acquire());
        QProcess late;
        start(late, args);
        EXPECT_TRUE(late.waitForFinished(60000));
        EXPECT_EQ(late.exitCode(), 1);
        return QString::fromUtf8(late.readAllStandardError());
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
    struct Run {
        int code = -1;
        QString out, err;
    };
    // The program run to its end; `prepare` sets the process up before it starts.
    Run run(const QString& program, const QStringList& args, const std::function<void(QProcess&)>& prepare = {}) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // Else the window warns first that it has none.
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
        process.setProcessEnvironment(environment);
        if (prepare)
            prepare(process);
        process.start(program, args);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    Run runCli(const QStringList& args, const std::function<void(QProcess&)>& prepare = {}) const
    {
        return run(QStringLiteral(TIRAVOL_CLI_PATH), QStringList{QStringLiteral("--data-dir"), m_data.path()} + args, prepare);
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
    const int added = writtenAtOnce({add(1), add(11), add(21), add(31)});
    EXPECT_GE(added, 1);
    EXPECT_EQ(readFile(working()).count("\r\n"), 10 + added);

    // A writer that holds the folder: the next one waits, then refuses and writes nothing.
    const QByteArray before = readFile(working());
    // Refused by the command's own lock, taken before the history is read, not by the save's.
    const QString refusal = refusalWhileHeld(add(41));
    EXPECT_TRUE(startsWith(refusal, QStringLiteral("tiravol-cli : Le dossier des données « ")));
    EXPECT_TRUE(contains(refusal, QStringLiteral("est en cours d'écriture")));
    EXPECT_EQ(readFile(working()), before);
}

TEST_F(CliMainTest, WritersWithMultipliersTakeTurnsAndTheFileBesideFollowsTheHistory)
{
    writeHistory(makeHistory(10));
    // Each draw's first number says which writer typed it, and so its multiplier.
    const auto withMultiplier = [](int first) {
        return add(first) + QStringList{QStringLiteral("--multiplicateur"), QString::number(first / 10 + 2)};
    };
    const int added = writtenAtOnce({withMultiplier(1), withMultiplier(11), withMultiplier(21), withMultiplier(31)});
    EXPECT_GE(added, 1);
    const HistoryFile::ListReadResult history = HistoryFile::readList(working());
    ASSERT_TRUE(history.found);
    ASSERT_EQ(history.list.drawCount(), 10 + added);
    const QString beside = QDir(m_data.path()).filePath(QStringLiteral("Multiplicateurs_keno.txt"));
    const MultiplierFile::ReadResult read = MultiplierFile::read(beside, FormulaId::Keno20of70);
    ASSERT_FALSE(read.failed) << read.notice.toStdString();
    // One line a draw typed, none for a draw the history lacks, each with its writer's value.
    EXPECT_EQ(read.values.size(), added);
    EXPECT_EQ(read.values, read.values.keptFor(history.list));
    for (int i = 10; i < history.list.drawCount(); ++i) {
        const int first = history.list.numbers(i).values[0];
        EXPECT_EQ(read.values.of(history.list.date(i), history.list.slotIndex(i)), first / 10 + 2) << i;
    }
    EXPECT_EQ(readFile(beside), MultiplierFile::bytesOf(read.values, history.list));
}

TEST_F(CliMainTest, TicketsAddedAtOnceAreAllKeptAndAHeldFolderRefusesTheNext)
{
    writeHistory(makeHistory(10));
    // Four players' tickets at once: read, add, write each in turn, none written over.
    const auto ticket = [](int i) {
        return QStringList{QStringLiteral("grilles"),
                           QStringLiteral("--ajouter"),
                           QStringLiteral("G%1").arg(i),
                           QStringLiteral("--numbers"),
                           QStringLiteral("1,2,3,%1").arg(10 + i),
                           QStringLiteral("--from"),
                           QStringLiteral("01/10/2025")};
    };
    const int added = writtenAtOnce({ticket(0), ticket(1), ticket(2), ticket(3)});
    EXPECT_GE(added, 1);
    const QString tickets = QString::fromUtf8(readFile(QDir(m_data.path()).filePath(QStringLiteral("Grilles.txt"))));
    int kept = 0;
    for (int i = 0; i < 4; ++i)
        kept += tickets.contains(QStringLiteral("\nG%1;").arg(i)) ? 1 : 0;
    EXPECT_EQ(kept, added) << tickets.toStdString();

    const QByteArray before = readFile(QDir(m_data.path()).filePath(QStringLiteral("Grilles.txt")));
    EXPECT_TRUE(contains(refusalWhileHeld(ticket(4)), QStringLiteral("est en cours d'écriture")));
    EXPECT_EQ(readFile(QDir(m_data.path()).filePath(QStringLiteral("Grilles.txt"))), before);

    // The history read from another folder: the tickets file's own folder is still the one locked.
    QTemporaryDir elsewhere;
    const QString history = elsewhere.filePath(QStringLiteral("Tirages_keno.txt"));
    ASSERT_TRUE(QFile::copy(working(), history));
    EXPECT_TRUE(contains(refusalWhileHeld(QStringList{QStringLiteral("--history"), history} + ticket(5)),
                         QStringLiteral("est en cours d'écriture")));
    EXPECT_EQ(readFile(QDir(m_data.path()).filePath(QStringLiteral("Grilles.txt"))), before);
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
        const auto found = std::find_if(lines.begin(), lines.end(), [](const QByteArray& line) {
            return line.startsWith("Recherche arrêtée : ") && line.endsWith(" des combinaisons examinées");
        });
        const qsizetype stopped = found == lines.end() ? -1 : found - lines.begin();
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

// The real program killed right after the multipliers were put in place, before its history:
// the history is as it was, and the multiplier of the draw it never got is never used.
TEST_F(CliMainTest, AKillBetweenTheMultipliersAndTheHistoryMixesNothing)
{
    const QStringList draws = makeHistory(9);
    writeHistory(draws);
    const QByteArray kept = "16/09/1993 midi x3\r\n";
    writeFile(dataFile("Multiplicateurs_keno.txt"), kept);
    const Run killed = runCli(add(1) + QStringList{QStringLiteral("--multiplicateur"), QStringLiteral("5")}, [](QProcess& p) {
        QProcessEnvironment env = p.processEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(TIRAVOL_EIO_SHIM_PATH));
        env.insert(QStringLiteral("TIRAVOL_KILL_AFTER_RENAME"), QStringLiteral("Multiplicateurs_keno.txt"));
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
        p.setProcessEnvironment(env);
    });
    EXPECT_EQ(killed.code, -1); // did not end by itself
    EXPECT_EQ(readFile(working()), crlf(draws));
    EXPECT_NE(readFile(dataFile("Multiplicateurs_keno.txt")), kept);

    const Run again = runCli(add(1));
    ASSERT_EQ(again.code, 0) << again.err.toStdString();
    EXPECT_EQ(readFile(working()).count('\n'), 10);
    EXPECT_EQ(readFile(dataFile("Multiplicateurs_keno.txt")), kept);
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

namespace {

TEST_F(CliMainTest, HelpOnStandardOutputAndUsageErrorsInTwoLinesAlikeInBothPrograms)
{
    for (const char* args : {"--help", "sorties --help"}) {
        const Run help = runCli(words(args));
        EXPECT_EQ(help.code, 0) << args;
        EXPECT_TRUE(startsWith(help.out, QStringLiteral("usage : tiravol-cli [OPTION...] "))) << args;
        EXPECT_EQ(help.err, QString()) << args;
    }
    const Run window = run(QStringLiteral(TIRAVOL_GUI_PATH), {QStringLiteral("--help")});
    EXPECT_EQ(window.code, 0);
    EXPECT_TRUE(contains(window.out, QStringLiteral("--data-dir")));

    // The same faults of the shared options, the same words after each program's name.
    const struct {
        QStringList args;
        QString fault;
    } cases[] = {
        {{QStringLiteral("--bogus")}, QStringLiteral("--bogus : option inconnue")},
        {{QStringLiteral("--data-dir")}, QStringLiteral("--data-dir : une valeur est attendue")},
    };
    for (const auto& c : cases) {
        for (const char* program : {TIRAVOL_CLI_PATH, TIRAVOL_GUI_PATH}) {
            const QString name = QFileInfo(QString::fromUtf8(program)).fileName();
            const Run r = run(QString::fromUtf8(program), c.args);
            EXPECT_EQ(r.code, 2) << program;
            EXPECT_EQ(r.out, QString());
            EXPECT_EQ(r.err, QStringLiteral("%1 : %2\nEssayez « %1 --help ».\n").arg(name, c.fault));
        }
    }
    // The window takes no argument: one given is a mistake, not ignored.
    const Run extra = run(QStringLiteral(TIRAVOL_GUI_PATH), {QStringLiteral("--quit-after-start"), QStringLiteral("extra")});
    EXPECT_EQ(extra.code, 2);
    EXPECT_EQ(extra.err, QStringLiteral("tiravol : « extra » : argument inattendu\nEssayez « tiravol --help ».\n"));
}

TEST_F(CliMainTest, AFailedWriteToStandardOutputFailsTheRunAndSaysSo)
{
    writeHistory(makeHistory(9));
    const auto toFull = [](QProcess& p) { p.setStandardOutputFile(QStringLiteral("/dev/full")); };
    for (const char* args : {"ecarts", "--help", "--version"}) {
        const Run full = runCli(words(args), toFull);
        EXPECT_EQ(full.code, 1) << args;
        EXPECT_TRUE(contains(full.err, QStringLiteral("tiravol-cli : la sortie standard n'a pas pu être écrite : plus de place")))
            << args << full.err.toStdString();
    }
    // A pipe whose reader has gone: not a silent death by signal.
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ::close(fds[0]);
    const Run closed
        = runCli(words("ecarts"), [&fds](QProcess& p) { p.setChildProcessModifier([&fds] { ::dup2(fds[1], STDOUT_FILENO); }); });
    ::close(fds[1]);
    EXPECT_EQ(closed.code, 1);
    EXPECT_TRUE(contains(closed.err, QStringLiteral("la sortie standard n'a pas pu être écrite : le programme qui la lisait")))
        << closed.err.toStdString();
}

TEST_F(CliMainTest, OutputDashIsStandardOutputAndNothingButAFileInAFolderIsWritten)
{
    writeHistory(makeHistory(9));
    const Run plain = runCli(words("ecarts"));
    ASSERT_EQ(plain.code, 0);
    const auto inHome = [this](QProcess& p) { p.setWorkingDirectory(m_home.path()); };
    for (const char* target : {"-", "/dev/stdout"}) {
        const Run r = runCli({QStringLiteral("-o"), QString::fromUtf8(target), QStringLiteral("ecarts")}, inHome);
        EXPECT_EQ(r.code, 0) << target << r.err.toStdString();
        EXPECT_EQ(r.out, plain.out) << target;
    }
    EXPECT_FALSE(QFileInfo::exists(m_home.filePath(QStringLiteral("-"))));

    // A pipe is not replaced by a file.
    const QString fifo = m_home.filePath(QStringLiteral("tube"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const Run toFifo = runCli({QStringLiteral("-o"), fifo, QStringLiteral("ecarts")});
    EXPECT_EQ(toFifo.code, 1);
    EXPECT_TRUE(startsWith(toFifo.err, QStringLiteral("tiravol-cli : -o : « %1 » n'est pas un fichier ordinaire").arg(fifo)))
        << toFifo.err.toStdString();
    struct stat st { };
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    // A missing folder is said, not made.
    const QString absent = m_home.filePath(QStringLiteral("absent"));
    const Run toAbsent = runCli({QStringLiteral("-o"), absent + QStringLiteral("/r.txt"), QStringLiteral("ecarts")});
    EXPECT_EQ(toAbsent.code, 1);
    EXPECT_EQ(toAbsent.err, QStringLiteral("tiravol-cli : -o : le dossier « %1 » n'existe pas : rien n'est écrit\n").arg(absent));
    EXPECT_FALSE(QFileInfo::exists(absent));
    EXPECT_EQ(toAbsent.out, QString());
}

TEST_F(CliMainTest, OddsNeedNoHistoryAndAMissingOneSaysHowToGetIt)
{
    const QString absent = m_home.filePath(QStringLiteral("absent"));
    const Run odds = run(QStringLiteral(TIRAVOL_CLI_PATH), {QStringLiteral("--data-dir"), absent, QStringLiteral("cotes")});
    EXPECT_EQ(odds.code, 0) << odds.err.toStdString();
    EXPECT_TRUE(startsWith(odds.out, QStringLiteral("Cotes du Keno\n")));
    EXPECT_EQ(odds.err, QString());
    EXPECT_FALSE(QFileInfo::exists(absent));

    // No folder, then a folder without history: each says the way out.
    for (const QString& folder : {absent, m_data.path()}) {
        const Run r = run(QStringLiteral(TIRAVOL_CLI_PATH), {QStringLiteral("--data-dir"), folder, QStringLiteral("sorties")});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.out, QString());
        for (const char* way : {"--data-dir", "tiravol-cli build-base ARCHIVE...", "tiravol-cli download"})
            EXPECT_TRUE(contains(r.err, QString::fromUtf8(way))) << way << r.err.toStdString();
    }
}

} // namespace
