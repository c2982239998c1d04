// SPDX-License-Identifier: GPL-3.0-or-later
// Where the player's winnings fall among random players, checked against players simulated here
// apart from the program (real numbers picked at random and matched against the real draws) and
// against the law of their winnings convolved here draw by draw in long double.
#include "chance/TicketChance.h"
#include "support/ChanceSupport.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <random>

namespace {

// The 16-of-56 row of seven numbers as a player would fill it in: m -> amount for 1 €.
constexpr std::array<qint64, 8> kRow{0, 0, 0, 1, 2, 5, 90, 3000};

PayTable filledTable()
{
    PayTable table = Formula::current().payTable;
    for (int m = 0; m <= 7; ++m)
        table.amounts[7][static_cast<size_t>(m)] = kRow[static_cast<size_t>(m)];
    return table;
}

struct Drawn {
    DrawList list;
    std::vector<std::vector<int>> draws;
    std::vector<int> multipliers;
};

// `count` random evening draws from 03/11/2025, each with a multiplier of 1 to 5 (seeded).
Drawn randomHistory(int count, unsigned seed)
{
    const Formula& game = Formula::current();
    std::mt19937 rng(seed);
    Drawn h;
    QStringList lines;
    std::vector<int> all(static_cast<size_t>(game.numbers));
    std::iota(all.begin(), all.end(), 1);
    for (int i = 0; i < count; ++i) {
        std::shuffle(all.begin(), all.end(), rng);
        std::vector<int> drawn(all.begin(), all.begin() + game.drawn);
        std::sort(drawn.begin(), drawn.end());
        lines << TestSupport::drawLine(game.firstDay.addDays(i).toString(QStringLiteral("dd/MM/yyyy")),
                                       QList<int>(drawn.begin(), drawn.end()), " soir");
        h.draws.push_back(drawn);
        h.multipliers.push_back(static_cast<int>(rng() % 5) + 1);
    }
    h.list = DrawList::fromLines(lines);
    return h;
}

// The share of `players` random players who win more than `won`, each picking seven numbers
// anew at every draw.
double simulated(const Drawn& h, const Stake& stake, qint64 won, int players, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<int> all(56);
    std::iota(all.begin(), all.end(), 1);
    int above = 0;
    for (int p = 0; p < players; ++p) {
        qint64 total = 0;
        for (size_t d = 0; d < h.draws.size(); ++d) {
            for (int j = 0; j < 7; ++j) // the first seven of a partial shuffle
                std::swap(all[static_cast<size_t>(j)], all[static_cast<size_t>(j) + rng() % (56 - static_cast<size_t>(j))]);
            const int m = static_cast<int>(std::count_if(all.begin(), all.begin() + 7, [&](int n) {
                return std::binary_search(h.draws[d].begin(), h.draws[d].end(), n);
            }));
            total += kRow[static_cast<size_t>(m)] * stake.euros * (stake.multiplier ? h.multipliers[d] : 1);
        }
        above += total > won ? 1 : 0;
    }
    return double(above) / players;
}

Ticket ticket(const Stake& stake, std::vector<int> numbers = {3, 9, 14, 22, 31, 40, 52})
{
    Ticket t;
    t.name = QStringLiteral("Paul");
    t.numbers = std::move(numbers);
    t.stake = stake;
    t.formula = FormulaId::Keno16of56;
    t.first = DrawTime{Formula::current().firstDay, 0};
    return t;
}

} // namespace

TEST(TicketChanceTest, TheShareOfRandomPlayersAboveAgreesWithPlayersSimulatedApart)
{
    const Drawn h = randomHistory(300, 11);
    const PayTable table = filledTable();
    for (const Stake& stake : {Stake{1, false}, Stake{2, true}}) {
        const Ticket t = ticket(stake);
        const TicketLedger ledger = TicketLedger::of(t, h.list, h.multipliers, table, 0, h.list.drawCount() - 1);
        ASSERT_EQ(ledger.rows.size(), 300u);
        const TicketChance::Result r = TicketChance::compare({{&t, &ledger}}, table);
        ASSERT_TRUE(r.refusal.isEmpty()) << r.refusal.toStdString();
        EXPECT_EQ(r.won, ledger.won);
        // With the option, one group of draws a multiplier: still one exact law of their sum.
        EXPECT_TRUE(r.exact);
        const double apart = simulated(h, stake, r.won, 4000, 5);
        EXPECT_GT(apart, 0.03) << "the comparison must land inside the law to mean something";
        EXPECT_LT(apart, 0.97);
        EXPECT_NEAR(r.beaten, apart, 0.035) << stake.label().toStdString();
    }
}

namespace {

// P(a random player's total > won) over the rows of every ledger: each row a play of its own,
// worth amount × euros × multiplier, convolved row after row with the exact odds of the game.
double exactShareAbove(const std::vector<std::pair<const Ticket*, const TicketLedger*>>& played, const PayTable& table,
                       qint64 won)
{
    const Formula& game = Formula::current();
    std::map<qint64, long double> law{{0, 1.0L}};
    for (const auto& [t, ledger] : played)
        for (const TicketLedger::Row& row : ledger->rows) {
            const qint64 factor = t->stake.multiplier ? std::max(row.multiplier, 1) : 1;
            std::map<qint64, long double> next;
            for (int m = 0; m <= t->size(); ++m) {
                const long double p = static_cast<long double>(ChanceSupport::choose(game.drawn, m)
                                                               * ChanceSupport::choose(game.numbers - game.drawn, t->size() - m))
                    / static_cast<long double>(ChanceSupport::choose(game.numbers, t->size()));
                for (const auto& [x, px] : law)
                    if (px * p > 1e-22L)
                        next[x + *table.amount(t->size(), m) * t->stake.euros * factor] += px * p;
            }
            law.swap(next);
        }
    long double above = 0;
    for (const auto& [x, px] : law)
        above += x > won ? px : 0.0L;
    return static_cast<double>(above);
}

} // namespace

TEST(TicketChanceTest, SeveralTicketsSizesAndStakesMakeOneExactLaw)
{
    const Drawn h = randomHistory(25, 17);
    PayTable table = filledTable();
    for (int m = 0; m <= 5; ++m) // five numbers: m² − 1 from 2 matched, as a player might fill it
        table.amounts[5][static_cast<size_t>(m)] = m >= 2 ? m * m - 1 : 0;
    for (const auto& [first, second] : {std::pair{Stake{2, true}, Stake{1, false}}, {Stake{3, false}, Stake{1, false}}}) {
        const Ticket seven = ticket(first), five = ticket(second, {2, 9, 20, 33, 47});
        const TicketLedger a = TicketLedger::of(seven, h.list, h.multipliers, table, 0, 24);
        const TicketLedger b = TicketLedger::of(five, h.list, h.multipliers, table, 8, 24);
        const TicketChance::Result r = TicketChance::compare({{&seven, &a}, {&five, &b}}, table);
        ASSERT_TRUE(r.refusal.isEmpty()) << r.refusal.toStdString();
        EXPECT_TRUE(r.exact);
        EXPECT_EQ(r.won, a.won + b.won);
        const double exact = exactShareAbove({{&seven, &a}, {&five, &b}}, table, r.won);
        EXPECT_NEAR(r.beaten, exact, 1e-10) << first.label().toStdString();
        EXPECT_GT(exact, 0.01) << "the result must land inside the law to mean something";
        EXPECT_LT(exact, 0.99);
    }
    // A ticket of five numbers on the table shipped, which knows none of their amounts: refused,
    // never counted as 0.
    const Ticket five = ticket(Stake{2, true}, {2, 9, 20, 33, 47});
    const PayTable& shipped = Formula::current().payTable;
    const TicketLedger c = TicketLedger::of(five, h.list, h.multipliers, shipped, 0, 24);
    const TicketLedger d = TicketLedger::of(ticket(Stake{}), h.list, h.multipliers, table, 0, 24);
    EXPECT_FALSE(TicketChance::compare({{&five, &c}}, shipped).refusal.isEmpty());
    const Ticket seven = ticket(Stake{});
    EXPECT_TRUE(TicketChance::compare({{&seven, &d}, {&five, &c}}, table).refusal.startsWith(QStringLiteral("Un gain")));
}

TEST(TicketChanceTest, SaysWhyNoComparisonIsMadeAndWordsTheShare)
{
    const Drawn h = randomHistory(20, 3);
    const Ticket t = ticket(Stake{});
    const PayTable& shipped = Formula::current().payTable;
    const TicketLedger ledger = TicketLedger::of(t, h.list, h.multipliers, shipped, 0, 19);
    const TicketChance::Result unknown = TicketChance::compare({{&t, &ledger}}, shipped);
    EXPECT_TRUE(unknown.refusal.startsWith(QStringLiteral("Un gain de vos grilles est inconnu")))
        << unknown.refusal.toStdString();

    TicketChance::Result r;
    r.beaten = 0.3704;
    EXPECT_EQ(TicketChance::lines(r).constFirst(), QStringLiteral("Votre résultat est dépassé par 37 % des joueurs au hasard"));
    r.beaten = 0.001;
    EXPECT_EQ(TicketChance::lines(r).constFirst(),
              QStringLiteral("Votre résultat est dépassé par moins de 1 % des joueurs au hasard"));
}
