// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/TicketChance.h"

#include "chance/TotalLaw.h"

#include <cmath>
#include <map>
#include <random>
#include <tuple>

namespace {

// The draws that pay the same to a random player: size, stake, multiplier factor.
using GroupKey = std::tuple<int, int, qint64>;
using Groups = std::map<GroupKey, int>;

std::optional<Groups> groupsOf(const std::vector<TicketChance::Played>& played, const PayTable& table, QString* refusal)
{
    Groups groups;
    for (const TicketChance::Played& p : played) {
        const Ticket& t = *p.ticket;
        if (!table.rowKnown(t.size())) {
            *refusal = QStringLiteral("La table des gains ne connaît pas tous les gains d'une grille de %1 numéros : "
                                      "la comparaison avec le hasard ne peut pas être faite.")
                           .arg(t.size());
            return std::nullopt;
        }
        for (const TicketLedger::Row& row : p.ledger->rows) {
            const qint64 factor = t.stake.multiplier ? std::max(row.multiplier, Stake::kNoMultiplier) : 1;
            ++groups[{t.size(), t.stake.euros, factor}];
        }
    }
    return groups;
}

TotalLaw::Group groupOf(const GroupKey& key, int plays, const PayTable& table, const Formula& formula)
{
    const auto [k, euros, factor] = key;
    TotalLaw::Group group{{}, {}, plays};
    for (int m = 0; m <= k; ++m) {
        group.values.push_back(*table.amount(k, m) * euros * factor);
        group.probs.push_back(TotalLaw::matchProbability(k, m, formula));
    }
    return group;
}

// The share of `players` random players whose total passes `won`, each group's total drawn
// from its law by its inverse.
double simulate(const std::vector<TotalLaw>& laws, qint64 won, int players, quint64 seed)
{
    std::mt19937_64 rng(seed);
    int above = 0;
    for (int p = 0; p < players; ++p) {
        qint64 total = 0;
        for (const TotalLaw& law : laws) {
            const double u = static_cast<double>(rng() >> 11) * 0x1.0p-53;
            total += law.quantile(u);
        }
        above += total > won ? 1 : 0;
    }
    return players > 0 ? double(above) / players : 0.0;
}

} // namespace

TicketChance::Result TicketChance::compare(const std::vector<Played>& played, const PayTable& table, int players, quint64 seed)
{
    Result r;
    for (const Played& p : played) {
        if (!p.ledger->allKnown()) {
            r.refusal = QStringLiteral("Un gain de vos grilles est inconnu de la table des gains : la comparaison avec le "
                                       "hasard ne peut pas être faite.");
            return r;
        }
        r.won += p.ledger->won;
    }
    const std::optional<Groups> groups = groupsOf(played, table, &r.refusal);
    if (!groups)
        return r;
    if (groups->empty()) {
        r.refusal = QStringLiteral("Aucune de vos grilles n'a été jouée sur la période : rien à comparer au hasard.");
        return r;
    }
    const Formula& formula = played.front().ticket->game();
    std::vector<TotalLaw::Group> laws;
    for (const auto& [key, plays] : *groups)
        laws.push_back(groupOf(key, plays, table, formula));
    const std::optional<TotalLaw> total = TotalLaw::sum(laws);
    r.exact = total.has_value();
    if (r.exact) {
        r.beaten = 1.0 - total->cdf(r.won);
        return r;
    }
    // Past what one exact law may take in memory: each group's own law, drawn for each player.
    std::vector<TotalLaw> apart;
    for (const TotalLaw::Group& g : laws)
        apart.push_back(TotalLaw(g.values, g.probs, g.plays));
    r.players = players;
    r.beaten = simulate(apart, r.won, players, seed);
    return r;
}

QStringList TicketChance::lines(const Result& result)
{
    if (!result.refusal.isEmpty())
        return {result.refusal};
    const double percent = 100.0 * result.beaten;
    QString share = QStringLiteral("%1 %").arg(std::lround(percent));
    if (percent > 0 && percent < 0.5)
        share = QStringLiteral("moins de 1 %");
    else if (percent < 100 && percent > 99.5)
        share = QStringLiteral("plus de 99 %");
    QStringList out{QStringLiteral("Votre résultat est dépassé par %1 des joueurs au hasard").arg(share)};
    out << (result.exact ? QStringLiteral("(loi exacte des gains de joueurs qui cochent au hasard autant de numéros, avec "
                                          "les mêmes mises, sur les mêmes tirages)")
                         : QStringLiteral("(%1 joueurs qui cochent au hasard autant de numéros, avec les mêmes mises, sur les "
                                          "mêmes tirages, tirés des lois exactes de leurs gains)")
                               .arg(result.players));
    return out;
}
