// The real tiravol-cli binary: the in-process bytes as UTF-8 whatever the locale, exit 2 on a usage
// error, writers taking turns, and Ctrl+C stopping a long walk with the records found so far, or a
// download with the history untouched.
#include "shell/DataFolderLock.h"
#include "support/CliSupport.h"

#include <QProcess>
#include <QTcpServer>
#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/types.h>
#include <vector>

namespace {

class CliMainTest : public TestSupport::CliTest { };

TEST_F(CliMainTest, BinaryPrintsTheInProcessReportAndExitsTwoOnAUsageError)
{
    writeHistory(TestSupport::makeHistory(9));
    const QStringList args = QStringList{QStringLiteral("--data-dir"), m_data.path()} + TestSupport::words("--until 6 ecarts");
    const TestSupport::CliOutput expected = TestSupport::cli(args);
    ASSERT_EQ(expected.code, 0);

    qputenv("LC_ALL", "C"); // inherited by the process
    QProcess process;
    process.start(QStringLiteral(TIRAVOL_CLI_PATH), args);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput(), expected.out.toUtf8());
    EXPECT_EQ(process.readAllStandardError(), QByteArray());

    process.start(QStringLiteral(TIRAVOL_CLI_PATH), {QStringLiteral("--data-dir"), m_data.path(), QStringLiteral("classement")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_EQ(process.readAllStandardOutput(), QByteArray());
}

TEST_F(CliMainTest, WritersTakeTurnsAndNoDrawIsLost)
{
    writeHistory(TestSupport::makeHistory(10));
    const auto add = [this](int first) {
        QStringList numbers;
        for (int n = first; n < first + 20; ++n)
            numbers << QString::number(n);
        return QStringList{QStringLiteral("--data-dir"), m_data.path(), QStringLiteral("add"), numbers.join(QLatin1Char(','))};
    };
    // Four at once: each either adds its draw or refuses; none is lost by another's write.
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int first : {1, 11, 21, 31}) {
        processes.push_back(std::make_unique<QProcess>());
        processes.back()->start(QStringLiteral(TIRAVOL_CLI_PATH), add(first));
    }
    int added = 0;
    for (auto& p : processes) {
        ASSERT_TRUE(p->waitForFinished(60000));
        EXPECT_TRUE(p->exitCode() == 0 || p->exitCode() == 1);
        added += p->exitCode() == 0 ? 1 : 0;
    }
    EXPECT_GE(added, 1);
    EXPECT_EQ(TestSupport::readFile(working()).count("\r\n"), 10 + added);

    // A writer that holds the folder: the next one waits, then refuses and writes nothing.
    const QByteArray before = TestSupport::readFile(working());
    DataFolderLock holder(m_data.path(), 0);
    ASSERT_TRUE(holder.acquire());
    QProcess late;
    late.start(QStringLiteral(TIRAVOL_CLI_PATH), add(41));
    ASSERT_TRUE(late.waitForFinished(60000));
    EXPECT_EQ(late.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(late.readAllStandardError()).contains(QStringLiteral("est en cours d'écriture")));
    EXPECT_EQ(TestSupport::readFile(working()), before);
}

TEST_F(CliMainTest, InterruptedWalkPrintsItsLinesAndSaysSo)
{
    writeHistory(TestSupport::makeHistory(50));
    QStringList all;
    for (int n = 1; n <= 70; ++n)
        all << QString::number(n);

    for (const QStringList& command :
         {QStringList{QStringLiteral("plus-sortis"), QStringLiteral("10")},
          QStringList{QStringLiteral("recherche-ecart"), QStringLiteral("10"), QStringLiteral("1")}}) {
        QProcess process;
        process.start(QStringLiteral(TIRAVOL_CLI_PATH),
                      QStringList{QStringLiteral("--data-dir"), m_data.path(), QStringLiteral("--numbers"), all.join(u',')}
                          + command);
        ASSERT_TRUE(process.waitForStarted(10000));
        // Hundreds of billions of combinations: still walking after a second.
        EXPECT_FALSE(process.waitForFinished(1500));
        ::kill(static_cast<pid_t>(process.processId()), SIGINT);
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 1);
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
    writeHistory(TestSupport::makeHistory(20));
    const QByteArray before = TestSupport::readFile(working());
    // A server that takes the connection and never answers: the download waits until stopped.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    QProcess process;
    process.start(QStringLiteral(TIRAVOL_CLI_PATH),
                  {QStringLiteral("--data-dir"), m_data.path(), QStringLiteral("download"), QStringLiteral("--url"),
                   QStringLiteral("http://127.0.0.1:%1/keno.zip").arg(silent.serverPort())});
    ASSERT_TRUE(process.waitForStarted(10000));
    EXPECT_FALSE(process.waitForFinished(1500));
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError())
                    .contains(QStringLiteral("tiravol-cli : interrompu : le téléchargement est arrêté")));
    EXPECT_EQ(TestSupport::readFile(working()), before);
}

} // namespace
