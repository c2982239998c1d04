// tiravol-cli in-process: the printed rankings checked against statistics computed here from the
// draw lines, the options that choose the history, the period and the filter, "add", and the
// exit statuses.
#include "cli/CliApp.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

QByteArray crlf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

QDate dateOf(const QString& line)
{
    return QDate::fromString(line.left(10), QStringLiteral("dd/MM/yyyy"));
}

QStringList keep(const QStringList& lines, const std::function<bool(const QString&)>& pred)
{
    QStringList out;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(out), pred);
    return out;
}

// The report the command prints for draws[first..last], computed independently of the program.
QString expectedReport(const QString& command, const QStringList& draws, int first, int last)
{
    std::array<int, 71> appearances{}, current{}, largest{};
    for (int d = first; d <= last; ++d) {
        std::array<bool, 71> in{};
        for (int k = 1; k <= 20; ++k)
            in[static_cast<size_t>(draws[d].mid(3 * k + 8, 2).toInt())] = true;
        for (size_t n = 1; n <= 70; ++n) {
            if (in[n]) {
                ++appearances[n];
                current[n] = 0;
            } else {
                largest[n] = std::max(largest[n], ++current[n]);
            }
        }
    }
    QList<int> order;
    for (int n = 1; n <= 70; ++n)
        order << n;
    const std::array<int, 71>* key = command == QLatin1String("sorties") ? &appearances
        : command == QLatin1String("ecarts")                             ? &current
        : command == QLatin1String("ecarts-max")                         ? &largest
                                                                         : nullptr;
    if (key)
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return (*key)[a] > (*key)[b]; });

    QString title = command == QLatin1String("sorties") ? QStringLiteral("Classement par sorties au ")
        : command == QLatin1String("ecarts")            ? QStringLiteral("Classement par écarts au ")
        : command == QLatin1String("ecarts-max")        ? QStringLiteral("Classement par écarts max au ")
                                                        : QStringLiteral("Classement par numéros au ");
    QString text = title + draws[last].left(10) + QLatin1Char('\n') + QStringLiteral("Num Sorti Ecart  EcartMax\n");
    for (int n : order) {
        const auto i = static_cast<size_t>(n);
        if (command == QLatin1String("sorties"))
            text += QString::asprintf("%02d %04d   %02d    %04d\n", n, appearances[i], current[i], largest[i]);
        else if (key)
            text += QString::asprintf("%02d %04d   %04d   %04d\n", n, appearances[i], current[i], largest[i]);
        else
            text += QString::asprintf("%02d  %04d   %03d  %04d\n", n, appearances[i], current[i], largest[i]);
    }
    return text;
}

struct CliRun {
    int code = -1;
    QString out, err;
};

CliRun cli(const QStringList& args)
{
    CliRun run;
    QTextStream out(&run.out), err(&run.err);
    run.code = runCli(args, out, err);
    out.flush();
    err.flush();
    return run;
}

QStringList twentyNumbers(int from)
{
    QStringList numbers;
    for (int n = from; n < from + 20; ++n)
        numbers << QString::number(n);
    return numbers;
}

class CliTest : public ::testing::Test {
protected:
    QTemporaryDir m_home, m_data;

    void SetUp() override
    {
        // Nothing reaches the real documents or configuration folders.
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
    }

    QString dir() const { return m_data.path(); }
    QString working() const { return m_data.filePath(QStringLiteral("Tirages_keno.txt")); }
    void writeWorking(const QStringList& lines) const { TestSupport::writeFile(working(), crlf(lines)); }

    // Everything under the home folder and the data folder, to prove nothing else was written.
    QStringList filesWritten() const
    {
        QStringList names;
        for (const QString& root : {m_home.path(), m_data.path()})
            for (const QFileInfo& info : QDir(root).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
                names << info.fileName();
        names.sort();
        return names;
    }
};

} // namespace

TEST_F(CliTest, RankingCommandsPrintTitleAndBothColumnsOfTheWholeHistory)
{
    // Begins in 1993, so the completeness warning stays silent and standard error empty.
    const QStringList history = TestSupport::makeHistory(41, QDate(1993, 9, 16));
    writeWorking(history);
    for (const QString& command :
         {QStringLiteral("sorties"), QStringLiteral("ecarts"), QStringLiteral("ecarts-max"), QStringLiteral("numero")}) {
        SCOPED_TRACE(command.toStdString());
        const CliRun run = cli({QStringLiteral("--data-dir"), dir(), command});
        EXPECT_EQ(run.code, 0);
        EXPECT_EQ(run.err, QString());
        EXPECT_EQ(run.out, expectedReport(command, history, 0, 40));
        EXPECT_EQ(run.out.count(QLatin1Char('\n')), 1 + 36 + 35);
    }
}

TEST_F(CliTest, HistoryFileTakesPrecedenceOverTheDataFolder)
{
    const QStringList inFolder = TestSupport::makeHistory(30, QDate(2021, 1, 1), 1);
    const QStringList elsewhere = TestSupport::makeHistory(25, QDate(2022, 6, 1), 2);
    writeWorking(inFolder);
    const QString other = m_home.filePath(QStringLiteral("autre.txt"));
    TestSupport::writeFile(other, crlf(elsewhere));

    EXPECT_EQ(cli({QStringLiteral("--data-dir"), dir(), QStringLiteral("sorties")}).out,
              expectedReport(QStringLiteral("sorties"), inFolder, 0, 29));
    EXPECT_EQ(cli({QStringLiteral("--data-dir"), dir(), QStringLiteral("--history"), other, QStringLiteral("sorties")}).out,
              expectedReport(QStringLiteral("sorties"), elsewhere, 0, 24));
    EXPECT_EQ(cli({QStringLiteral("--history"), other, QStringLiteral("ecarts")}).out,
              expectedReport(QStringLiteral("ecarts"), elsewhere, 0, 24));
}

TEST_F(CliTest, UntilEndsThePeriodAtTheDrawBeforeTheItem)
{
    const QStringList history = TestSupport::makeHistory(41, QDate(2020, 3, 1));
    writeWorking(history);
    auto until = [&](const QString& n, const QString& command) {
        return cli({QStringLiteral("--data-dir"), dir(), QStringLiteral("--until"), n, command});
    };
    EXPECT_EQ(until(QStringLiteral("10"), QStringLiteral("ecarts")).out, expectedReport(QStringLiteral("ecarts"), history, 0, 9));
    EXPECT_EQ(until(QStringLiteral("25"), QStringLiteral("ecarts-max")).out,
              expectedReport(QStringLiteral("ecarts-max"), history, 0, 24));
    // Item 0 acts as item 1: the oldest draw alone.
    EXPECT_EQ(until(QStringLiteral("0"), QStringLiteral("sorties")).out,
              expectedReport(QStringLiteral("sorties"), history, 0, 0));
    EXPECT_EQ(until(QStringLiteral("41"), QStringLiteral("numero")).out,
              expectedReport(QStringLiteral("numero"), history, 0, 40));

    for (const QString& bad : {QStringLiteral("42"), QStringLiteral("-1"), QStringLiteral("x")}) {
        SCOPED_TRACE(bad.toStdString());
        const CliRun run = until(bad, QStringLiteral("sorties"));
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.out, QString());
        EXPECT_FALSE(run.err.isEmpty());
    }
}

TEST_F(CliTest, UsageErrorsExitWithTwoAndTheUsageOnStandardError)
{
    writeWorking(TestSupport::makeHistory(5, QDate(2020, 3, 1)));
    const QList<QStringList> cases = {
        {QStringLiteral("--data-dir"), dir(), QStringLiteral("frobnicate")},
        {QStringLiteral("--data-dir"), dir(), QStringLiteral("--bogus"), QStringLiteral("sorties")},
        {QStringLiteral("--data-dir"), dir()},
        {QStringLiteral("--data-dir"), dir(), QStringLiteral("sorties"), QStringLiteral("encore")},
        {QStringLiteral("--data-dir"), dir(), QStringLiteral("sorties"), QStringLiteral("--until")},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        const CliRun run = cli(args);
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.out, QString());
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage: tiravol-cli"))) << run.err.toStdString();
    }
}

TEST_F(CliTest, MissingHistoryExitsWithOneAndPrintsNothing)
{
    writeWorking(TestSupport::makeHistory(6, QDate(2020, 3, 1)));
    QTemporaryDir empty;
    const QList<QStringList> cases = {
        {QStringLiteral("--data-dir"), empty.path(), QStringLiteral("sorties")},
        {QStringLiteral("--history"), empty.filePath(QStringLiteral("absent.txt")), QStringLiteral("ecarts")},
        {QStringLiteral("numero")}, // the documents folder under the temporary home does not exist
        {QStringLiteral("--data-dir"), empty.path(), QStringLiteral("add"), twentyNumbers(1).join(QLatin1Char(','))},
        // A filter reads the base history, absent here though the working history is present.
        {QStringLiteral("--data-dir"), dir(), QStringLiteral("--weekdays"), QStringLiteral("1"), QStringLiteral("sorties")},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        const CliRun run = cli(args);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.out, QString());
        EXPECT_FALSE(run.err.trimmed().isEmpty());
    }
    EXPECT_TRUE(QDir(empty.path()).isEmpty());
}

TEST_F(CliTest, FilterOptionsWorkOnTheBaseHistory)
{
    // Same dates, other numbers in the working history: a report from it would differ.
    const QStringList base = TestSupport::makeHistory(2 * 91, QDate(2020, 1, 1), 5);
    writeWorking(TestSupport::makeHistory(2 * 91, QDate(2020, 1, 1), 6));
    TestSupport::writeFile(m_data.filePath(QStringLiteral("Tirages.txt")), crlf(base));
    const QByteArray workingBefore = TestSupport::readFile(working());
    auto run = [&](const QStringList& options) { return cli(QStringList{QStringLiteral("--data-dir"), dir()} + options); };

    const QStringList sundayEvenings
        = keep(base, [](const QString& l) { return dateOf(l).dayOfWeek() == Qt::Sunday && l.endsWith(QLatin1String("soir")); });
    ASSERT_EQ(sundayEvenings.size(), 13);
    CliRun r = run({QStringLiteral("--weekdays"), QStringLiteral("1"), QStringLiteral("--slots"), QStringLiteral("soir"),
                    QStringLiteral("sorties")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, expectedReport(QStringLiteral("sorties"), sundayEvenings, 0, 12));

    const QStringList february
        = keep(base, [](const QString& l) { return dateOf(l) >= QDate(2020, 2, 10) && dateOf(l) <= QDate(2020, 2, 20); });
    ASSERT_EQ(february.size(), 22);
    r = run({QStringLiteral("--months"), QStringLiteral("2"), QStringLiteral("--from"), QStringLiteral("10/02/2020"),
             QStringLiteral("--to"), QStringLiteral("20/02/2020"), QStringLiteral("--slots"), QStringLiteral("midi,soir"),
             QStringLiteral("ecarts")});
    EXPECT_EQ(r.out, expectedReport(QStringLiteral("ecarts"), february, 0, 21));

    // --until then acts on the filtered list.
    const QStringList marchMondayTuesdayMiddays = keep(base, [](const QString& l) {
        const QDate d = dateOf(l);
        return d.month() == 3 && (d.dayOfWeek() == Qt::Monday || d.dayOfWeek() == Qt::Tuesday)
            && l.endsWith(QLatin1String("midi"));
    });
    r = run({QStringLiteral("--weekdays"), QStringLiteral("2,3"), QStringLiteral("--months"), QStringLiteral("3"),
             QStringLiteral("--slots"), QStringLiteral("midi"), QStringLiteral("--until"), QStringLiteral("4"),
             QStringLiteral("ecarts-max")});
    EXPECT_EQ(r.out, expectedReport(QStringLiteral("ecarts-max"), marchMondayTuesdayMiddays, 0, 3));

    // No draw kept: the whole base history.
    r = run({QStringLiteral("--from"), QStringLiteral("01/01/2025"), QStringLiteral("numero")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, expectedReport(QStringLiteral("numero"), base, 0, base.size() - 1));

    for (const QStringList& bad : QList<QStringList>{{QStringLiteral("--weekdays"), QStringLiteral("8")},
                                                     {QStringLiteral("--weekdays"), QStringLiteral("0")},
                                                     {QStringLiteral("--months"), QStringLiteral("13")},
                                                     {QStringLiteral("--slots"), QStringLiteral("nuit")},
                                                     {QStringLiteral("--from"), QStringLiteral("32/01/2020")},
                                                     {QStringLiteral("--to"), QStringLiteral("2020-02-01")}}) {
        SCOPED_TRACE(bad.join(QLatin1Char(' ')).toStdString());
        r = run(bad + QStringList{QStringLiteral("sorties")});
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, QString());
    }
    EXPECT_EQ(TestSupport::readFile(working()), workingBefore);
}

TEST_F(CliTest, NumbersTickBoxesWithoutChangingTheRanking)
{
    const QStringList history = TestSupport::makeHistory(12, QDate(2020, 3, 1));
    writeWorking(history);
    const CliRun r = cli(
        {QStringLiteral("--data-dir"), dir(), QStringLiteral("--numbers"), QStringLiteral("3,5,70"), QStringLiteral("sorties")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, expectedReport(QStringLiteral("sorties"), history, 0, 11));
    for (const QString& bad : {QStringLiteral("0"), QStringLiteral("71"), QStringLiteral("3,x")})
        EXPECT_EQ(cli({QStringLiteral("--data-dir"), dir(), QStringLiteral("--numbers"), bad, QStringLiteral("sorties")}).code, 2)
            << bad.toStdString();
}

TEST_F(CliTest, AddWritesTheNextDrawAndPrintsTheRanking)
{
    // After a midday draw: the evening draw of the same date, numbers ascending.
    const QStringList history = TestSupport::makeHistory(5, QDate(2024, 1, 1));
    writeWorking(history);
    const CliRun r = cli({QStringLiteral("--data-dir"), dir(), QStringLiteral("add"),
                          QStringLiteral("70,3,45,12,1,69,20,33,8,50,61,27,14,39,5,58,66,22,41,10")});
    const QString added = QStringLiteral("03/01/2024 01 03 05 08 10 12 14 20 22 27 33 39 41 45 50 58 61 66 69 70 soir");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(TestSupport::readFile(working()), crlf(history + QStringList{added}));
    EXPECT_EQ(r.out, expectedReport(QStringLiteral("sorties"), history + QStringList{added}, 0, 5));
    EXPECT_EQ(filesWritten(), QStringList{QStringLiteral("Tirages_keno.txt")});
}

TEST_F(CliTest, AddAfterAnEveningDrawWritesTheMiddayDrawOfTheNextDayToTheGivenHistory)
{
    const QStringList inFolder = TestSupport::makeHistory(3, QDate(2024, 1, 1));
    writeWorking(inFolder);
    const QStringList history = TestSupport::makeHistory(4, QDate(2024, 12, 30)); // newest: 31/12/2024 soir
    const QString file = m_home.filePath(QStringLiteral("mes_tirages.txt"));
    TestSupport::writeFile(file, crlf(history));

    const CliRun r = cli({QStringLiteral("--data-dir"), dir(), QStringLiteral("--history"), file, QStringLiteral("add"),
                          twentyNumbers(51).join(QLatin1Char(','))});
    const QString added = QStringLiteral("01/01/2025 51 52 53 54 55 56 57 58 59 60 61 62 63 64 65 66 67 68 69 70 midi");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(TestSupport::readFile(file), crlf(history + QStringList{added}));
    EXPECT_EQ(TestSupport::readFile(working()), crlf(inFolder));
    EXPECT_EQ(r.out, expectedReport(QStringLiteral("sorties"), history + QStringList{added}, 0, 4));
    EXPECT_EQ(filesWritten(), (QStringList{QStringLiteral("Tirages_keno.txt"), QStringLiteral("mes_tirages.txt")}));
}

TEST_F(CliTest, AddRefusesAWrongDrawAndWritesNothing)
{
    writeWorking(TestSupport::makeHistory(5, QDate(2024, 1, 1)));
    const QByteArray before = TestSupport::readFile(working());
    QStringList repeated = twentyNumbers(1);
    repeated[19] = QStringLiteral("7");
    QStringList outside = twentyNumbers(1);
    outside[0] = QStringLiteral("71");
    QStringList zero = twentyNumbers(1);
    zero[0] = QStringLiteral("0");
    const QStringList cases = {twentyNumbers(1).mid(0, 19).join(QLatin1Char(',')),
                               twentyNumbers(1).join(QLatin1Char(',')) + QStringLiteral(",21"),
                               outside.join(QLatin1Char(',')),
                               zero.join(QLatin1Char(',')),
                               repeated.join(QLatin1Char(',')),
                               QStringLiteral("1,2,trois")};
    for (const QString& numbers : cases) {
        SCOPED_TRACE(numbers.toStdString());
        const CliRun r = cli({QStringLiteral("--data-dir"), dir(), QStringLiteral("add"), numbers});
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, QString());
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_EQ(TestSupport::readFile(working()), before);
    }
    // A filtered list takes no entry either.
    TestSupport::writeFile(m_data.filePath(QStringLiteral("Tirages.txt")), before);
    const CliRun r = cli({QStringLiteral("--data-dir"), dir(), QStringLiteral("--slots"), QStringLiteral("soir"),
                          QStringLiteral("add"), twentyNumbers(1).join(QLatin1Char(','))});
    EXPECT_NE(r.code, 0);
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_EQ(TestSupport::readFile(working()), before);
    EXPECT_EQ(filesWritten(), (QStringList{QStringLiteral("Tirages.txt"), QStringLiteral("Tirages_keno.txt")}));
}
