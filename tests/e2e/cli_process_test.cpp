// The real tiravol-cli binary prints the in-process bytes as UTF-8 whatever the locale, and exits 2 on a usage error.
#include "cli/CliApp.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

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
