// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chance/TotalLaw.h"
#include "forecast/ForecastCriteria.h"
#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"
#include "history/Wager.h"
#include "stats/NumberStats.h"

#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

// "Tester la prévision": the forecast selection played draw after draw, each time made from the
// earlier draws only, set against the exact law of chance and against many random players.
struct BacktestSettings {
    int size = 10; // numbers played per draw, within Backtest::smallest..largest of the game
    quint32 seed = 1; // of the random players, so a report can be made again
    int players = 1000; // 0: no random players
};

struct BacktestStrategy {
    qint64 staked = 0;
    qint64 won = 0;
    qint64 largestFall = 0; // largest fall of the running balance, in euros
    int longestLosingStreak = 0; // most draws in a row paying nothing
};

struct BacktestResult {
    FormulaId formula = FormulaId::Keno20of70; // the game played, whose pay table pays
    int firstDraw = -1, lastDraw = -1; // list indices of the draws played
    int played = 0;
    bool cancelled = false;
    // The forecast's draws by matches (index m) whose amount the pay table does not know: they
    // are staked but not counted in `forecast.won`, and the report gives no balance then.
    std::array<int, PayTable::kMaxTicked + 1> unknownDraws{};
    BacktestStrategy forecast;
    std::vector<std::vector<int>> tickets; // the forecast's ticket of each draw played, ascending
    std::vector<int> commonTicket; // the ticket played most often, and on how many draws
    int commonTicketDraws = 0;
    // What chance gives over the draws played: the exact law of the total, and the random
    // players, both computed only when every amount of the row played is known.
    bool rowKnown = true;
    // The row known, the exact law would have taken more memory than a law may: not computed.
    bool lawTooLarge = false;
    double expected = 0;
    qint64 median = 0;
    TotalLaw::Band band;
    // The random players' totals, ascending; empty when the run was stopped before them.
    std::vector<qint64> randomTotals;
    // The table, stake and multipliers played.
    Wager wager;
};

namespace Backtest {

inline constexpr int kMinSize = 2;
inline constexpr int kMaxSize = 10;
// The sizes a backtest of the game may play: what a player may tick, two at the least.
int smallest(const Formula& formula);
int largest(const Formula& formula);

// Plays every draw d of the period from max(first, 1) to last. The selection for d reads the
// draws before d only: their counts and gaps, and the criteria as a load of those draws would
// leave them (criteriaBefore). `progress(done, total)` is called now and then; a set `cancel`
// stops at the next draw (or before the random players).
BacktestResult run(const DrawMatrix& matrix, const StudyPeriod& period, const ForecastCriteria& criteria,
                   const BacktestSettings& settings, const std::function<void(int, int)>& progress = {},
                   const std::atomic_bool* cancel = nullptr);
// The same played with `wager` (the form above plays 1 € on the table shipped with the game).
BacktestResult run(const DrawMatrix& matrix, const StudyPeriod& period, const ForecastCriteria& criteria,
                   const BacktestSettings& settings, const Wager& wager, const std::function<void(int, int)>& progress = {},
                   const std::atomic_bool* cancel = nullptr);

// The criteria as they stand after a load of a history of `drawsBefore` draws whose statistics
// are `before`, and the ranking by appearances that start-up shows: the general form spans all
// those draws between their fewest and most appearances, the gap bounds are capped by their gaps.
// The other bars keep the positions of `criteria`.
ForecastCriteria criteriaBefore(const ForecastCriteria& criteria, int drawsBefore, const NumberStats& before);

// The ticket: the numbers of the game meeting 4 criteria, then 3, 2, 1 and 0, each group
// ascending, up to `size` numbers; returned ascending.
std::vector<int> ticket(const std::array<int, DrawMatrix::kNumbers>& criteriaMet, int size,
                        const Formula& formula = Formula::classic());

// The forecast's tickets made from scratch at every draw: the matrix of the earlier draws, their
// statistics, criteriaBefore and the selection itself. The reference `run` must agree with.
std::vector<std::vector<int>> naiveTickets(const DrawMatrix& matrix, const StudyPeriod& period, const ForecastCriteria& criteria,
                                           int size);

// The totals of `players` random players over `draws` draws of `size` numbers of the game,
// ascending; empty when `cancel` was set before they were all played, or when an amount of the
// row of `size` is unknown.
std::vector<qint64> randomPlayers(int size, int draws, int players, quint32 seed, const std::atomic_bool* cancel = nullptr,
                                  const Formula& formula = Formula::classic());
// The same on `table` for a stake of `euros`, the winnings of play d times factors[d] (1 past
// its end): the random players play the same draws, with their multipliers.
std::vector<qint64> randomPlayers(int size, int draws, int players, quint32 seed, const std::atomic_bool* cancel,
                                  const Formula& formula, const PayTable& table, qint64 euros, const std::vector<int>& factors);

// The report; `firstDate` and `lastDate` name the draws played.
QStringList reportLines(const BacktestResult& result, const BacktestSettings& settings, const QString& firstDate,
                        const QString& lastDate);

} // namespace Backtest

// Everything a backtest reads, copied so it can run away from the window's thread.
struct BacktestJob {
    DrawMatrix matrix;
    StudyPeriod period;
    ForecastCriteria criteria;
    BacktestSettings settings;
    Wager wager;
    QStringList itemDates; // the date of every list item up to the period's last draw
};
