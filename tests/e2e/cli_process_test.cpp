// The real tiravol-cli binary: same bytes as the in-process run, UTF-8 whatever the locale.
#include "cli/CliApp.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

struct Output {
    int code = -1;
    QByteArray out, err;
};

class CliProcessTest : public ::testing::Test {
protected:
    QTemporaryDir m_home, m_data;

    void SetUp() override
    {
        QByteArray history;
        for (const QString& line : TestSupport::makeHistory(9, QDate(1993, 9, 16)))
            history += line.toLatin1() + "\r\n";
        TestSupport::writeFile(m_data.filePath(QStringLiteral("Tirages_keno.txt")), history);
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
    }

    Output runBinary(const QStringList& args) const
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        env.insert(QStringLiteral("HOME"), m_home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(TIRAVOL_CLI_PATH), args);
        EXPECT_TRUE(process.waitForFinished(60000));
        Output o;
        o.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        o.out = process.readAllStandardOutput();
        o.err = process.readAllStandardError();
        return o;
    }
};

} // namespace

TEST_F(CliProcessTest, PrintsTheInProcessReportAsUtf8)
{
    const QStringList args
        = {QStringLiteral("--data-dir"), m_data.path(), QStringLiteral("--until"), QStringLiteral("6"), QStringLiteral("ecarts")};
    QString expected, errors;
    QTextStream out(&expected), err(&errors);
    ASSERT_EQ(runCli(args, out, err), 0);
    out.flush();

    const Output o = runBinary(args);
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out, expected.toUtf8());
    EXPECT_TRUE(o.out.startsWith("Classement par \xC3\xA9"
                                 "carts au 18/09/1993\n"));
    EXPECT_FALSE(o.out.contains('\r'));
    EXPECT_EQ(o.err, QByteArray());
    EXPECT_FALSE(QFile::exists(m_home.filePath(QStringLiteral("config"))));
}

TEST_F(CliProcessTest, UsageErrorExitsWithTwo)
{
    const Output o = runBinary({QStringLiteral("--data-dir"), m_data.path(), QStringLiteral("classement")});
    EXPECT_EQ(o.code, 2);
    EXPECT_TRUE(o.out.isEmpty());
    EXPECT_TRUE(o.err.contains("usage: tiravol-cli"));
}
