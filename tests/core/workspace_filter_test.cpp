// The calendar filter ("Periode d'etude"): presets, what it keeps, the statistics on the kept
// draws, and the full history that stays stored while a filter is shown.
#include "shell/Workspace.h"

#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

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

QString drawLine(const QDate& date, const QList<int>& numbers, bool midday)
{
    QString line = date.toString(QStringLiteral("dd/MM/yyyy"));
    for (int n : numbers)
        line += QStringLiteral(" %1").arg(n, 2, 10, QLatin1Char('0'));
    return line + (midday ? QStringLiteral(" midi") : QStringLiteral(" soir"));
}

// Draws from 25/12/2019 midday to 05/01/2021 evening.
QStringList yearAround2020()
{
    return TestSupport::makeHistory(2 * 378, QDate(2019, 12, 25));
}

CalendarFilter everything(const QDate& from, const QDate& to)
{
    CalendarFilter f;
    f.weekdays.fill(true);
    f.months.fill(true);
    f.times.fill(true);
    f.from = from;
    f.to = to;
    return f;
}

class WorkspaceFilterTest : public ::testing::Test {
protected:
    QTemporaryDir m_data, m_config;
    TestSupport::ScriptedUi m_ui;
    std::unique_ptr<Workspace> m_ws;

    QString working() const { return m_data.filePath(QStringLiteral("Tirages_keno.txt")); }

    void start(const QStringList& base, std::optional<QStringList> workingHistory = std::nullopt)
    {
        TestSupport::writeFile(m_data.filePath(QStringLiteral("Tirages.txt")), crlf(base));
        TestSupport::writeFile(working(), crlf(workingHistory.value_or(base)));
        WorkspaceConfig config;
        config.dataFolder = m_data.path();
        config.appDataFolder = m_config.path();
        m_ws = std::make_unique<Workspace>(config, &m_ui);
        m_ws->startUp();
    }

    // Runs the command with the window answering `chosen`; returns the boxes it was shown with.
    CalendarFilter filterWith(const std::optional<CalendarFilter>& chosen)
    {
        CalendarFilter shown;
        m_ui.onFilter = [&](CalendarFilter& f) {
            shown = f;
            if (chosen)
                f = *chosen;
            return chosen.has_value();
        };
        m_ws->periodeEtude();
        return shown;
    }

    void filterSundayEvenings2020()
    {
        CalendarFilter f = everything(QDate(2020, 1, 1), QDate(2020, 12, 31));
        f.weekdays.fill(false);
        f.weekdays[1] = true;
        f.times[1] = false;
        filterWith(f);
    }
};

template <size_t N> QList<int> tickedIndices(const std::array<bool, N>& boxes)
{
    QList<int> out;
    for (size_t i = 0; i < N; ++i)
        if (boxes[i])
            out << static_cast<int>(i);
    return out;
}

} // namespace

TEST_F(WorkspaceFilterTest, WindowOpensOnTheBoxesOfTheNextDraw)
{
    // Newest: the midday draw of Friday 14 March 2025; next: its evening draw.
    start(TestSupport::makeHistory(9, QDate(2025, 3, 10)));
    CalendarFilter shown = filterWith(CalendarFilter{});
    EXPECT_EQ(tickedIndices(shown.weekdays), QList<int>{6});
    EXPECT_EQ(tickedIndices(shown.months), QList<int>{3});
    EXPECT_EQ(tickedIndices(shown.times), QList<int>{2});
    EXPECT_EQ(shown.from, QDate(1993, 9, 16));
    EXPECT_EQ(shown.to, m_ui.fixedToday);

    // Newest: the evening draw of Monday 31 March 2025; next: Tuesday 1 April at midday.
    start(TestSupport::makeHistory(8, QDate(2025, 3, 28)));
    shown = filterWith(CalendarFilter{});
    EXPECT_EQ(tickedIndices(shown.weekdays), QList<int>{3});
    EXPECT_EQ(tickedIndices(shown.months), QList<int>{4});
    EXPECT_EQ(tickedIndices(shown.times), QList<int>{1});
}

TEST_F(WorkspaceFilterTest, OnlyTheStartDateIsRememberedAndACancelForgetsIt)
{
    const QStringList history = yearAround2020();
    start(history);
    CalendarFilter chosen = everything(QDate(2020, 6, 1), QDate(2020, 6, 30));
    CalendarFilter shown = filterWith(chosen);
    EXPECT_EQ(shown.from, QDate(1993, 9, 16));
    ASSERT_EQ(m_ws->drawCount(), 60);

    shown = filterWith(std::nullopt); // closed by its close box
    EXPECT_EQ(shown.from, QDate(2020, 6, 1));
    EXPECT_EQ(shown.to, m_ui.fixedToday);
    EXPECT_EQ(tickedIndices(shown.weekdays).size(), 1); // only the preset, not the last choice
    EXPECT_EQ(tickedIndices(shown.months), QList<int>{1});
    EXPECT_EQ(m_ws->liste(), history + QStringList{QString()});
    EXPECT_NE(m_ws->listOrigin(), Workspace::ListOrigin::Filtered);

    shown = filterWith(std::nullopt);
    EXPECT_EQ(shown.from, QDate(1993, 9, 16));
}

TEST_F(WorkspaceFilterTest, SundayEveningsOf2020LeaveExactlyThoseDrawsOldestFirst)
{
    const QStringList history = yearAround2020();
    start(history);
    filterSundayEvenings2020();

    QStringList expected;
    for (const QString& line : history) {
        const QDate d = QDate::fromString(line.left(10), QStringLiteral("dd/MM/yyyy"));
        if (d.year() == 2020 && d.dayOfWeek() == Qt::Sunday && line.endsWith(QLatin1String("soir")))
            expected << line;
    }
    ASSERT_EQ(expected.size(), 52);
    ASSERT_TRUE(expected.first().startsWith(QLatin1String("05/01/2020")));
    EXPECT_EQ(m_ws->liste(), expected + QStringList{QString()});
    EXPECT_EQ(m_ws->selectedIndex(), 52);
    EXPECT_EQ(m_ws->counters().text1, QStringLiteral("52"));
    EXPECT_EQ(m_ws->studyPeriod().first, 0);
    EXPECT_EQ(m_ws->studyPeriod().last, 51);
    EXPECT_TRUE(m_ws->statsValid());
    EXPECT_EQ(m_ws->report().title, QStringLiteral("Classement par sorties au 27/12/2020"));
    // The counters keep describing the whole history.
    EXPECT_EQ(m_ws->counters().nb, QStringLiteral("756"));
    EXPECT_EQ(m_ws->counters().prem, QStringLiteral("25/12/2019"));
    EXPECT_EQ(m_ws->counters().dern, QStringLiteral("05/01/2021"));
}

TEST_F(WorkspaceFilterTest, DateBoundsAreInclusive)
{
    const QStringList history = yearAround2020();
    start(history);
    filterWith(everything(QDate(2020, 3, 3), QDate(2020, 3, 5)));
    ASSERT_EQ(m_ws->drawCount(), 6);
    EXPECT_TRUE(m_ws->liste().first().startsWith(QLatin1String("03/03/2020")));
    EXPECT_TRUE(m_ws->liste().first().endsWith(QLatin1String("midi")));
    EXPECT_TRUE(m_ws->liste()[5].startsWith(QLatin1String("05/03/2020")));
    EXPECT_TRUE(m_ws->liste()[5].endsWith(QLatin1String("soir")));
}

TEST_F(WorkspaceFilterTest, GapsCountFilteredDrawsOnly)
{
    // Five Sundays, 05/01 to 02/02/2020. Number 70 is in every draw except the Sunday evenings
    // after the first; 20 only in those; 21 nowhere.
    QList<int> base;
    for (int n = 1; n <= 19; ++n)
        base << n;
    const QList<int> with70 = base + QList<int>{70};
    const QList<int> with20 = base + QList<int>{20};
    QStringList history;
    for (QDate d(2020, 1, 5); d <= QDate(2020, 2, 8); d = d.addDays(1)) {
        history << drawLine(d, with70, true);
        const bool laterSunday = d.dayOfWeek() == Qt::Sunday && d != QDate(2020, 1, 5);
        history << drawLine(d, laterSunday ? with20 : with70, false);
    }
    start(history);
    ASSERT_EQ(m_ws->stats().currentGap[70], 0);

    CalendarFilter f = everything(QDate(1993, 9, 16), QDate(2020, 12, 31));
    f.weekdays.fill(false);
    f.weekdays[1] = true;
    f.times[1] = false;
    filterWith(f);
    ASSERT_EQ(m_ws->drawCount(), 5);
    const NumberStats& s = m_ws->stats();
    EXPECT_EQ(s.appearances[70], 1);
    EXPECT_EQ(s.currentGap[70], 4);
    EXPECT_EQ(s.largestGap[70], 4);
    EXPECT_EQ(s.appearances[20], 4);
    EXPECT_EQ(s.currentGap[20], 0);
    EXPECT_EQ(s.largestGap[20], 1);
    EXPECT_EQ(s.currentGap[21], 5);
    EXPECT_EQ(s.largestGap[21], 5);
    EXPECT_EQ(s.appearances[1], 5);
    // Ranked by appearances: 1..19 (5), 20 (4), 70 (1), then the never-drawn numbers.
    EXPECT_EQ(m_ws->report().resultat.lines.value(20), QStringLiteral("20 0004   00    0001"));
    EXPECT_EQ(m_ws->report().resultat.lines.value(21), QStringLiteral("70 0001   04    0004"));
}

TEST_F(WorkspaceFilterTest, NoBoxOrAnEmptyRangeReloadsTheWholeHistory)
{
    const QStringList history = yearAround2020();
    start(history);
    CalendarFilter none = everything(QDate(1993, 9, 16), QDate(2030, 1, 1));
    none.months.fill(false);
    filterWith(none);
    EXPECT_EQ(m_ws->liste(), history + QStringList{QString()});
    EXPECT_NE(m_ws->listOrigin(), Workspace::ListOrigin::Filtered);

    filterWith(everything(QDate(2020, 5, 2), QDate(2020, 5, 1)));
    EXPECT_EQ(m_ws->liste(), history + QStringList{QString()});
    EXPECT_EQ(m_ws->counters().nb, QStringLiteral("756"));
    EXPECT_EQ(m_ws->studyPeriod().last, 755);
}

TEST_F(WorkspaceFilterTest, ExitSaveWritesTheFullHistoryNeverTheFilteredDraws)
{
    const QStringList history = yearAround2020();
    start(history, history.mid(0, history.size() - 1)); // the base history has one draw more
    filterSundayEvenings2020();
    ASSERT_EQ(m_ws->drawCount(), 52);
    EXPECT_TRUE(m_ws->exitSave());
    EXPECT_EQ(TestSupport::readFile(working()), crlf(history));
    // Still filtered after the save, and a second save writes the same.
    EXPECT_EQ(m_ws->drawCount(), 52);
    EXPECT_TRUE(m_ws->exitSave());
    EXPECT_EQ(TestSupport::readFile(working()), crlf(history));
}

TEST_F(WorkspaceFilterTest, ExitSaveAfterAFilterOnAShorterBaseKeepsTheWorkingFile)
{
    const QStringList history = yearAround2020();
    start(history.mid(0, history.size() - 2), history);
    filterSundayEvenings2020();
    const size_t messages = m_ui.messages.size();
    EXPECT_FALSE(m_ws->exitSave());
    EXPECT_EQ(m_ui.messages.size(), messages + 1);
    EXPECT_EQ(TestSupport::readFile(working()), crlf(history));
}

TEST_F(WorkspaceFilterTest, EntryIsRefusedWhileAFilterIsActive)
{
    const QStringList history = yearAround2020();
    start(history);
    filterSundayEvenings2020();
    const QStringList filtered = m_ws->liste();
    const QByteArray before = TestSupport::readFile(working());

    for (int index : {52, 10}) { // adding, then correcting
        SCOPED_TRACE(index);
        m_ws->clickListe(index);
        for (int n = 31; n <= 50; ++n)
            m_ws->setCheck(n, true);
        ASSERT_TRUE(m_ws->okEnabled());
        const size_t messages = m_ui.messages.size();
        m_ws->validateEntry();
        EXPECT_EQ(m_ui.messages.size(), messages + 1);
        EXPECT_EQ(m_ws->liste(), filtered);
        EXPECT_EQ(TestSupport::readFile(working()), before);
        m_ws->effacer();
    }
    m_ws->chooseOldestDraw();
    EXPECT_FALSE(m_ws->editingOldest());
    EXPECT_TRUE(m_ws->exitSave());
    EXPECT_EQ(TestSupport::readFile(working()), crlf(history));
}
