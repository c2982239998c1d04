// SPDX-License-Identifier: GPL-3.0-or-later
// Where the player's winnings fall among random players, checked against players simulated here
// apart from the program: real numbers picked at random and matched against the real draws.
#include "chance/TicketChance.h"
#include "support/TestSupport.h"

#include <algorithm>
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

Ticket ticket(const Stake& stake)
{
    Ticket t;
    t.name = QStringLiteral("Paul");
    t.numbers = {3, 9, 14, 22, 31, 40, 52};
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
        // Without the option every draw pays alike: the exact law; with it, one law a multiplier.
        EXPECT_EQ(r.exact, !stake.multiplier);
        const double apart = simulated(h, stake, r.won, 4000, 5);
        EXPECT_GT(apart, 0.03) << "the comparison must land inside the law to mean something";
        EXPECT_LT(apart, 0.97);
        EXPECT_NEAR(r.beaten, apart, 0.035) << stake.label().toStdString();
    }
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
