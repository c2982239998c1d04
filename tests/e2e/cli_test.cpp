// tiravol-cli in-process: rankings against counts made here, the options, "add", and the exit statuses.
#include "cli/CliApp.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>

using TestSupport::makeHistory;

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

QByteArray crlf(const QStringList& lines)
{
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

QStringList words(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString range(int from, int to)
{
    QStringList numbers;
    for (int n = from; n <= to; ++n)
        numbers << QString::number(n);
    return numbers.join(QLatin1Char(','));
}

// What a ranking command prints for draws[0..last], counted independently of the program.
QString expectedReport(const QString& command, const QStringList& draws, int last)
{
    std::array<std::array<int, 71>, 3> c{}; // appearances, current gap, largest gap
    for (int d = 0; d <= last; ++d) {
        for (int n = 1; n <= 70; ++n) {
            const bool drawn = draws[d].contains(QString::asprintf(" %02d ", n));
            c[0][n] += drawn ? 1 : 0;
            c[1][n] = drawn ? 0 : c[1][n] + 1;
            c[2][n] = std::max(c[2][n], c[1][n]);
        }
    }
    const int key = words("sorties ecarts ecarts-max").indexOf(command); // -1: numero, in number order
    const char* const titles[] = {"numéros", "sorties", "écarts", "écarts max"};
    QList<int> order(70);
    std::iota(order.begin(), order.end(), 1);
    if (key >= 0)
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return c[key][a] > c[key][b]; });
    QString text = QStringLiteral("Classement par %1 au %2\nNum Sorti Ecart  EcartMax\n")
                       .arg(QString::fromUtf8(titles[key + 1]), draws[last].left(10));
    for (int n : order)
        text += QString::asprintf(key < 0        ? "%02d  %04d   %03d  %04d\n"
                                      : key == 0 ? "%02d %04d   %02d    %04d\n"
                                                 : "%02d %04d   %04d   %04d\n",
                                  n, c[0][n], c[1][n], c[2][n]);
    return text;
}

struct CliRun {
    int code = -1;
    QString out, err;
};

class CliTest : public ::testing::Test {
protected:
    QTemporaryDir m_home, m_data;

    void SetUp() override
    {
        // Nothing reaches the real documents or configuration folders.
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
    }

    QString working() const { return m_data.filePath(QStringLiteral("Tirages_keno.txt")); }

    // Runs with --data-dir set to the test folder.
    CliRun cli(const QStringList& args) const
    {
        CliRun run;
        QTextStream out(&run.out), err(&run.err);
        run.code = runCli(QStringList{QStringLiteral("--data-dir"), m_data.path()} + args, out, err);
        out.flush();
        err.flush();
        return run;
    }
};

} // namespace

TEST_F(CliTest, RankingsMatchAnIndependentCount)
{
    // Each file holds other draws, so reading the wrong one shows; working ones begin in 1993, so no warning.
    const QStringList inFolder = makeHistory(41, QDate(1993, 9, 16), 1), other = makeHistory(25, QDate(1993, 9, 16), 2);
    const QStringList base = makeHistory(2 * 91, QDate(2020, 1, 1), 5);
    const QString otherPath = m_home.filePath(QStringLiteral("autre.txt"));
    TestSupport::writeFile(working(), crlf(inFolder));
    TestSupport::writeFile(otherPath, crlf(other));
    TestSupport::writeFile(m_data.filePath(QStringLiteral("Tirages.txt")), crlf(base));
    QStringList kept; // Sunday evenings of February and March up to 22/03, the inclusive end
    for (const QString& line : base) {
        const QDate d = QDate::fromString(line.left(10), QStringLiteral("dd/MM/yyyy"));
        if (d.dayOfWeek() == Qt::Sunday && d.month() >= 2 && d <= QDate(2020, 3, 22) && line.endsWith(QLatin1String("soir")))
            kept << line;
    }
    struct Case {
        QStringList options;
        const char* command;
        const QStringList& draws;
        int last;
    };
    const Case cases[] = {
        {{}, "sorties", inFolder, 40},
        {{}, "ecarts", inFolder, 40},
        {{}, "ecarts-max", inFolder, 40},
        {{}, "numero", inFolder, 40},
        {{QStringLiteral("--history"), otherPath}, "sorties", other, 24}, // the file given wins over the folder
        {words("--until 10"), "ecarts", inFolder, 9}, // the period ends before the item
        {words("--until 0"), "ecarts-max", inFolder, 0}, // item 0 acts as item 1: the oldest draw alone
        // A filter works on the base history; --until then counts items of the filtered list.
        {words("--weekdays 1 --months 2,3 --slots soir --from 12/01/2020 --to 22/03/2020"), "sorties", kept, 7},
        {words("--weekdays 1 --months 2,3 --slots soir --from 12/01/2020 --to 22/03/2020 --until 5"), "ecarts", kept, 4},
    };
    for (const Case& c : cases) {
        const CliRun r = cli(c.options + words(c.command));
        EXPECT_EQ(r.code, 0) << c.command;
        EXPECT_EQ(r.err, QString());
        EXPECT_EQ(r.out, expectedReport(QString::fromUtf8(c.command), c.draws, c.last));
    }
}

TEST_F(CliTest, BadArgumentsExitTwoAndAMissingHistoryOnePrintingAndWritingNothing)
{
    const QByteArray history = crlf(makeHistory(41, QDate(2020, 3, 1)));
    TestSupport::writeFile(working(), history);
    TestSupport::writeFile(m_data.filePath(QStringLiteral("Tirages.txt")), history);
    const QString add = QStringLiteral("add");
    const struct {
        int code;
        QStringList args;
    } cases[] = {
        {2, words("frobnicate")},
        {2, words("--bogus sorties")},
        {2, {}},
        {2, words("sorties encore")},
        {2, words("sorties --until")},
        {2, words("--until 42 sorties")},
        {2, words("--until -1 sorties")},
        {2, words("--weekdays 8 sorties")},
        {2, words("--slots nuit sorties")},
        {2, words("--from 32/01/2020 sorties")},
        {2, words("--numbers 71 sorties")},
        // Each command takes the options it reads, and only those.
        {2, words("--numbers 5 sorties")},
        {2, words("--until 3 cotes")},
        {2, words("--criteria c.cfg performance")},
        {2, words("--replace ecarts")},
        {2, words("--url http://localhost/ ecarts")},
        {2, words("add --months 1 ") + QStringList{range(1, 20)}},
        {2, {add, range(1, 19)}},
        {2, {add, range(1, 21)}},
        {2, {add, QStringLiteral("0,") + range(2, 20)}},
        {2, {add, range(1, 19) + QStringLiteral(",71")}},
        {2, {add, range(1, 19) + QStringLiteral(",7")}}, // a repeated number
        {1, {QStringLiteral("--history"), m_home.filePath(QStringLiteral("absent.txt")), QStringLiteral("ecarts")}},
        {1, {QStringLiteral("--data-dir"), m_home.path(), QStringLiteral("sorties")}},
        // A filter reads the base history, absent from this folder.
        {1,
         QStringList{QStringLiteral("--data-dir"), m_home.path(), QStringLiteral("--history"), working()}
             + words("--weekdays 1 sorties")},
    };
    for (const auto& c : cases) {
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(r.out, QString());
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_EQ(TestSupport::readFile(working()), history);
    EXPECT_TRUE(cli(words("--numbers 5 sorties"))
                    .err.startsWith(QStringLiteral("tiravol-cli : --numbers : ne sert pas avec la commande sorties\n")));
}

TEST_F(CliTest, AddWritesTheNextDrawAndPrintsTheRanking)
{
    // Newest 31/12/2024 midday: its evening, then the midday draw of the next day, numbers ascending.
    QStringList history = makeHistory(3, QDate(2024, 12, 30));
    TestSupport::writeFile(working(), crlf(history));
    const QStringList added = {QStringLiteral("31/12/2024 01 03 05 08 10 12 14 20 22 27 33 39 41 45 50 58 61 66 69 70 soir"),
                               QStringLiteral("01/01/2025 51 52 53 54 55 56 57 58 59 60 61 62 63 64 65 66 67 68 69 70 midi")};
    const QString numbers[] = {QStringLiteral("70,3,45,12,1,69,20,33,8,50,61,27,14,39,5,58,66,22,41,10"), range(51, 70)};
    for (int i = 0; i < 2; ++i) {
        const CliRun r = cli({QStringLiteral("add"), numbers[i]});
        history << added[i];
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(TestSupport::readFile(working()), crlf(history));
        EXPECT_EQ(r.out, expectedReport(QStringLiteral("sorties"), history, 3 + i));
    }
}

TEST_F(CliTest, OutputOptionWritesTheReportButNeverOverAKeptFile)
{
    const QStringList history = makeHistory(41);
    TestSupport::writeFile(working(), crlf(history));
    const QString report = m_home.filePath(QStringLiteral("rapport.txt"));
    const CliRun written = cli({QStringLiteral("-o"), report, QStringLiteral("sorties")});
    EXPECT_EQ(written.code, 0);
    EXPECT_EQ(written.out, QString());
    EXPECT_EQ(TestSupport::readFile(report),
              expectedReport(QStringLiteral("sorties"), history, 40).replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toUtf8());

    const QString link = m_home.filePath(QStringLiteral("lien.txt"));
    ASSERT_TRUE(QFile::link(working(), link));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_data.path());
    const QStringList refused[] = {
        {QStringLiteral("--output"), link, QStringLiteral("ecarts")},
        {QStringLiteral("--output=Tirages_keno.txt"), QStringLiteral("numero")},
        // Refused before the draw is added.
        {QStringLiteral("-o"), QStringLiteral("./tirages.TXT"), QStringLiteral("add"), range(1, 20)},
    };
    for (const QStringList& args : refused) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.code, 1) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("tiravol-cli : -o : « "))
                    && r.err.contains(QStringLiteral("Rien n'a été écrit")))
            << r.err.toStdString();
        EXPECT_EQ(r.out, QString());
    }
    QDir::setCurrent(previous);
    EXPECT_EQ(TestSupport::readFile(working()), crlf(history));
    EXPECT_FALSE(QFileInfo::exists(m_data.filePath(QStringLiteral("tirages.TXT"))));
    EXPECT_EQ(cli({QStringLiteral("-o"), report, QStringLiteral("build-base"), report}).code, 2);
}

TEST_F(CliTest, AddOnAFullDiskExitsOneAndKeepsTheHistory)
{
    const QByteArray history = crlf(makeHistory(102));
    TestSupport::writeFile(working(), history);
    CliRun r;
    {
        const TestSupport::FileSizeLimit full(4096);
        r = cli({QStringLiteral("add"), range(1, 20)});
    }
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Tirages_keno.txt » n'a pas été enregistré ; l'ancien fichier est gardé tel quel")))
        << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("fenêtre"))) << r.err.toStdString();
    EXPECT_EQ(TestSupport::readFile(working()), history);
}
