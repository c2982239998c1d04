// The real tiravol-cli stops a long combination walk on Ctrl+C and prints the records found so far.
#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/types.h>

TEST(CliInterruptTest, InterruptedWalkPrintsItsLinesAndSaysSo)
{
    QTemporaryDir home, data;
    const QString history = TestSupport::makeHistory(50, QDate(1993, 9, 16)).join(QStringLiteral("\r\n"));
    TestSupport::writeFile(data.filePath(QStringLiteral("Tirages_keno.txt")), history.toLatin1() + "\r\n");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    QStringList all;
    for (int n = 1; n <= 70; ++n)
        all << QString::number(n);

    for (const QStringList& command :
         {QStringList{QStringLiteral("plus-sortis"), QStringLiteral("10")},
          QStringList{QStringLiteral("recherche-ecart"), QStringLiteral("10"), QStringLiteral("1")}}) {
        QProcess process;
        process.start(QStringLiteral(TIRAVOL_CLI_PATH),
                      QStringList{QStringLiteral("--data-dir"), data.path(), QStringLiteral("--numbers"), all.join(u',')}
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
