// SPDX-License-Identifier: GPL-3.0-or-later
// tiravol-cli in-process: the options that choose the history and the period reach the report,
// -o writes it, a missing history exits 1.
#include "support/CliSupport.h"

#include <QDir>

using namespace TestSupport;

namespace {

class CliAppTest : public CliTest { };

// The report's counts are checked by the rankings' own tests; here the title line names the
// report and the last draw of the period, and the count says every number is listed.
void expectRanking(const CliOutput& r, const char* ranking, const QString& lastDraw)
{
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, QString());
    EXPECT_EQ(r.outLines()[0], QStringLiteral("Classement par %1 au %2").arg(QString::fromUtf8(ranking), lastDraw.left(10)));
    EXPECT_EQ(r.outLines().size(), 73); // a head line and a final line feed
}

} // namespace

TEST_F(CliAppTest, HistoryPeriodAndFilterOptionsReachTheReport)
{
    // Each file holds other draws, so reading the wrong one shows; working ones begin in 1993, so no warning.
    const QStringList inFolder = makeHistory(41, QDate(1993, 9, 16), 1), other = makeHistory(25, QDate(1993, 9, 16), 2);
    const QStringList base = makeHistory(2 * 91, QDate(2020, 1, 1), 5);
    const QString otherPath = m_home.filePath(QStringLiteral("autre.txt"));
    writeHistory(inFolder);
    writeFile(otherPath, crlf(other));
    writeFile(dataFile("Tirages.txt"), crlf(base));
    QStringList kept; // Sunday evenings of February and March up to 22/03, the inclusive end
    for (const QString& line : base) {
        const QDate d = QDate::fromString(line.left(10), QStringLiteral("dd/MM/yyyy"));
        if (d.dayOfWeek() == Qt::Sunday && d.month() >= 2 && d <= QDate(2020, 3, 22) && line.endsWith(QLatin1String("soir")))
            kept << line;
    }
    const struct {
        QStringList options;
        const char *command, *ranking;
        QString last;
    } cases[] = {
        {{}, "sorties", "sorties", inFolder[40]},
        {{}, "ecarts", "écarts", inFolder[40]},
        {{}, "ecarts-max", "écarts max", inFolder[40]},
        {{}, "numero", "numéros", inFolder[40]},
        {{QStringLiteral("--history"), otherPath}, "sorties", "sorties", other[24]}, // the file given wins over the folder
        {words("--until 10"), "ecarts", "écarts", inFolder[9]}, // the period ends before the item
        {words("--until 0"), "ecarts-max", "écarts max", inFolder[0]}, // item 0 acts as item 1: the oldest draw alone
        // A filter works on the base history; --until then counts items of the filtered list.
        {words("--weekdays 1 --months 2,3 --slots soir --from 12/01/2020 --to 22/03/2020"), "sorties", "sorties", kept[7]},
        {words("--weekdays 1 --months 2,3 --slots soir --from 12/01/2020 --to 22/03/2020 --until 5"), "ecarts", "écarts",
         kept[4]},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.options.join(u' ') + u' ' + QLatin1String(c.command)).toStdString());
        expectRanking(cli(c.options + words(c.command)), c.ranking, c.last);
    }
}

TEST_F(CliAppTest, AMissingHistoryOrAnOutOfRangeItemPrintsAndWritesNothing)
{
    writeHistory(makeHistory(41, QDate(2020, 3, 1)), true);
    const QByteArray history = readFile(working());
    const struct {
        int code;
        QStringList args;
    } cases[] = {
        {2, words("--until 42 sorties")},
        {2, words("--until -1 sorties")},
        {1, {QStringLiteral("--history"), m_home.filePath(QStringLiteral("absent.txt")), QStringLiteral("ecarts")}},
        {1, {QStringLiteral("--data-dir"), m_home.path(), QStringLiteral("sorties")}},
        // A filter reads the base history, absent from this folder.
        {1,
         QStringList{QStringLiteral("--data-dir"), m_home.path(), QStringLiteral("--history"), working()}
             + words("--weekdays 1 sorties")},
    };
    for (const auto& c : cases) {
        const CliOutput r = cli(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(u' ').toStdString();
        EXPECT_EQ(r.out, QString());
        EXPECT_TRUE(contains(r.err, QStringLiteral("tiravol-cli : ")));
    }
    EXPECT_EQ(readFile(working()), history);
}

TEST_F(CliAppTest, OutputOptionWritesTheReportButNeverOverAKeptFile)
{
    const QStringList history = makeHistory(41);
    writeHistory(history);
    const QString report = m_home.filePath(QStringLiteral("rapport.txt"));
    const CliOutput written = cli({QStringLiteral("-o"), report, QStringLiteral("sorties")});
    EXPECT_EQ(written.code, 0);
    EXPECT_EQ(written.out, QString());
    // The same lines as on the standard output, with the file's line ends.
    EXPECT_EQ(readFile(report), cli("sorties").out.replace(u'\n', QStringLiteral("\r\n")).toUtf8());

    const QString link = m_home.filePath(QStringLiteral("lien.txt"));
    ASSERT_TRUE(QFile::link(working(), link));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_data.path());
    const QStringList refused[] = {
        {QStringLiteral("--output"), link, QStringLiteral("ecarts")},
        {QStringLiteral("--output=Tirages_keno.txt"), QStringLiteral("numero")},
        // Refused before the draw is added.
        {QStringLiteral("-o"), QStringLiteral("./tirages.TXT"), QStringLiteral("add"),
         QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20")},
    };
    for (const QStringList& args : refused) {
        const CliOutput r = cli(args);
        EXPECT_EQ(r.code, 1) << args.join(u' ').toStdString();
        EXPECT_TRUE(startsWith(r.err, QStringLiteral("tiravol-cli : -o : « ")));
        EXPECT_TRUE(contains(r.err, QStringLiteral("Rien n'a été écrit")));
        EXPECT_EQ(r.out, QString());
    }
    QDir::setCurrent(previous);
    EXPECT_EQ(readFile(working()), crlf(history));
    EXPECT_FALSE(QFileInfo::exists(dataFile("tirages.TXT")));
    EXPECT_EQ(cli({QStringLiteral("-o"), report, QStringLiteral("build-base"), report}).code, 2);
}
