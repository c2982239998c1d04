// SPDX-License-Identifier: GPL-3.0-or-later
// The partners and the announcer against chance: planted dependencies found, every p-value
// against Fisher's law computed apart, and uniform histories flagged at about the stated rate.
#include "chance/ChanceText.h"
#include "chance/LiftReports.h"
#include "support/ChanceSupport.h"

#include <numeric>

using namespace ChanceSupport;
using namespace TestSupport;

namespace {

struct TestedCounts {
    int count = 0; // in the tested draws
    int total = 0; // in all draws
};

// For each number, its count in the draws `tested` picks and in all draws; [0] holds the number
// of tested draws and of draws.
std::vector<TestedCounts> countsBeside(const Draws& draws, bool (*tested)(size_t, const Draws&))
{
    std::vector<TestedCounts> counts(71);
    for (size_t d = 0; d < draws.size(); ++d) {
        const bool in = tested(d, draws);
        counts[0].count += in;
        ++counts[0].total;
        for (int x : draws[d]) {
            counts[static_cast<size_t>(x)].count += in;
            ++counts[static_cast<size_t>(x)].total;
        }
    }
    return counts;
}

// Every line's p against Fisher's noncentral hypergeometric law with odds ratio psi (1: the
// plain hypergeometric): P(m) ∝ C(tested, m) C(others, total − m) psi^m.
void expectPValues(const QStringList& lines, const std::vector<TestedCounts>& counts, long double psi, int atLeast = 69)
{
    const int tested = counts[0].count, others = counts[0].total - counts[0].count;
    auto logChoose = [](int n, int k) { return std::lgamma(n + 1.0L) - std::lgamma(k + 1.0L) - std::lgamma(n - k + 1.0L); };
    int checked = 0;
    for (const QString& line : lines) {
        if (!line.startsWith(QStringLiteral("Num ")))
            continue;
        const TestedCounts c = counts[static_cast<size_t>(line.mid(5, 2).toInt())];
        std::vector<long double> logWeights;
        const int low = std::max(0, c.total - others), high = std::min(tested, c.total);
        for (int m = low; m <= high; ++m)
            logWeights.push_back(logChoose(tested, m) + logChoose(others, c.total - m) + m * std::log(psi));
        const long double top = *std::max_element(logWeights.begin(), logWeights.end());
        long double sum = 0, lower = 0, upper = 0;
        for (int m = low; m <= high; ++m) {
            const long double w = std::exp(logWeights[static_cast<size_t>(m - low)] - top);
            sum += w;
            lower += m <= c.count ? w : 0;
            upper += m >= c.count ? w : 0;
        }
        EXPECT_TRUE(agrees(printed(line, u" p = "), 2 * std::min(lower, upper) / sum)) << line.toStdString();
        ++checked;
    }
    EXPECT_GE(checked, atLeast);
}

} // namespace

TEST(LiftReportsTest, PlantedPartnerIsNotCompatibleWithChance)
{
    Draws draws = randomDraws(600, 11);
    int matching = 0;
    for (auto& d : draws)
        if (has(d, 5)) {
            plant(d, 6, 5);
            ++matching;
        }
    const AnalysisReport r = LiftReports::partners(matrixOf(draws), whole(draws), {5});
    EXPECT_EQ(r.lines[0], QStringLiteral("Partenaires - hasard : 05"));
    EXPECT_EQ(r.lines[1], QStringLiteral("Tirages avec tous les numéros choisis : %1 sur 600").arg(matching));
    EXPECT_EQ(r.lines.mid(2, 6),
              (QStringList{QStringLiteral("Test exact de Fisher : chaque numéro est comparé à son propre taux"),
                           QStringLiteral("dans les %1 autres tirages de la période ;").arg(600 - matching),
                           QStringLiteral("attendu : son taux à côté des numéros choisis si seul le hasard les réunissait,"),
                           QStringLiteral("compte tenu des 19 places sur 69 qu'ils laissent aux autres numéros"),
                           QStringLiteral("Verdict de chaque ligne au risque de 5 %, sur le p corrigé par la méthode de Holm"),
                           QStringLiteral("pour 69 numéros ; * : pas compatible avec le hasard")}));
    // The least compatible first: 6, in every matching draw, marked; the next ones are not.
    EXPECT_TRUE(
        r.lines[9].startsWith(QStringLiteral("Num  06 Sorti %1 100,0 % ailleurs ").arg(matching, 4, 10, QLatin1Char('0'))))
        << r.lines[9].toStdString();
    EXPECT_TRUE(r.lines[9].endsWith(QStringLiteral(" *")));
    EXPECT_FALSE(r.lines[10].endsWith(QStringLiteral(" *")));
    EXPECT_EQ(countContaining(r.lines, QStringLiteral("Num  05")), 0);
    EXPECT_EQ(countContaining(r.lines, QStringLiteral("Num ")), 69);
    EXPECT_EQ(r.lines.mid(r.lines.size() - 2),
              (QStringList{QStringLiteral("Au risque de 5 % (correction de Holm sur 69 numéros) :"),
                           QStringLiteral("1 numéro n'est pas compatible avec le hasard : 06")}));
    EXPECT_TRUE(r.exported);
    // Every p-value against Fisher's noncentral hypergeometric law: beside 5 chance leaves a
    // number 19 places of 69, elsewhere 20 of 69, an odds ratio of (19/50) / (20/49).
    expectPValues(r.lines, countsBeside(draws, [](size_t d, const Draws& all) { return has(all[d], 5); }),
                  (19.0L / 50) / (20.0L / 49));
    for (const QString& line : r.lines)
        EXPECT_LE(line.size(), ChanceText::kLineWidth) << line.toStdString();
}

TEST(LiftReportsTest, PlantedFollowerIsNotCompatibleWithChance)
{
    Draws draws = randomDraws(600, 12);
    int hits = 0;
    for (size_t d = 0; d + 1 < draws.size(); ++d)
        if (has(draws[d], 5)) {
            plant(draws[d + 1], 7, 0);
            ++hits;
        }
    const AnalysisReport r = LiftReports::announcer(matrixOf(draws), whole(draws), {5}, static_cast<int>(draws.size()));
    EXPECT_EQ(r.lines[1], QStringLiteral("Tirages suivant la combinaison dans la période : %1 sur 600").arg(hits));
    EXPECT_TRUE(r.lines[9].startsWith(QStringLiteral("Num  07 Sorti %1 100,0 %").arg(hits, 4, 10, QLatin1Char('0'))));
    EXPECT_TRUE(r.lines[9].endsWith(QStringLiteral(" *")));
    // All seventy are tested, the ticked one included, each by Fisher's exact test.
    EXPECT_EQ(countContaining(r.lines, QStringLiteral("Num ")), 70);
    expectPValues(r.lines, countsBeside(draws, [](size_t d, const Draws& all) { return d > 0 && has(all[d - 1], 5); }), 1.0L);
}

TEST(LiftReportsTest, TheAnnouncerCountsOnlyTriggersFollowedInsideThePeriodAndNothingToTest)
{
    // 5 in draws 10 and 19 only; the list goes on after the period, as after a click.
    Draws draws = randomDraws(30, 21);
    for (size_t d = 0; d < draws.size(); ++d) {
        std::replace(draws[d].begin(), draws[d].end(), 5, has(draws[d], 4) ? (has(draws[d], 3) ? 2 : 3) : 4);
        if (d == 10 || d == 19)
            plant(draws[d], 5, 0);
    }
    const DrawMatrix m = matrixOf(draws);
    EXPECT_EQ(LiftReports::announcer(m, {0, 19}, {5}, 30).lines[1],
              QStringLiteral("Tirages suivant la combinaison dans la période : 1 sur 20"));
    EXPECT_EQ(LiftReports::announcer(m, {0, 11}, {5}, 30).lines[1],
              QStringLiteral("Tirages suivant la combinaison dans la période : 1 sur 12"));
    const AnalysisReport r = LiftReports::announcer(m, {0, 10}, {5}, 30);
    EXPECT_EQ(r.lines.last(), QStringLiteral(" Cette combinaison n'est jamais sortie avant un autre tirage de la période"));
    EXPECT_FALSE(r.exported);

    // Nothing ticked, a set never drawn, a set seen only in the newest draw: nothing to test.
    AnalysisReport none = LiftReports::partners(m, whole(draws), {});
    EXPECT_EQ(none.lines, (QStringList{QStringLiteral("Partenaires - hasard :"), QStringLiteral("Cochez au moins un numéro")}));
    EXPECT_FALSE(none.exported);
    none = LiftReports::partners(m, whole(draws), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_EQ(none.lines.last(), QStringLiteral(" Cette combinaison n'est jamais sortie"));
    draws.push_back({61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    none = LiftReports::announcer(matrixOf(draws), whole(draws), {61, 62, 63, 64, 65, 66, 67, 68, 69, 70}, 31);
    EXPECT_EQ(none.lines.last(), QStringLiteral(" Cette combinaison n'est jamais sortie avant un autre tirage de la période"));
    EXPECT_FALSE(none.exported);
}

TEST(LiftReportsTest, UniformHistoriesFlagAboutTheExpectedShare)
{
    int reportsFlagged = 0, rawBelow = 0, tests = 0;
    constexpr int kRuns = 20;
    for (int run = 0; run < kRuns; ++run) {
        const Draws draws = randomDraws(400, 200u + static_cast<unsigned>(run));
        const DrawMatrix m = matrixOf(draws);
        for (const AnalysisReport& r :
             {LiftReports::partners(m, whole(draws), {run + 1}), LiftReports::announcer(m, whole(draws), {run + 1}, 400)}) {
            if (std::any_of(r.lines.begin(), r.lines.end(), [](const QString& l) { return l.endsWith(QStringLiteral(" *")); }))
                ++reportsFlagged;
            for (const QString& line : r.lines) {
                const long double p = printed(line, u" p = ");
                tests += p >= 0 ? 1 : 0;
                rawBelow += p >= 0 && p < 0.05L ? 1 : 0;
            }
        }
    }
    // Uncorrected, about 5 % of the tests (a little less: the counts are discrete); corrected,
    // about one report in twenty flags anything.
    EXPECT_EQ(tests, kRuns * (69 + 70));
    EXPECT_GT(rawBelow / double(tests), 0.02);
    EXPECT_LT(rawBelow / double(tests), 0.07);
    EXPECT_LE(reportsFlagged, 5);
}

TEST(LiftReportsTest, NewGamePartnersAndFollowersAreTestedOnSixteenOfFiftySix)
{
    Draws draws = newGameDraws(600, 31);
    int matching = 0;
    for (auto& d : draws)
        if (has(d, 5)) {
            plant(d, 6, 5);
            ++matching;
        }
    AnalysisReport r = LiftReports::partners(newGameMatrix(draws), whole(draws), {5});
    EXPECT_EQ(r.lines[1], QStringLiteral("Tirages avec tous les numéros choisis : %1 sur 600").arg(matching));
    // Beside 5, the 15 other numbers drawn are any of the 55 others.
    EXPECT_EQ(r.lines.mid(5, 3),
              (QStringList{QStringLiteral("compte tenu des 15 places sur 55 qu'ils laissent aux autres numéros"),
                           QStringLiteral("Verdict de chaque ligne au risque de 5 %, sur le p corrigé par la méthode de Holm"),
                           QStringLiteral("pour 55 numéros ; * : pas compatible avec le hasard")}));
    EXPECT_TRUE(r.lines[9].startsWith(QStringLiteral("Num  06 Sorti %1 100,0 %").arg(matching, 4, 10, QLatin1Char('0'))));
    EXPECT_TRUE(r.lines[9].endsWith(QStringLiteral(" *")));
    EXPECT_EQ(countContaining(r.lines, QStringLiteral("Num ")), 55);
    EXPECT_EQ(countContaining(r.lines, QStringLiteral("Num  57")), 0);
    EXPECT_EQ(r.lines[r.lines.size() - 2], QStringLiteral("Au risque de 5 % (correction de Holm sur 55 numéros) :"));
    // Odds ratio of a number beside 5 against elsewhere: (15/40) / (16/39).
    expectPValues(r.lines, countsBeside(draws, [](size_t d, const Draws& all) { return has(all[d], 5); }),
                  (15.0L / 40) / (16.0L / 39), 55);

    Draws following = newGameDraws(600, 32);
    int hits = 0;
    for (size_t d = 0; d + 1 < following.size(); ++d)
        if (has(following[d], 5)) {
            plant(following[d + 1], 7, 0);
            ++hits;
        }
    r = LiftReports::announcer(newGameMatrix(following), whole(following), {5}, 600);
    EXPECT_EQ(r.lines[1], QStringLiteral("Tirages suivant la combinaison dans la période : %1 sur 600").arg(hits));
    EXPECT_EQ(r.lines[7], QStringLiteral("pour 56 numéros ; * : pas compatible avec le hasard"));
    EXPECT_TRUE(r.lines[9].startsWith(QStringLiteral("Num  07 Sorti %1 100,0 %").arg(hits, 4, 10, QLatin1Char('0'))));
    EXPECT_EQ(countContaining(r.lines, QStringLiteral("Num ")), 56);
    expectPValues(r.lines, countsBeside(following, [](size_t d, const Draws& all) { return d > 0 && has(all[d - 1], 5); }), 1.0L,
                  56);

    // Sixteen numbers fill a draw of the game: no partner is left.
    std::vector<int> first16(16);
    std::iota(first16.begin(), first16.end(), 1);
    QList<int> chosen(first16.begin(), first16.end());
    r = LiftReports::partners(newGameMatrix(Draws(3, first16)), {0, 2}, chosen);
    EXPECT_TRUE(r.lines.contains(QStringLiteral("Seize numéros choisis : il ne reste aucun partenaire à tester")));
    EXPECT_FALSE(r.exported);
}
