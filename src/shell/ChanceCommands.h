#pragma once

#include "chance/Backtest.h"

#include <optional>
#include <vector>

struct CommandContext;

// The reports that set the statistics against chance: "Hasard", "Cotes du Keno", the companions
// of "Partenaire ideal" and "Annonceur", and the backtest of the forecast selection.
class ChanceCommands {
public:
    static constexpr quint32 kDefaultSeed = 1;

    explicit ChanceCommands(CommandContext& context) : m_ctx(context) { }

    void hasard();
    void cotesKeno();
    void partenairesHasard();
    void annonceurHasard();

    // Asks how many numbers to play, then runs the backtest here, start to end.
    void testerPrevision();
    // The backtest of `size` numbers against random tickets drawn from `seed`, start to end;
    // false when the size is out of range (told).
    bool backtest(int size, quint32 seed);
    // What a backtest of `size` numbers reads now; nullopt when the size is out of range (told).
    std::optional<BacktestJob> prepareBacktest(int size, quint32 seed = kDefaultSeed);
    // Asks the size ("10" offered); nullopt when cancelled or out of range (told).
    std::optional<int> askBacktestSize();
    // Writes the report of a finished (or stopped) backtest.
    void showBacktest(const BacktestJob& job, const BacktestResult& result);

    // Adds the comparison with chance after the lines of "Performance", before its export.
    void appendPerformanceComparison(const std::vector<int>& ticked);

private:
    // Clears the report area for a one-column report titled `title`, writes `lines` and exports.
    void writeReport(const QString& title, const QStringList& lines, bool exported = true);

    CommandContext& m_ctx;
};
