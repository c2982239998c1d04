// Manual entry and correction of draws: the written line, what the list, the file and the entry
// fields show afterwards, and the refusals that keep the stored history intact.
#include "shell/Workspace.h"

#include "support/TestSupport.h"

#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using TestSupport::ScriptedUi;

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

QList<int> numbersOf(const QString& line)
{
    QList<int> numbers;
    for (int k = 1; k <= 20; ++k)
        numbers << line.mid(3 * k + 8, 2).toInt();
    return numbers;
}

QList<int> ticked(const Workspace& ws)
{
    QList<int> numbers;
    for (int n = 1; n <= 70; ++n)
        if (ws.checks()[static_cast<size_t>(n)])
            numbers << n;
    return numbers;
}

// Twenty numbers in a deliberately scrambled order; ascending they are kSortedText.
const QList<int> kScrambled = {70, 3, 45, 12, 1, 69, 20, 33, 8, 50, 61, 27, 14, 39, 5, 58, 66, 22, 41, 10};
const QString kSortedText = QStringLiteral(" 01 03 05 08 10 12 14 20 22 27 33 39 41 45 50 58 61 66 69 70");

class WorkspaceEntryTest : public ::testing::Test {
protected:
    QTemporaryDir m_data, m_config;
    ScriptedUi m_ui;
    std::unique_ptr<Workspace> m_ws;

    QString working() const { return m_data.filePath(QStringLiteral("Tirages_keno.txt")); }

    void start(const QStringList& history)
    {
        TestSupport::writeFile(working(), crlf(history));
        WorkspaceConfig config;
        config.dataFolder = m_data.path();
        config.appDataFolder = m_config.path();
        m_ws = std::make_unique<Workspace>(config, &m_ui);
        m_ws->startUp();
    }

    void tick(const QList<int>& numbers)
    {
        for (int n : numbers)
            m_ws->setCheck(n, true);
    }

    void addDraw(const QList<int>& numbers)
    {
        m_ws->clickListe(static_cast<int>(m_ws->liste().size()) - 1);
        tick(numbers);
        ASSERT_TRUE(m_ws->okEnabled());
        m_ws->validateEntry();
    }
};

} // namespace

TEST_F(WorkspaceEntryTest, AddingAfterMiddayWritesTheEveningDrawOfTheSameDate)
{
    const QStringList history = TestSupport::makeHistory(5, QDate(2024, 1, 1)); // newest: 03/01/2024 midi
    start(history);
    addDraw(kScrambled);

    const QString written = QStringLiteral("03/01/2024") + kSortedText + QStringLiteral(" soir");
    EXPECT_EQ(m_ws->liste(), (history + QStringList{written, QString()}));
    EXPECT_EQ(m_ws->selectedIndex(), 6);
    EXPECT_EQ(TestSupport::readFile(working()), crlf(history + QStringList{written}));
    EXPECT_FALSE(m_ws->okEnabled());
    EXPECT_TRUE(ticked(*m_ws).isEmpty());
    EXPECT_EQ(m_ws->entry().info, QStringLiteral("Gagnez au Kéno !"));
    // Selecting the new trailing item is a click: it captions the frame and proposes the next date.
    EXPECT_EQ(m_ws->entry().affichage, QStringLiteral("Tirage Numéro 7"));
    EXPECT_EQ(m_ws->entry().dat, QStringLiteral("04/01/2024"));

    // The ranking shown now ends with the new draw.
    EXPECT_EQ(m_ws->studyPeriod().first, 0);
    EXPECT_EQ(m_ws->studyPeriod().last, 5);
    EXPECT_EQ(m_ws->report().title, QStringLiteral("Classement par sorties au 03/01/2024"));
    for (int n = 1; n <= 70; ++n)
        EXPECT_EQ(m_ws->stats().currentGap[n] == 0, kScrambled.contains(n)) << n;
}

TEST_F(WorkspaceEntryTest, AddingAfterEveningWritesTheMiddayDrawOfTheNextDayAndEveryAddSaves)
{
    const QStringList history = TestSupport::makeHistory(4, QDate(2024, 12, 30)); // newest: 31/12/2024 soir
    start(history);
    const size_t startMessages = m_ui.messages.size(); // the completeness warning
    addDraw(kScrambled);
    const QString first = QStringLiteral("01/01/2025") + kSortedText + QStringLiteral(" midi");
    ASSERT_EQ(m_ws->liste().value(4), first);
    EXPECT_EQ(TestSupport::readFile(working()), crlf(history + QStringList{first}));

    // The saved line count is not advanced by a save, so the next entry saves again.
    QList<int> others;
    for (int n = 21; n <= 40; ++n)
        others << n;
    addDraw(others);
    const QString second = QStringLiteral("01/01/2025 21 22 23 24 25 26 27 28 29 30 31 32 33 34 35 36 37 38 39 40 soir");
    EXPECT_EQ(m_ws->liste(), (history + QStringList{first, second, QString()}));
    // Two draws added since the load: the period now starts one draw later.
    EXPECT_EQ(m_ws->studyPeriod().first, 1);
    EXPECT_EQ(m_ws->studyPeriod().last, 5);
    EXPECT_EQ(TestSupport::readFile(working()), crlf(history + QStringList{first, second}));
    EXPECT_EQ(m_ui.messages.size(), startMessages);
}

TEST_F(WorkspaceEntryTest, CorrectionTakesDateAndSlotFromTheLineAboveAndIsSavedAtExit)
{
    // A gap of four days between the second and the third draw.
    const QStringList history
        = TestSupport::makeHistory(2, QDate(2024, 2, 10), 3) + TestSupport::makeHistory(2, QDate(2024, 2, 15), 9);
    start(history);
    const QByteArray before = TestSupport::readFile(working());

    m_ws->clickListe(2);
    EXPECT_EQ(m_ws->entry().info, QStringLiteral("Modifier le tirage"));
    EXPECT_EQ(m_ws->entry().affichage, QStringLiteral("Tirage Numéro 3"));
    // The date proposed is the day after the line above, though a midday-to-evening step keeps the date.
    EXPECT_EQ(m_ws->entry().dat, QStringLiteral("11/02/2024"));

    m_ws->doubleClickListe();
    QList<int> numbers = numbersOf(history[2]);
    std::sort(numbers.begin(), numbers.end());
    ASSERT_EQ(ticked(*m_ws), numbers);
    const int dropped = numbers.takeFirst();
    int added = 1;
    while (numbers.contains(added) || added == dropped)
        ++added;
    m_ws->setCheck(dropped, false);
    m_ws->setCheck(added, true);
    numbers << added;
    std::sort(numbers.begin(), numbers.end());
    QString numberText;
    for (int n : numbers)
        numberText += QStringLiteral(" %1").arg(n, 2, 10, QLatin1Char('0'));

    m_ws->validateEntry();
    const QString corrected = QStringLiteral("11/02/2024") + numberText + QStringLiteral(" midi");
    QStringList expected = history;
    expected[2] = corrected;
    EXPECT_EQ(m_ws->liste(), expected + QStringList{QString()});
    EXPECT_EQ(m_ws->selectedIndex(), 2);
    EXPECT_EQ(m_ws->entry().dat, QStringLiteral("11/02/2024"));
    // A space, then the number text, which starts with its own space.
    EXPECT_EQ(m_ws->entry().affichage, QStringLiteral("11/02/2024 ") + numberText);
    EXPECT_EQ(m_ws->entry().info, QStringLiteral("Gagnez au Kéno !"));
    EXPECT_FALSE(m_ws->okEnabled());
    EXPECT_EQ(TestSupport::readFile(working()), before);

    // The newest draw now follows the corrected one: 11/02 evening.
    m_ws->clickListe(3);
    tick(kScrambled);
    m_ws->validateEntry();
    expected[3] = QStringLiteral("11/02/2024") + kSortedText + QStringLiteral(" soir");
    EXPECT_EQ(m_ws->liste(), expected + QStringList{QString()});
    EXPECT_EQ(TestSupport::readFile(working()), before);

    // The next click counts the corrected draws.
    m_ws->clickListe(4);
    for (int n = 1; n <= 70; ++n)
        EXPECT_EQ(m_ws->stats().currentGap[n] == 0, kScrambled.contains(n)) << n;

    EXPECT_TRUE(m_ws->exitSave());
    EXPECT_EQ(TestSupport::readFile(working()), crlf(expected));
}

TEST_F(WorkspaceEntryTest, DoubleClickTicksTheSelectedDraw)
{
    const QStringList history = TestSupport::makeHistory(4, QDate(2024, 5, 1));
    start(history);
    QList<int> second = numbersOf(history[1]);
    std::sort(second.begin(), second.end());

    m_ws->clickListe(0); // acts on line 1
    m_ws->doubleClickListe();
    EXPECT_EQ(ticked(*m_ws), second);
    EXPECT_EQ(m_ws->counters().text1, QStringLiteral("20"));
    EXPECT_TRUE(m_ws->okEnabled());

    // The trailing empty item holds no draw: the grid is only cleared.
    m_ws->clickListe(4);
    m_ws->doubleClickListe();
    EXPECT_TRUE(ticked(*m_ws).isEmpty());
    EXPECT_EQ(m_ws->counters().text1, QStringLiteral("0"));
    EXPECT_FALSE(m_ws->okEnabled());
}

TEST_F(WorkspaceEntryTest, LineAboveWithoutValidDateRefusesTheValidation)
{
    QStringList history = TestSupport::makeHistory(4, QDate(2024, 6, 1));
    const QString bad = QStringLiteral("32/13/2024") + kSortedText + QStringLiteral(" midi");
    history[1] = bad;
    history[3] = bad;
    start(history);
    const QByteArray before = TestSupport::readFile(working());

    for (int index : {2, 4}) { // a correction, then an addition after the bad newest line
        SCOPED_TRACE(index);
        m_ws->clickListe(index);
        tick(kScrambled);
        const size_t messages = m_ui.messages.size();
        m_ws->validateEntry();
        ASSERT_EQ(m_ui.messages.size(), messages + 1);
        EXPECT_TRUE(m_ui.messages.back().text.contains(QStringLiteral("date")));
        EXPECT_EQ(m_ws->liste(), history + QStringList{QString()});
        EXPECT_EQ(TestSupport::readFile(working()), before);
        m_ws->effacer();
    }
    EXPECT_TRUE(m_ws->exitSave());
    EXPECT_EQ(TestSupport::readFile(working()), before);
}

TEST_F(WorkspaceEntryTest, OldestDrawKeepsItsDateAndSlotWhileLineZeroStillActsOnLineOne)
{
    // Starts with an evening draw, so a slot taken from elsewhere would show.
    const QStringList history = TestSupport::makeHistory(5, QDate(2023, 11, 20)).mid(1);
    ASSERT_TRUE(history[0].endsWith(QLatin1String("soir")));
    start(history);
    const QByteArray before = TestSupport::readFile(working());

    m_ws->chooseOldestDraw();
    QList<int> oldest = numbersOf(history[0]);
    std::sort(oldest.begin(), oldest.end());
    EXPECT_EQ(ticked(*m_ws), oldest);
    EXPECT_EQ(m_ws->entry().info, QStringLiteral("Modifier le tirage"));

    for (int n : oldest)
        m_ws->setCheck(n, false);
    tick(kScrambled);
    m_ws->validateEntry();
    const QString corrected = QStringLiteral("20/11/2023") + kSortedText + QStringLiteral(" soir");
    QStringList expected = history;
    expected[0] = corrected;
    EXPECT_EQ(m_ws->liste(), expected + QStringList{QString()});
    EXPECT_FALSE(m_ws->editingOldest());
    EXPECT_EQ(TestSupport::readFile(working()), before);

    m_ws->clickListe(0);
    EXPECT_EQ(m_ws->selectedIndex(), 1);
    EXPECT_EQ(m_ws->studyPeriod().first, 0);
    EXPECT_EQ(m_ws->studyPeriod().last, 0);
    EXPECT_EQ(m_ws->counters().nb, QStringLiteral("1"));
    EXPECT_EQ(m_ws->report().title, QStringLiteral("Classement par sorties au 20/11/2023"));
    for (int n = 1; n <= 70; ++n)
        EXPECT_EQ(m_ws->stats().appearances[n], kScrambled.contains(n) ? 1 : 0) << n;

    // A click after choosing the oldest draw goes back to the ordinary rules.
    m_ws->chooseOldestDraw();
    m_ws->clickListe(2);
    EXPECT_FALSE(m_ws->editingOldest());

    EXPECT_TRUE(m_ws->exitSave());
    EXPECT_EQ(TestSupport::readFile(working()), crlf(expected));
}

TEST_F(WorkspaceEntryTest, EffacerClearsBothListsAndTheGrid)
{
    start(TestSupport::makeHistory(6, QDate(2024, 3, 1)));
    ASSERT_EQ(m_ws->report().resultat.count(), 36);
    ASSERT_EQ(m_ws->report().resultat2.count(), 36);
    tick({4, 9, 60});
    m_ws->effacer();
    EXPECT_EQ(m_ws->report().resultat.count(), 0);
    EXPECT_EQ(m_ws->report().resultat2.count(), 0);
    EXPECT_TRUE(ticked(*m_ws).isEmpty());
    EXPECT_EQ(m_ws->counters().text1, QStringLiteral("0"));
}

TEST_F(WorkspaceEntryTest, ClickOnARankingLineOnlyRelabelsTheCounter)
{
    start(TestSupport::makeHistory(6, QDate(2024, 3, 1)));
    const auto counters = m_ws->counters();
    const auto entry = m_ws->entry();
    for (int index : {0, 5, 35, 99}) { // heading, ranked lines, and past the end
        m_ws->clickResultat(index);
        EXPECT_EQ(m_ws->counters().label2, QStringLiteral("Tirage numéro "));
        EXPECT_EQ(m_ws->counters().text1, counters.text1);
        EXPECT_EQ(m_ws->entry().affichage, entry.affichage);
    }
}
