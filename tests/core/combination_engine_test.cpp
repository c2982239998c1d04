// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's walks, each checked beside the plain walk kept for reference.
#include "analyses/CombinationEngine.h"
#include "analyses/CombinationReference.h"
#include "analyses/CombinationWalk.h"
#include "support/NewGameSupport.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <functional>
#include <numeric>
#include <random>
#include <set>

using namespace TestSupport;

namespace {

// Draws 0..4: {1,2}, {1,3}, {1,2,3}, {2,3}, {2,3}; number 4 only in draw 0; then the empty item.
QStringList smallList()
{
    const QList<int> draws[] = {{1, 2, 4}, {1, 3}, {1, 2, 3}, {2, 3}, {2, 3}};
    QStringList list;
    for (int i = 0; i < 5; ++i)
        list << drawHolding(i, draws[i]);
    list << QString();
    return list;
}

const QList<int> kOneToFour{1, 2, 3, 4};

} // namespace

TEST(CombinationEngine, MostFrequentRecordsTiesAndPeriodOnAHandMadeHistory)
{
    const DrawMatrix m = matrixOf(smallList());
    for (auto walk :
         {&CombinationReference::mostFrequent, +[](const DrawMatrix&mx, const StudyPeriod&p, const QList<int>&c, int r) {
              return CombinationEngine::mostFrequent(mx, p, c, r);
          }}) {
        // (1,2)=2 listed, (1,3)=2 ties and is listed, (1,4)=1, (2,3)=3 listed, (2,4)=1, (3,4)=0.
        CombinationWalk::Result all = walk(m, StudyPeriod{0, 4}, kOneToFour, 2);
        EXPECT_EQ(all.lines, utf8Lines({" 1 2    2", " 1 3    2", " 2 3    3"}));
        EXPECT_EQ(all.lastCombination, QStringLiteral(" 3 4"));
        // Without draw 0: (1,2)=1.
        EXPECT_EQ(walk(m, StudyPeriod{1, 4}, kOneToFour, 2).lines, utf8Lines({" 1 2    1", " 1 3    2", " 2 3    3"}));
        // Exactly r numbers: one combination, listed even with a count of 0.
        EXPECT_EQ(walk(m, StudyPeriod{1, 4}, {1, 4}, 2).lines, utf8Lines({" 1 4    0"}));
        EXPECT_EQ(walk(m, StudyPeriod{0, 4}, {1, 2, 3}, 3).lines, utf8Lines({" 1 2 3    1"}));
        // Fewer numbers than r: no combination at all.
        const CombinationWalk::Result none = walk(m, StudyPeriod{0, 4}, {1, 2}, 3);
        EXPECT_TRUE(none.lines.isEmpty());
        EXPECT_TRUE(none.lastCombination.isEmpty());
        // An empty period: every combination ties at 0, in walk order.
        EXPECT_EQ(walk(m, StudyPeriod{3, 2}, {1, 2, 3}, 2).lines, utf8Lines({" 1 2    0", " 1 3    0", " 2 3    0"}));
    }
}

TEST(CombinationEngine, GapSearchListsOnlyStrictlyOlderRecordsOnAHandMadeHistory)
{
    const DrawMatrix m = matrixOf(smallList());
    const int lineCount = 6; // five draws and the empty item
    using Walk = CombinationWalk::Result (*)(const DrawMatrix&, int, int, const QList<int>&, int, int);
    const Walk walks[]
        = {&CombinationReference::gapSearch, +[](const DrawMatrix& mx, int start, int lc, const QList<int>& c, int r, int s) {
               return CombinationEngine::gapSearch(mx, start, lc, c, r, s);
           }};
    for (Walk walk : walks) {
        // Both numbers: (1,2) newest in draw 2, (1,3) also draw 2 (not older), (1,4) draw 0,
        // (2,3) draw 4, (2,4) draw 0 (same gap: not listed), (3,4) never.
        CombinationWalk::Result both = walk(m, 4, lineCount, kOneToFour, 2, 2);
        EXPECT_EQ(both.lines, utf8Lines({" 1 2   2  2", " 1 4   2  4"}));
        EXPECT_EQ(both.latestRecordDraw, 0);
        EXPECT_EQ(both.lastCombination, QStringLiteral(" 3 4"));
        // One of two: (1,2) qualifies in the newest draw (gap 0); a later gap 0 is not listed;
        // (1,4) first qualifies in draw 2.
        EXPECT_EQ(walk(m, 4, lineCount, kOneToFour, 2, 1).lines, utf8Lines({" 1 2   1  0", " 1 4   1  2"}));
        // Starting before the newest draw (line 3 selected).
        EXPECT_EQ(walk(m, 2, lineCount, kOneToFour, 2, 2).lines, utf8Lines({" 1 2   2  0", " 1 4   2  2"}));
        // s above r: no draw qualifies.
        EXPECT_TRUE(walk(m, 4, lineCount, kOneToFour, 2, 3).lines.isEmpty());
        // s of 0 or less: the newest draw always qualifies, so only the first combination.
        EXPECT_EQ(walk(m, 4, lineCount, kOneToFour, 2, 0).lines, utf8Lines({" 1 2   1  0"}));
        EXPECT_EQ(walk(m, 4, lineCount, kOneToFour, 2, -3).lines, utf8Lines({" 1 2   1  0"}));
        // No line selected (start -2) or the first line selected (start -1): nothing scanned.
        EXPECT_TRUE(walk(m, -2, lineCount, kOneToFour, 2, 1).lines.isEmpty());
        EXPECT_TRUE(walk(m, -1, lineCount, kOneToFour, 2, 1).lines.isEmpty());
        // Fewer numbers than r.
        EXPECT_TRUE(walk(m, 4, lineCount, {1, 2}, 3, 1).lines.isEmpty());
        // Three of three on {1,2,3}: only draw 2.
        EXPECT_EQ(walk(m, 4, lineCount, {1, 2, 3}, 3, 3).lines, utf8Lines({" 1 2 3   3  2"}));
    }
}
// The engine must give the plain walk's lines, in order, on any history and any ticked set.
TEST(CombinationEngine, SameLinesAsThePlainWalkOnRandomHistories)
{
    std::mt19937 rng(20261206u);
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 240; ++round) {
        SCOPED_TRACE(round);
        const int draws = round % 7 == 0 ? uniform(0, 3) : uniform(20, round % 5 == 0 ? 2500 : 400);
        QStringList list = makeHistory(draws, QDate(1993, 9, 16), static_cast<unsigned>(round + 1));
        list << QString();
        const DrawMatrix m = matrixOf(list);

        // Ticked sets drawn from a narrow range make dense combinations and many ties.
        const int span = uniform(0, 2) == 0 ? 12 : 70;
        std::set<int> picked;
        const int k = uniform(0, round % 3 == 0 ? 16 : 11);
        while (static_cast<int>(picked.size()) < std::min(k, span))
            picked.insert(uniform(1, span));
        const QList<int> chosen(picked.begin(), picked.end());
        const int r = uniform(1, 6);

        StudyPeriod period{uniform(-2, draws / 2), uniform(draws / 2 - 1, draws + 1)};
        const int s = uniform(-1, r + 1);
        const int start = uniform(-2, draws);
        const CombinationWalk::Result naive = CombinationReference::mostFrequent(m, period, chosen, r);
        const CombinationWalk::Result naiveGap = CombinationReference::gapSearch(m, start, draws + 1, chosen, r, s);
        // One thread, then more threads than this machine has cores.
        for (int threads : {1, 2 + round % 3}) {
            CombinationWalk::Options options;
            options.threads = threads;
            const CombinationWalk::Result fast = CombinationEngine::mostFrequent(m, period, chosen, r, options);
            ASSERT_EQ(fast.lines, naive.lines) << "r=" << r << " k=" << chosen.size() << " threads=" << threads;
            EXPECT_EQ(fast.lastCombination, naive.lastCombination);
            EXPECT_FALSE(fast.stopped);
            EXPECT_EQ(fast.examined, fast.total);

            const CombinationWalk::Result fastGap = CombinationEngine::gapSearch(m, start, draws + 1, chosen, r, s, options);
            ASSERT_EQ(fastGap.lines, naiveGap.lines) << "r=" << r << " s=" << s << " start=" << start << " threads=" << threads;
            EXPECT_EQ(fastGap.latestRecordDraw, naiveGap.latestRecordDraw);
            EXPECT_EQ(fastGap.lastCombination, naiveGap.lastCombination);
        }
    }
}

namespace {

QList<int> numbersOf(const QString& line)
{
    QList<int> numbers;
    for (const QString& part : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        numbers << part.toInt();
    return numbers;
}

// The combination of a record line (its first r numbers) comes before `stop` in walk order.
bool before(const QString& line, const QList<int>& stop)
{
    const QList<int> combination = numbersOf(line).mid(0, stop.size());
    return std::lexicographical_compare(combination.begin(), combination.end(), stop.begin(), stop.end());
}

} // namespace

// Stopped on several threads, a walk keeps exactly the one-thread walk's lines of the
// combinations before the first one it did not examine, and says how many those are.
TEST(CombinationEngine, ReportsProgressAndStopsWithTheLinesSoFar)
{
    QStringList list = makeHistory(2000);
    list << QString();
    const DrawMatrix m = matrixOf(list);
    const QList<int> chosen = numberRange(1, 28);
    const int r = 5;
    using Walk = std::function<CombinationWalk::Result(const CombinationWalk::Options&)>;
    const Walk walks[] = {
        [&](const CombinationWalk::Options& o) {
            return CombinationEngine::mostFrequent(m, StudyPeriod{0, 1999}, chosen, r, o);
        },
        [&](const CombinationWalk::Options& o) { return CombinationEngine::gapSearch(m, 1999, 2001, chosen, r, 3, o); },
    };
    for (const Walk& walk : walks) {
        CombinationWalk::Options one;
        one.threads = 1;
        const CombinationWalk::Result whole = walk(one);
        EXPECT_FALSE(whole.stopped);
        ASSERT_EQ(whole.total, 98280);

        std::atomic<bool> cancel{false};
        int calls = 0;
        CombinationWalk::Options options;
        options.threads = 3;
        options.interval = std::chrono::milliseconds(0);
        options.cancel = &cancel;
        options.onProgress = [&](const CombinationWalk::Progress& p) {
            ++calls;
            EXPECT_LT(p.examined, p.total);
            EXPECT_EQ(p.total, whole.total);
            ASSERT_NE(p.lines, nullptr);
            EXPECT_EQ(*p.lines, whole.lines.mid(0, p.lines->size()));
            cancel = true;
        };
        const CombinationWalk::Result part = walk(options);
        if (!part.stopped) { // the machine was too quick for the first report
            EXPECT_EQ(part.lines, whole.lines);
            continue;
        }
        EXPECT_GE(calls, 1);
        EXPECT_LT(part.examined, whole.total);
        const QList<int> stop = numbersOf(part.lastCombination);
        ASSERT_EQ(stop.size(), r);
        // Its rank, counted plainly: the combinations before it.
        qint64 rank = 0;
        for (int a = 1; a <= 28; ++a)
            for (int b = a + 1; b <= 28; ++b)
                for (int c = b + 1; c <= 28; ++c)
                    for (int d = c + 1; d <= 28; ++d)
                        for (int e = d + 1; e <= 28; ++e)
                            rank += QList<int>{a, b, c, d, e} < stop ? 1 : 0;
        EXPECT_EQ(part.examined, rank);
        QStringList expected;
        for (const QString& line : whole.lines)
            if (before(line, stop))
                expected << line;
        EXPECT_EQ(part.lines, expected);
    }
}

namespace {

// Every combination of r of `chosen` in lexicographic order, as number masks.
void eachCombination(const QList<int>& chosen, int r, const std::function<void(std::uint64_t, const QList<int>&)>& visit)
{
    std::vector<int> pos(static_cast<size_t>(r));
    std::iota(pos.begin(), pos.end(), 0);
    const int k = static_cast<int>(chosen.size());
    while (true) {
        std::uint64_t mask = 0;
        QList<int> numbers;
        for (int p : pos) {
            mask |= std::uint64_t{1} << chosen[p];
            numbers << chosen[p];
        }
        visit(mask, numbers);
        int i = r - 1;
        while (i >= 0 && pos[static_cast<size_t>(i)] == k - r + i)
            --i;
        if (i < 0)
            return;
        ++pos[static_cast<size_t>(i)];
        for (int j = i + 1; j < r; ++j)
            pos[static_cast<size_t>(j)] = pos[static_cast<size_t>(j - 1)] + 1;
    }
}

} // namespace

TEST(CombinationEngine, NewGameWalksOverAllFiftySixAgainstCountsMadeHere)
{
    namespace ng = NewGameSupport;
    const ng::Draws draws = ng::randomDraws(260, 41);
    const DrawMatrix m = ng::matrixOf(draws);
    std::vector<std::uint64_t> masks;
    for (const std::vector<int>& draw : draws) {
        std::uint64_t mask = 0;
        for (int n : draw)
            mask |= std::uint64_t{1} << n;
        masks.push_back(mask);
    }
    const QList<int> all = numberRange(1, 56);

    // "Plus sortis", r = 3, over draws 10..249.
    QStringList most;
    int best = 0;
    eachCombination(all, 3, [&](std::uint64_t mask, const QList<int>& numbers) {
        int c = 0;
        for (int d = 10; d <= 249; ++d)
            c += (masks[static_cast<size_t>(d)] & mask) == mask ? 1 : 0;
        if (c >= best) {
            best = c;
            most << CombinationWalk::mostFrequentLine(CombinationWalk::text(numbers), c);
        }
    });
    CombinationWalk::Options two;
    two.threads = 2;
    EXPECT_EQ(CombinationEngine::mostFrequent(m, StudyPeriod{10, 249}, all, 3, two).lines, most);

    // Gap search, r = 4, s = 3, from the newest draw.
    QStringList gaps;
    int oldest = 261;
    const int start = 259;
    eachCombination(all, 4, [&](std::uint64_t mask, const QList<int>& numbers) {
        for (int d = start; d >= 0; --d) {
            const int present = std::popcount(masks[static_cast<size_t>(d)] & mask);
            if (present < 3)
                continue;
            if (d < oldest) {
                oldest = d;
                gaps << CombinationWalk::gapLine(CombinationWalk::text(numbers), present, start - d);
            }
            break;
        }
    });
    ASSERT_GT(gaps.size(), 1);
    EXPECT_EQ(CombinationEngine::gapSearch(m, start, 261, all, 4, 3, two).lines, gaps);
}
