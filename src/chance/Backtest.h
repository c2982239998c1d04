#pragma once

#include "forecast/ForecastCriteria.h"
#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <vector>

// "Tester la prévision": the forecast selection played draw after draw, each time made from the
// earlier draws only, beside as many random tickets of the same size.
struct BacktestSettings {
    int size = 10; // numbers played per draw, 2..10
    quint32 seed = 1; // of the random tickets, so a report can be made again
};

struct BacktestStrategy {
    qint64 staked = 0;
    qint64 won = 0;
    qint64 worstStretch = 0; // largest fall of the running balance, in euros
    int longestLosingStreak = 0; // most draws in a row paying nothing
};

struct BacktestResult {
    int firstDraw = -1, lastDraw = -1; // list indices of the draws played
    int played = 0;
    bool cancelled = false;
    BacktestStrategy forecast, random;
    std::vector<std::vector<int>> tickets; // the forecast's ticket of each draw played, ascending
};

namespace Backtest {

inline constexpr int kMinSize = 2;
inline constexpr int kMaxSize = 10;

// Plays every draw d of the period from max(first, 1) to last. The selection for d sees a
// matrix holding the draws before d only; the draw itself is added after it is played.
// `progress(done, total)` is called now and then; a set `cancel` stops at the next draw.
BacktestResult run(const DrawMatrix& matrix, const StudyPeriod& period, const ForecastCriteria& criteria,
                   const BacktestSettings& settings, const std::function<void(int, int)>& progress = {},
                   const std::atomic_bool* cancel = nullptr);

// The ticket taken from the selection's lines: the numbers of the group of 4 criteria in the
// order listed, then those of the groups of 3, 2, 1 and 0, up to `size` numbers; ascending.
std::vector<int> ticketFromSelection(const QStringList& selectionLines, int size);

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
    QStringList itemDates; // the date of every list item up to the period's last draw
};
