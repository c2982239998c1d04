// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/Backtest.h"

#include "chance/FigureText.h"
#include "chance/UnknownPay.h"
#include "forecast/ForecastSelection.h"
#include "output/Plural.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <random>

namespace Backtest {

namespace {

struct Ledger {
    BacktestStrategy& s;
    std::array<int, PayTable::kMaxTicked + 1>& unknown;
    qint64 balance = 0, peak = 0;
    int streak = 0;

    // An amount the table does not know is staked and set aside, never counted as nothing.
    void play(int matched, std::optional<qint64> amount, qint64 cost)
    {
        s.staked += cost;
        if (!amount) {
            ++unknown[static_cast<size_t>(matched)];
            return;
        }
        const qint64 paid = *amount;
        s.won += paid;
        balance += paid - cost;
        peak = std::max(peak, balance);
        s.largestFall = std::max(s.largestFall, peak - balance);
        streak = paid == 0 ? streak + 1 : 0;
        s.longestLosingStreak = std::max(s.longestLosingStreak, streak);
    }
};

int matched(const DrawMatrix& matrix, int d, const std::vector<int>& ticket)
{
    int m = 0;
    for (int n : ticket)
        if (matrix.contains(n, d))
            ++m;
    return m;
}

} // namespace

// Each player plays a fresh random ticket at every draw. Whatever the draw, a random ticket
// matches m of its numbers with the hypergeometric odds, independently from draw to draw: so each
// play is drawn straight from those odds. mt19937_64 is the same on every machine, so a seed
// gives the same players.
std::vector<qint64> randomPlayers(int size, int draws, int players, quint32 seed, const std::atomic_bool* cancel,
                                  const Formula& formula)
{
    return randomPlayers(size, draws, players, seed, cancel, formula, formula.payTable, 1, {});
}

std::vector<qint64> randomPlayers(int size, int draws, int players, quint32 seed, const std::atomic_bool* cancel,
                                  const Formula& formula, const PayTable& table, qint64 euros, const std::vector<int>& factors)
{
    if (!table.rowKnown(size))
        return {};
    // m matched when the 64-bit draw is at or above thresholds[0..m-1] and below the others; the
    // thresholds past `size` are never reached. Counting them, rather than searching, keeps the
    // loop free of branches that chance would make unpredictable.
    std::array<quint64, 10> thresholds;
    thresholds.fill(std::numeric_limits<quint64>::max());
    std::array<qint64, 11> pay{};
    long double cumulative = 0;
    for (int m = 0; m <= size; ++m) {
        cumulative += TotalLaw::matchProbability(size, m, formula);
        const long double scaled = cumulative * 18446744073709551616.0L;
        if (m < size && m < 10)
            thresholds[static_cast<size_t>(m)]
                = scaled >= 18446744073709551615.0L ? std::numeric_limits<quint64>::max() : static_cast<quint64>(scaled);
        pay[static_cast<size_t>(m)] = *table.amount(size, m) * euros;
    }
    std::mt19937_64 rng(seed);
    std::vector<qint64> totals;
    totals.reserve(static_cast<size_t>(players));
    for (int p = 0; p < players; ++p) {
        if (cancel && cancel->load())
            return {};
        qint64 total = 0;
        for (int d = 0; d < draws; ++d) {
            const quint64 r = rng();
            size_t m = 0;
            for (quint64 t : thresholds)
                m += r >= t ? 1 : 0;
            total += pay[m] * (d < static_cast<int>(factors.size()) ? factors[static_cast<size_t>(d)] : 1);
        }
        totals.push_back(total);
    }
    std::sort(totals.begin(), totals.end());
    return totals;
}

ForecastCriteria criteriaBefore(const ForecastCriteria& criteria, int drawsBefore, const NumberStats& before)
{
    ForecastCriteria c = criteria;
    c.updateAfterLoad(drawsBefore + 1, before); // the draws, then the list's trailing empty item
    c.updateAfterSorties(before);
    return c;
}

int smallest(const Formula& formula)
{
    return std::max(kMinSize, formula.minTicked);
}

int largest(const Formula& formula)
{
    return std::min(kMaxSize, formula.maxTicked);
}

std::vector<int> ticket(const std::array<int, DrawMatrix::kNumbers>& criteriaMet, int size, const Formula& formula)
{
    std::vector<int> t;
    for (int c = 4; c >= 0; --c)
        for (int n = 1; n <= formula.numbers && static_cast<int>(t.size()) < size; ++n)
            if (criteriaMet[static_cast<size_t>(n)] == c)
                t.push_back(n);
    std::sort(t.begin(), t.end());
    return t;
}

std::vector<std::vector<int>> naiveTickets(const DrawMatrix& matrix, const StudyPeriod& period, const ForecastCriteria& criteria,
                                           int size)
{
    std::vector<std::vector<int>> tickets;
    const Formula& formula = matrix.formula();
    const int first = std::max(1, period.first);
    const int last = std::min(period.last, matrix.columns() - 1);
    for (int d = first; d <= last; ++d) {
        DrawMatrix seen;
        seen.setFormula(formula.id);
        seen.resize(matrix.columns());
        for (int e = 0; e < d; ++e)
            for (int n = 1; n <= formula.numbers; ++n)
                if (matrix.contains(n, e))
                    seen.set(n, e, true);
        StudyPeriod all{0, d - 1};
        const NumberStats before = computeStatsNaive(seen, all);
        const ForecastSelectionResult selection = ForecastSelection::run(seen, d, criteriaBefore(criteria, d, before));
        tickets.push_back(ticket(selection.criteriaMet, size, formula));
    }
    return tickets;
}

namespace {

// A count per number, index 0 unused.
using Counts = std::array<int, DrawMatrix::kNumbers>;

// What the draws before d tell, built once: the numbers of each draw, cumulated appearances
// (counts[d] holds draws 0..d-1, so a window's counts are a difference of two rows), and the
// last appearance and largest closed gap of each number over the draws revealed so far. Nothing
// past `last` is read.
class RevealedHistory {
public:
    RevealedHistory(const DrawMatrix& matrix, int last)
        : m_numbers(matrix.formula().numbers), m_drawn(static_cast<size_t>(last) + 1), m_counts(static_cast<size_t>(last) + 1)
    {
        for (int d = 0; d < last; ++d) {
            m_counts[static_cast<size_t>(d) + 1] = m_counts[static_cast<size_t>(d)];
            int i = 0;
            for (int n = 1; n <= m_numbers; ++n)
                if (matrix.contains(n, d)) {
                    ++m_counts[static_cast<size_t>(d) + 1][static_cast<size_t>(n)];
                    if (i < Formula::kMaxDrawn)
                        m_drawn[static_cast<size_t>(d)][static_cast<size_t>(i++)] = n;
                }
            for (; i < Formula::kMaxDrawn; ++i)
                m_drawn[static_cast<size_t>(d)][static_cast<size_t>(i)] = 0;
        }
        m_lastSeen.fill(-1);
    }

    void reveal(int e)
    {
        for (int n : m_drawn[static_cast<size_t>(e)]) {
            if (n == 0)
                continue;
            m_largestClosed[static_cast<size_t>(n)]
                = std::max(m_largestClosed[static_cast<size_t>(n)], e - m_lastSeen[static_cast<size_t>(n)] - 1);
            m_lastSeen[static_cast<size_t>(n)] = e;
        }
    }

    // The statistics a load of the draws before d alone gives.
    void statsBefore(int d, NumberStats& before) const
    {
        before.appearances = m_counts[static_cast<size_t>(d)];
        for (size_t n = 1; n <= static_cast<size_t>(m_numbers); ++n) {
            before.currentGap[n] = d - 1 - m_lastSeen[n];
            before.largestGap[n] = std::max(m_largestClosed[n], before.currentGap[n]);
        }
    }

    // Each window ends at d - 1 and starts W draws earlier, at 0 at the soonest; the gaps are
    // those of the general window.
    void windowsBefore(int d, const SelectionBounds& bounds, std::array<Counts, 3>& windows, Counts& gaps) const
    {
        const size_t numbers = static_cast<size_t>(m_numbers);
        const Counts& upTo = m_counts[static_cast<size_t>(d)];
        for (size_t f = 0; f < 3; ++f) {
            const int start = std::max(0, d - bounds.window[f]);
            for (size_t n = 1; n <= numbers; ++n)
                windows[f][n] = start < d ? upTo[n] - m_counts[static_cast<size_t>(start)][n] : 0;
            if (f == 2)
                for (size_t n = 1; n <= numbers; ++n)
                    gaps[n] = start < d ? d - 1 - std::max(m_lastSeen[n], start - 1) : 0;
        }
    }

private:
    int m_numbers;
    std::vector<std::array<int, Formula::kMaxDrawn>> m_drawn;
    std::vector<Counts> m_counts;
    Counts m_lastSeen;
    Counts m_largestClosed{};
};

// The ticket played most often, the law of chance and the random players, once the draws are played.
void settle(BacktestResult& result, const std::map<std::vector<int>, int>& ticketCounts, int size,
            const BacktestSettings& settings, const std::atomic_bool* cancel)
{
    for (const auto& [t, n] : ticketCounts)
        if (n > result.commonTicketDraws) {
            result.commonTicket = t;
            result.commonTicketDraws = n;
        }
    const Formula& formula = Formula::get(result.formula);
    const Wager& wager = result.wager;
    const bool option = wager.stake.multiplier;
    // Every draw played pays times its own multiplier, for the random player as for the forecast.
    const std::map<int, int> playsAt = option ? wager.factorCounts(result.firstDraw, result.lastDraw) : std::map<int, int>();
    const std::optional<TotalLaw> law = TotalLaw::payout(formula, wager.table, size, result.played, wager.stake.euros, playsAt);
    result.rowKnown = wager.table.rowKnown(size);
    if (!result.rowKnown)
        return;
    result.lawTooLarge = !law;
    if (law) {
        result.expected = law->mean();
        result.median = law->median();
        result.band = law->band();
    }
    if (!result.cancelled && settings.players > 0) {
        std::vector<int> factors;
        for (int d = result.firstDraw; option && d <= result.lastDraw; ++d)
            factors.push_back(wager.factor(d));
        result.randomTotals = randomPlayers(size, result.played, settings.players, settings.seed, cancel, formula, wager.table,
                                            wager.stake.euros, factors);
        result.cancelled = result.randomTotals.empty();
    }
}

} // namespace

BacktestResult run(const DrawMatrix& matrix, const StudyPeriod& period, const ForecastCriteria& criteria,
                   const BacktestSettings& settings, const std::function<void(int, int)>& progress,
                   const std::atomic_bool* cancel)
{
    return run(matrix, period, criteria, settings, Wager(matrix.formula().payTable), progress, cancel);
}

BacktestResult run(const DrawMatrix& matrix, const StudyPeriod& period, const ForecastCriteria& criteria,
                   const BacktestSettings& settings, const Wager& wager, const std::function<void(int, int)>& progress,
                   const std::atomic_bool* cancel)
{
    BacktestResult result;
    result.wager = wager;
    const Formula& formula = matrix.formula();
    result.formula = formula.id;
    const int size = std::clamp(settings.size, smallest(formula), largest(formula));
    const int first = std::max(1, period.first);
    const int last = std::min(period.last, matrix.columns() - 1);
    if (last < first)
        return result;
    result.firstDraw = first;
    result.lastDraw = first - 1;

    RevealedHistory history(matrix, last);
    for (int e = 0; e < first; ++e)
        history.reveal(e);

    Ledger forecast{result.forecast, result.unknownDraws};
    std::map<std::vector<int>, int> ticketCounts;
    const int total = last - first + 1;
    std::array<Counts, 3> windows{};
    Counts gaps{};
    NumberStats before;
    for (int d = first; d <= last; ++d) {
        if (cancel && cancel->load()) {
            result.cancelled = true;
            break;
        }
        history.statsBefore(d, before);
        const SelectionBounds bounds = ForecastSelection::bounds(criteriaBefore(criteria, d, before));
        history.windowsBefore(d, bounds, windows, gaps);
        std::vector<int> t
            = ticket(ForecastSelection::criteriaMet({&windows[0], &windows[1], &windows[2]}, gaps, bounds), size, formula);
        const int m = matched(matrix, d, t);
        forecast.play(m, wager.win(size, m, d), wager.stake.cost());
        ++ticketCounts[t];
        result.tickets.push_back(std::move(t));
        history.reveal(d);
        result.lastDraw = d;
        ++result.played;
        if (progress && (result.played % 64 == 0 || d == last))
            progress(result.played, total);
    }
    if (result.played > 0)
        settle(result, ticketCounts, size, settings, cancel);
    return result;
}

namespace {

QString euros(qint64 v)
{
    return FigureText::euros(static_cast<double>(v));
}

QString numbers(const std::vector<int>& t)
{
    QStringList parts;
    for (int n : t)
        parts << QString::number(n);
    return parts.join(QLatin1Char(' '));
}

} // namespace

namespace {

QString draws(qint64 n)
{
    return FigureText::whole(n) + QLatin1Char(' ') + Plural::agree(n, QStringLiteral("tirage"), QStringLiteral("tirages"));
}

// What was played, against what, and how often the same ticket came back.
QStringList playedLines(const BacktestResult& result, const BacktestSettings& settings, int size, const QString& firstDate,
                        const QString& lastDate)
{
    QStringList out;
    const int played = result.played;
    out << QStringLiteral("Test de la prévision sur ") + draws(played) + QStringLiteral(", du ") + firstDate
            + QStringLiteral(" au ") + lastDate;
    out << QStringLiteral("Chaque tirage : ") + QString::number(size)
            + QStringLiteral(" numéros de la sélection faite sur les seuls tirages précédents");
    const Stake& stake = result.wager.stake;
    if (stake.isPlain())
        out << QStringLiteral("(communs à 4 critères, complétés par les groupes suivants), mise 1 €uro");
    else
        out << QStringLiteral("(communs à 4 critères, complétés par les groupes suivants)")
            << QStringLiteral("Mise ") + stake.label() + QStringLiteral(", soit %1 €uros par tirage").arg(stake.cost());
    const QString unknown = result.wager.unknownMultipliersLine(result.firstDraw, result.lastDraw);
    if (!unknown.isEmpty())
        out << unknown;
    out << QStringLiteral("Comparaison : ") + QString::number(size) + QStringLiteral(" numéros au hasard par tirage, graine ")
            + QString::number(settings.seed);
    if (result.cancelled)
        out << QStringLiteral("Test interrompu : seuls les tirages joués sont comptés");
    out << QStringLiteral("Forme générale et bornes d'écart : celles d'un chargement des seuls tirages précédents");
    const double share = static_cast<double>(result.commonTicketDraws) / played;
    out << QStringLiteral("Grille la plus jouée : ") + numbers(result.commonTicket) + QStringLiteral(", sur ")
            + draws(result.commonTicketDraws) + QStringLiteral(" (") + FigureText::percent(share) + QLatin1Char(')');
    if (played > 1 && result.commonTicketDraws == played)
        out << QStringLiteral("La prévision joue toujours la même grille : ce test ne juge que cette grille");
    else if (played > 1 && share >= 0.9)
        out << QStringLiteral("La prévision joue presque toujours la même grille : ce test juge surtout cette grille");
    else if (played > 1 && share >= 0.5)
        out << QStringLiteral("La prévision joue le plus souvent la même grille : ce test juge surtout cette grille");
    return out;
}

int unknownCount(const BacktestResult& result)
{
    int n = 0;
    for (int draws : result.unknownDraws)
        n += draws;
    return n;
}

// The forecast's own balance: without it when a draw's amount is unknown.
QStringList balanceLines(const BacktestResult& result)
{
    const BacktestStrategy& s = result.forecast;
    const int unknown = unknownCount(result);
    if (unknown > 0)
        return {QStringLiteral("Prévision : misé ") + euros(s.staked) + QStringLiteral(", gain inconnu sur ") + draws(unknown)
                + QStringLiteral(" : bilan non calculé")};
    const qint64 balance = s.won - s.staked;
    return {QStringLiteral("Prévision : misé ") + euros(s.staked) + QStringLiteral(", encaissé ") + euros(s.won)
                + (balance >= 0 ? QStringLiteral(", bénéfice ") + euros(balance) : QStringLiteral(", perte ") + euros(-balance)),
            QStringLiteral("  plus forte baisse du solde ") + euros(s.largestFall)
                + QStringLiteral(", plus longue suite sans gain ") + draws(s.longestLosingStreak)};
}

// What the table lacks, and what is left out for it.
QStringList unknownLines(const PayTable& table, int size)
{
    QStringList out;
    out << QString();
    out << UnknownPay::sentence(size, UnknownPay::matches(table, size));
    out << QStringLiteral("Sans ces gains, ni la loi exacte du hasard ni les joueurs au hasard ne sont calculés");
    return out;
}

// The forecast's own balance, then where it falls in the exact law of chance.
QStringList forecastLines(const BacktestResult& result)
{
    QStringList out;
    const BacktestStrategy& s = result.forecast;
    out << QString();
    out << balanceLines(result);
    out << QString();
    out << QStringLiteral("Hasard, loi exacte du total de ") + draws(result.played) + QStringLiteral(" :");
    out << QStringLiteral("  encaissé attendu ") + FigureText::euros(result.expected) + QStringLiteral(", médian ")
            + euros(result.median);
    out << QStringLiteral("  intervalle à 95 % : ") + FigureText::whole(result.band.low) + QStringLiteral(" à ")
            + euros(result.band.high);
    const bool inside = s.won >= result.band.low && s.won <= result.band.high;
    out << (inside ? QStringLiteral("  prévision dans l'intervalle : compatible avec le hasard au risque de 5 %")
                   : QStringLiteral("  prévision hors de l'intervalle : pas compatible avec le hasard au risque de 5 %"));
    return out;
}

// The random players' totals, sorted, against the forecast's.
QStringList playersLines(const std::vector<qint64>& t, qint64 won, int size)
{
    QStringList out;
    const qsizetype players = static_cast<qsizetype>(t.size());
    out << FigureText::whole(players) + QLatin1Char(' ')
            + Plural::agree(players, QStringLiteral("joueur au hasard"), QStringLiteral("joueurs au hasard"))
            + QStringLiteral(", une grille de ") + QString::number(size) + QStringLiteral(" numéros tirée à chaque tirage :");
    const double median = players % 2 ? static_cast<double>(t[static_cast<size_t>(players / 2)])
                                      : (t[static_cast<size_t>(players / 2 - 1)] + t[static_cast<size_t>(players / 2)]) / 2.0;
    // The central 95 %: as many players below the range as above it.
    const qsizetype outside = players * 25 / 1000;
    out << QStringLiteral("  encaissé médian ") + FigureText::euros(median) + QStringLiteral(", 95 % d'entre eux entre ")
            + FigureText::whole(t[static_cast<size_t>(outside)]) + QStringLiteral(" et ")
            + euros(t[static_cast<size_t>(players - 1 - outside)]);
    const qsizetype below = std::lower_bound(t.begin(), t.end(), won) - t.begin();
    const qsizetype notAbove = std::upper_bound(t.begin(), t.end(), won) - t.begin();
    const qsizetype equal = notAbove - below, above = players - notAbove;
    out << QStringLiteral("  la prévision encaisse plus que ") + FigureText::whole(below) + QStringLiteral(", autant que ")
            + FigureText::whole(equal) + QStringLiteral(", moins que ") + FigureText::whole(above) + QStringLiteral(" : centile ")
            + FigureText::decimal(100.0 * (below + equal / 2.0) / players, 1);
    // The forecast counted among the players, so p is never 0: (k + 1) / (players + 1).
    const qsizetype atLeast = equal + above;
    out << QStringLiteral("  p unilatéral (k+1)/") + FigureText::whole(players + 1) + QStringLiteral(" = ")
            + FigureText::probability((1.0 + static_cast<double>(atLeast)) / (1.0 + static_cast<double>(players)))
            + QStringLiteral(" ; k = ") + FigureText::whole(atLeast)
            + Plural::agree(atLeast, QStringLiteral(" joueur encaisse"), QStringLiteral(" joueurs encaissent"))
            + QStringLiteral(" au moins autant");
    return out;
}

} // namespace

QStringList reportLines(const BacktestResult& result, const BacktestSettings& settings, const QString& firstDate,
                        const QString& lastDate)
{
    if (result.played == 0)
        return {result.cancelled ? QStringLiteral("Test interrompu : aucun tirage joué")
                                 : QStringLiteral("Aucun tirage à tester : il faut au moins un tirage avant la période")};
    const Formula& formula = Formula::get(result.formula);
    const int size = std::clamp(settings.size, smallest(formula), largest(formula));
    QStringList out = playedLines(result, settings, size, firstDate, lastDate);
    if (!result.rowKnown) {
        out << QString() << balanceLines(result) << unknownLines(result.wager.table, size);
        return out;
    }
    if (result.lawTooLarge)
        out << QString() << balanceLines(result) << QString()
            << QStringLiteral("Hasard : la loi exacte du total demanderait trop de mémoire, elle n'est pas calculée");
    else
        out << forecastLines(result);
    if (settings.players <= 0)
        return out;
    out << QString();
    if (result.randomTotals.empty()) {
        out << QStringLiteral("Joueurs au hasard : test interrompu avant eux");
        return out;
    }
    out << playersLines(result.randomTotals, result.forecast.won, size);
    return out;
}

} // namespace Backtest
