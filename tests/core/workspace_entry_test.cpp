// SPDX-License-Identifier: GPL-3.0-or-later
// The grid, manual entry and correction of draws, and the calendar filter: lines written, the file, refusals.
#include "shell/Workspace.h"

#include "shell/CommandUnits.h"
#include "support/TestSupport.h"

#include <tuple>

using namespace TestSupport;

namespace {

// Scrambled on purpose: the line must list them ascending.
const QList<int> kScrambled = {70, 3, 45, 12, 1, 69, 20, 33, 8, 50, 61, 27, 14, 39, 5, 58, 66, 22, 41, 10};
const QString kSortedText = QStringLiteral(" 01 03 05 08 10 12 14 20 22 27 33 39 41 45 50 58 61 66 69 70");

// Every box ticked, or only the given weekday and slot.
CalendarFilter ticking(const QDate& from, const QDate& to, int weekday = 0, int slot = 0)
{
    CalendarFilter f{{}, {}, {}, from, to};
    f.weekdays.fill(weekday == 0);
    f.weekdays[weekday] = true;
    f.months.fill(true);
    f.times.fill(slot == 0);
    f.times[slot] = true;
    return f;
}

class WorkspaceTest : public WorkspaceFixture {
protected:
    // Validates kScrambled as draw `index` (or as the oldest draw when chosen beforehand).
    void enter(int index)
    {
        if (index >= 0)
            m_ws->units().list.clickListe(index);
        for (int n : kScrambled)
            m_ws->units().grid.setCheck(n, true);
        m_ui.show(m_ws->units().entry.validateEntry());
    }

    // Validating `index` with the grid ticked must be refused with a message and change nothing.
    void expectRefused(int index)
    {
        const QStringList before = shownItems(*m_ws);
        const size_t messages = m_ui.messages.size();
        enter(index);
        EXPECT_EQ(m_ui.messages.size(), messages + 1) << index;
        EXPECT_EQ(shownItems(*m_ws), before) << index;
        m_ws->units().entry.effacer();
    }

    // Runs the filter with the window answering `chosen` (nullopt: closed); returns what it showed.
    CalendarFilter filterWith(const std::optional<CalendarFilter>& chosen)
    {
        CalendarFilter shown;
        m_ui.onFilter = [&](CalendarFilter& f) {
            shown = f;
            if (chosen)
                f = *chosen;
            return chosen.has_value();
        };
        m_ui.show(periodeEtude(*m_ws));
        return shown;
    }
};

} // namespace

TEST_F(WorkspaceTest, GridCounterButtonsAndReperageFollowTheTicks)
{
    start(makeHistory(40, QDate(2024, 4, 1)));
    for (int n = 1; n <= 21; ++n) {
        m_ws->units().grid.setCheck(n, true);
        EXPECT_EQ(m_ws->counters().text1, QString::number(n));
        EXPECT_EQ(m_ws->okEnabled(), n == 20) << n;
        EXPECT_EQ(m_ws->annulerEnabled(), n >= 20) << n;
    }
    EXPECT_EQ(m_ws->counters().label2, QStringLiteral("Nombre de numéros"));

    // Repérage marks the ticked numbers in both lists, clears stale marks and leaves the headings alone.
    m_ws->setResultSelected(1, 0, true);
    for (int i = 1; i <= 35; ++i)
        m_ws->setResultSelected(2, i, true);
    m_ws->units().grid.setCheck(7, false);
    m_ws->units().grid.reperage();
    const ReportModel& r = m_ws->report();
    ASSERT_EQ(r.resultat2.count(), 36);
    EXPECT_TRUE(r.resultat.isSelected(0));
    EXPECT_FALSE(r.resultat2.isSelected(0));
    for (const ResultList* list : {&r.resultat, &r.resultat2})
        for (int i = 1; i < list->count(); ++i)
            EXPECT_EQ(list->isSelected(i), m_ws->checks()[static_cast<size_t>(list->lines[i].left(2).toInt())]) << i;

    m_ws->units().grid.toutCocher();
    EXPECT_EQ(m_ws->counters().text1, QStringLiteral("70"));
    EXPECT_FALSE(m_ws->okEnabled());
}

TEST_F(WorkspaceTest, AddingWritesTheNextSlotAndSavesEveryDraw)
{
    // Newest: 31/12/2024 midday. Next its evening, then the midday draw of the next day (and year).
    const QStringList history = makeHistory(3, QDate(2024, 12, 30));
    const QStringList added = {QStringLiteral("31/12/2024") + kSortedText + QStringLiteral(" soir"),
                               QStringLiteral("01/01/2025") + kSortedText + QStringLiteral(" midi")};
    start(history);
    // Nineteen numbers are no draw: validating them changes nothing.
    for (int n : kScrambled.mid(1))
        m_ws->units().grid.setCheck(n, true);
    m_ui.show(m_ws->units().entry.validateEntry());
    EXPECT_EQ(shownItems(*m_ws), history + QStringList{QString()});
    m_ws->units().entry.effacer();
    for (int i = 0; i < 2; ++i) {
        enter(3 + i);
        const QStringList expected = history + added.mid(0, i + 1);
        EXPECT_EQ(shownItems(*m_ws), expected + QStringList{QString()});
        EXPECT_EQ(m_ws->selectedIndex(), 4 + i);
        EXPECT_EQ(readFile(working()), crlf(expected));
        EXPECT_FALSE(m_ws->okEnabled());
        EXPECT_EQ(m_ws->entry().info, QStringLiteral("Gagnez au Kéno !"));
    }
}

TEST_F(WorkspaceTest, EntriesTakeTheDateOfTheLineAboveAndCorrectionsWaitForExitSave)
{
    // Line 0 is an evening draw, four days are missing after line 2 (10/02 soir), the newest line has no date.
    QStringList expected = makeHistory(4, QDate(2024, 2, 9)).mid(1) + makeHistory(2, QDate(2024, 2, 15), 9);
    expected << QStringLiteral("32/13/2024") + kSortedText + QStringLiteral(" midi");
    start(expected);
    const QByteArray before = readFile(working());
    expectRefused(6);

    enter(3);
    expected[3] = QStringLiteral("11/02/2024") + kSortedText + QStringLiteral(" midi");
    EXPECT_EQ(shownItems(*m_ws), expected + QStringList{QString()});

    // The oldest draw has no line above: it keeps its own date and slot. Its numbers come ticked.
    m_ws->units().entry.chooseOldestDraw();
    EXPECT_TRUE(m_ws->okEnabled());
    m_ui.show(m_ws->units().entry.validateEntry());
    EXPECT_EQ(shownItems(*m_ws)[0], expected[0]);
    m_ws->units().entry.chooseOldestDraw();
    m_ws->units().entry.effacer();
    enter(-1);
    expected[0] = QStringLiteral("09/02/2024") + kSortedText + QStringLiteral(" soir");
    EXPECT_EQ(shownItems(*m_ws), expected + QStringList{QString()});

    EXPECT_EQ(readFile(working()), before);
    EXPECT_TRUE(m_ui.done(m_ws->units().history.exitSave()));
    EXPECT_EQ(readFile(working()), crlf(expected));
}

TEST_F(WorkspaceTest, FilterWindowOpensOnTheDrawThatFollowsTheNewest)
{
    // Friday 14/03/2025 midday -> Friday evening; Monday 31/03/2025 evening -> Tuesday 1 April midday.
    for (const auto& [first, count, weekday, month, slot] :
         {std::tuple(QDate(2025, 3, 10), 9, 6, 3, 2), std::tuple(QDate(2025, 3, 28), 8, 3, 4, 1)}) {
        start(makeHistory(count, first));
        const CalendarFilter shown = filterWith(CalendarFilter{});
        CalendarFilter want;
        want.weekdays[weekday] = want.months[month] = want.times[slot] = true;
        EXPECT_EQ(std::tuple(shown.weekdays, shown.months, shown.times), std::tuple(want.weekdays, want.months, want.times));
    }
}

TEST_F(WorkspaceTest, FilteredListKeepsExactlyTheChosenDrawsButSavesTheFullHistoryAndTakesNoEntry)
{
    // The base history has one draw more than the working one: exitSave must write it all.
    const QStringList base = makeHistory(2 * 378, QDate(2019, 12, 25));
    start(base.mid(0, base.size() - 1), base);
    filterWith(ticking(QDate(2020, 3, 3), QDate(2020, 3, 5))); // both bounds are inclusive
    const qsizetype firstKept = base.indexOf(shownItems(*m_ws).first());
    EXPECT_EQ(shownItems(*m_ws), base.mid(firstKept, 6) + QStringList{QString()});
    EXPECT_TRUE(base[firstKept].startsWith(QLatin1String("03/03/2020")) && base[firstKept].endsWith(QLatin1String("midi")));

    // No month ticked keeps nothing: the whole history comes back.
    CalendarFilter none = ticking(QDate(2020, 3, 3), QDate(2020, 3, 5));
    none.months.fill(false);
    filterWith(none);
    EXPECT_EQ(shownItems(*m_ws), base + QStringList{QString()});
    EXPECT_NE(m_ws->listOrigin(), Workspace::ListOrigin::Filtered);
    // The window reopens on the last start date; closing it reloads everything and forgets that date.
    EXPECT_EQ(filterWith(std::nullopt).from, QDate(2020, 3, 3));
    EXPECT_EQ(shownItems(*m_ws), base + QStringList{QString()});
    EXPECT_EQ(filterWith(std::nullopt).from, CalendarFilter::earliestDate());

    filterWith(ticking(QDate(2020, 1, 1), QDate(2020, 12, 31), 1, 2)); // Sunday evenings of 2020
    QStringList expected;
    for (const QString& line : base) {
        const QDate d = QDate::fromString(line.left(10), QStringLiteral("dd/MM/yyyy"));
        if (d.year() == 2020 && d.dayOfWeek() == Qt::Sunday && line.endsWith(QLatin1String("soir")))
            expected << line;
    }
    ASSERT_EQ(expected.size(), 52);
    EXPECT_EQ(shownItems(*m_ws), expected + QStringList{QString()});
    // Statistics count kept draws only; the counters keep describing the whole history.
    EXPECT_EQ(m_ws->stats(), referenceStats(expected, 0, 51));
    const Counters& c = m_ws->counters();
    EXPECT_EQ((QStringList{c.nb, c.prem, c.dern}),
              (QStringList{QString::number(base.size()), base.first().left(10), base.last().left(10)}));

    expectRefused(10); // the line above a kept draw is not its neighbour in the history
    m_ws->units().entry.chooseOldestDraw();
    EXPECT_FALSE(m_ws->editingOldest());
    EXPECT_TRUE(m_ui.done(m_ws->units().history.exitSave()));
    EXPECT_EQ(readFile(working()), crlf(base));
}

TEST_F(WorkspaceTest, ReloadSavesAPendingCorrectionOrAsksBeforeDroppingIt)
{
    const QStringList history = makeHistory(12);
    start(history);
    enter(5); // a correction in the middle: not written at once
    const QString corrected = shownItems(*m_ws)[5];
    ASSERT_TRUE(corrected.contains(kSortedText));
    EXPECT_TRUE(m_ws->hasUnsavedCorrection());
    EXPECT_EQ(readFile(working()), crlf(history));
    m_ui.show(m_ws->units().history.chargeManuelle());
    EXPECT_EQ(shownItems(*m_ws)[5], corrected);
    QStringList saved = history;
    saved[5] = corrected;
    EXPECT_EQ(readFile(working()), crlf(saved));
    EXPECT_FALSE(m_ws->hasUnsavedCorrection());

    // The file grew behind the list's back: the save is refused, so the reload asks first.
    enter(7);
    const QString second = shownItems(*m_ws)[7];
    const QStringList longer = makeHistory(14);
    writeFile(working(), crlf(longer));
    m_ui.confirmAnswers = {false};
    m_ui.show(m_ws->units().history.chargeManuelle());
    ASSERT_EQ(m_ui.confirmTexts.size(), 1);
    EXPECT_EQ(m_ws->drawCount(), 12); // not reloaded: the correction is still there
    EXPECT_EQ(shownItems(*m_ws)[7], second);
    m_ui.confirmAnswers = {true};
    m_ui.show(reload(*m_ws));
    EXPECT_EQ(m_ui.confirmTexts.size(), 2);
    EXPECT_NE(shownItems(*m_ws)[7], second); // given up, as agreed
    EXPECT_EQ(readFile(working()), crlf(longer));
}
