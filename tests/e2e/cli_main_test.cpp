// The real tiravol-cli binary: the in-process bytes as UTF-8 whatever the locale, exit 2 on a usage
// error, writers taking turns, and Ctrl+C stopping a long walk with the records found so far, or a
// download with the history untouched.
#include "shell/DataFolderLock.h"
#include "support/CliSupport.h"

#include <QProcess>
#include <QTcpServer>

#include <algorithm>
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

} // namespace
