// The real tiravol-cli binary prints the in-process bytes as UTF-8 whatever the locale, and exits 2 on a usage error.
#include "cli/CliApp.h"

#include "shell/DataFolderLock.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

TEST(CliProcessTest, BinaryPrintsTheInProcessReportAndExitsTwoOnAUsageError)
{
    QTemporaryDir home, data;
    const QString history = TestSupport::makeHistory(9, QDate(1993, 9, 16)).join(QStringLiteral("\r\n"));
    TestSupport::writeFile(data.filePath(QStringLiteral("Tirages_keno.txt")), history.toLatin1() + "\r\n");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    const QStringList args
        = {QStringLiteral("--data-dir"), data.path(), QStringLiteral("--until"), QStringLiteral("6"), QStringLiteral("ecarts")};
    QString expected, errors;
    QTextStream out(&expected), err(&errors);
    ASSERT_EQ(runCli(args, out, err), 0);
    out.flush();

    qputenv("LC_ALL", "C"); // inherited by the process
    QProcess process;
    process.start(QStringLiteral(TIRAVOL_CLI_PATH), args);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput(), expected.toUtf8());
    EXPECT_EQ(process.readAllStandardError(), QByteArray());

    process.start(QStringLiteral(TIRAVOL_CLI_PATH), {QStringLiteral("--data-dir"), data.path(), QStringLiteral("classement")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_EQ(process.readAllStandardOutput(), QByteArray());
}

TEST(CliProcessTest, WritersTakeTurnsAndNoDrawIsLost)
{
    QTemporaryDir home, data;
    const QString working = data.filePath(QStringLiteral("Tirages_keno.txt"));
    TestSupport::writeFile(working, TestSupport::crlf(TestSupport::makeHistory(10)));
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    const auto add = [&data](int first) {
        QStringList numbers;
        for (int n = first; n < first + 20; ++n)
            numbers << QString::number(n);
        return QStringList{QStringLiteral("--data-dir"), data.path(), QStringLiteral("add"), numbers.join(QLatin1Char(','))};
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
    EXPECT_EQ(TestSupport::readFile(working).count("\r\n"), 10 + added);

    // A writer that holds the folder: the next one waits, then refuses and writes nothing.
    const QByteArray before = TestSupport::readFile(working);
    DataFolderLock holder(data.path(), 0);
    ASSERT_TRUE(holder.acquire());
    QProcess late;
    late.start(QStringLiteral(TIRAVOL_CLI_PATH), add(41));
    ASSERT_TRUE(late.waitForFinished(60000));
    EXPECT_EQ(late.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(late.readAllStandardError()).contains(QStringLiteral("est en cours d'écriture")));
    EXPECT_EQ(TestSupport::readFile(working), before);
}
