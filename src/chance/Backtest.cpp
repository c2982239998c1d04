#include "chance/Backtest.h"

#include "chance/ChanceText.h"
#include "chance/PerformanceComparison.h"
#include "forecast/ForecastSelection.h"
#include "forecast/Performance.h"

#include <algorithm>
#include <array>
#include <random>

namespace Backtest {

namespace {

// A bounded draw without the standard distributions, whose output differs between libraries:
// mt19937 itself is the same everywhere, so a seed gives the same tickets on every machine.
quint32 below(std::mt19937& rng, quint32 bound)
{
    const quint32 limit = 0xffffffffu - (0xffffffffu % bound) - 1u;
    quint32 v;
    do
        v = static_cast<quint32>(rng());
    while (v > limit);
    return v % bound;
}

std::vector<int> randomTicket(std::mt19937& rng, int size)
{
    std::array<int, 70> pool{};
    for (int i = 0; i < 70; ++i)
        pool[static_cast<size_t>(i)] = i + 1;
    for (int i = 0; i < size; ++i) {
        const int j = i + static_cast<int>(below(rng, static_cast<quint32>(70 - i)));
        std::swap(pool[static_cast<size_t>(i)], pool[static_cast<size_t>(j)]);
    }
    std::vector<int> t(pool.begin(), pool.begin() + size);
    std::sort(t.begin(), t.end());
    return t;
}

struct Ledger {
    BacktestStrategy& s;
    qint64 balance = 0, peak = 0;
    int streak = 0;

    void play(qint64 paid)
    {
        s.staked += 1;
        s.won += paid;
        balance += paid - 1;
        peak = std::max(peak, balance);
        s.worstStretch = std::max(s.worstStretch, peak - balance);
        streak = paid == 0 ? streak + 1 : 0;
        s.longestLosingStreak = std::max(s.longestLosingStreak, streak);
    }
};

qint64 paid(const DrawMatrix& matrix, int d, const std::vector<int>& ticket)
{
    int m = 0;
    for (int n : ticket)
        if (matrix.contains(n, d))
            ++m;
    return Performance::pay(static_cast<int>(ticket.size()), m);
}

} // namespace

std::vector<int> ticketFromSelection(const QStringList& selectionLines, int size)
{
    std::vector<int> ticket;
    for (int c = 4; c >= 0 && static_cast<int>(ticket.size()) < size; --c) {
        const QString header = QStringLiteral("Communs à ") + QString::number(c) + QStringLiteral(" Criteres");
        qsizetype i = selectionLines.indexOf(header);
        if (i < 0)
            continue;
        // The header is followed by an empty line, then one number per line up to an empty line.
        for (i += 2; i < selectionLines.size() && !selectionLines[i].isEmpty(); ++i) {
            if (static_cast<int>(ticket.size()) >= size)
                break;
            ticket.push_back(selectionLines[i].toInt());
        }
    }
    std::sort(ticket.begin(), ticket.end());
    return ticket;
}

BacktestResult run(const DrawMatrix& matrix, const StudyPeriod& period, const ForecastCriteria& criteria,
                   const BacktestSettings& settings, const std::function<void(int, int)>& progress,
                   const std::atomic_bool* cancel)
{
    BacktestResult result;
    const int size = std::clamp(settings.size, kMinSize, kMaxSize);
    const int first = std::max(1, period.first);
    const int last = std::min(period.last, matrix.columns() - 1);
    if (last < first)
        return result;
    result.firstDraw = first;
    result.lastDraw = first - 1;

    // What the selection may see: the draws before the one being played, and nothing else.
    DrawMatrix seen;
    seen.resize(matrix.columns());
    auto reveal = [&](int d) {
        for (int n = 0; n <= 70; ++n)
            if (matrix.contains(n, d))
                seen.set(n, d, true);
    };
    for (int d = 0; d < first; ++d)
        reveal(d);

    std::mt19937 rng(settings.seed);
    Ledger forecast{result.forecast};
    Ledger random{result.random};
    const int total = last - first + 1;
    for (int d = first; d <= last; ++d) {
        if (cancel && cancel->load()) {
            result.cancelled = true;
            break;
        }
        const ForecastSelectionResult selection = ForecastSelection::run(seen, d, criteria);
        std::vector<int> ticket = ticketFromSelection(selection.lines, size);
        forecast.play(paid(matrix, d, ticket));
        random.play(paid(matrix, d, randomTicket(rng, size)));
        result.tickets.push_back(std::move(ticket));
        reveal(d);
        result.lastDraw = d;
        ++result.played;
        if (progress && (result.played % 64 == 0 || d == last))
            progress(result.played, total);
    }
    return result;
}

namespace {

QString euros(qint64 v)
{
    return QString::number(v) + QStringLiteral(" €uros");
}

void strategyLines(QStringList& out, const QString& name, const BacktestStrategy& s,
                   const PerformanceComparison::Interval& interval)
{
    const qint64 balance = s.won - s.staked;
    out << name + QStringLiteral(" : misé ") + euros(s.staked) + QStringLiteral(", encaissé ") + euros(s.won)
            + (balance >= 0 ? QStringLiteral(", bénéfice ") : QStringLiteral(", perte ")) + euros(balance);
    out << QStringLiteral("  pire série perdante ") + euros(-s.worstStretch) + QStringLiteral(", plus longue suite sans gain ")
            + QString::number(s.longestLosingStreak) + QStringLiteral(" tirages");
    const bool inside = s.won >= interval.low && s.won <= interval.high;
    out << (inside ? QStringLiteral("  encaissé dans l'intervalle : compatible avec le hasard")
                   : QStringLiteral("  encaissé hors de l'intervalle : pas compatible avec le hasard"));
}

} // namespace

QStringList reportLines(const BacktestResult& result, const BacktestSettings& settings, const QString& firstDate,
                        const QString& lastDate)
{
    QStringList out;
    if (result.played == 0) {
        out << (result.cancelled ? QStringLiteral("Test interrompu : aucun tirage joué")
                                 : QStringLiteral("Aucun tirage à tester : il faut au moins un tirage avant la période"));
        return out;
    }
    const int size = std::clamp(settings.size, kMinSize, kMaxSize);
    out << QStringLiteral("Test de la prévision sur ") + QString::number(result.played) + QStringLiteral(" tirages, du ")
            + firstDate + QStringLiteral(" au ") + lastDate;
    out << QStringLiteral("Chaque tirage : ") + QString::number(size)
            + QStringLiteral(" numéros de la sélection faite sur les seuls tirages précédents");
    out << QStringLiteral("(communs à 4 critères, complétés par les groupes suivants), mise 1 €uro");
    out << QStringLiteral("Comparaison : ") + QString::number(size) + QStringLiteral(" numéros au hasard par tirage, graine ")
            + QString::number(settings.seed);
    if (result.cancelled)
        out << QStringLiteral("Test interrompu : seuls les tirages joués sont comptés");
    const PerformanceComparison::Interval interval = PerformanceComparison::expectedTotal(size, result.played);
    out << QString();
    out << QStringLiteral("Encaissé attendu ") + ChanceText::decimal(interval.expected, 1)
            + QStringLiteral(" €uros, intervalle à 95 % : ") + ChanceText::decimal(interval.low, 1) + QStringLiteral(" à ")
            + ChanceText::decimal(interval.high, 1);
    out << QString();
    strategyLines(out, QStringLiteral("Prévision"), result.forecast, interval);
    out << QString();
    strategyLines(out, QStringLiteral("Hasard"), result.random, interval);
    return out;
}

} // namespace Backtest
