#pragma once

#include "stats/Rankings.h"

#include <QString>

struct CommandContext;

// The statistics, the four rankings, the busy indicator and the export step every report ends with.
class RankingCommands {
public:
    explicit RankingCommands(CommandContext& context) : m_ctx(context) { }

    void calcul();
    void srti();
    void sorties() { rankWith(RankingKind::Sorties); }
    void ecarts() { rankWith(RankingKind::Ecarts); }
    void ecartsMax() { rankWith(RankingKind::EcartsMax); }
    void numero() { rankWith(RankingKind::Numero); }

    void showBusy(const QString& status);
    void hideBusy();
    // Writes the report to a file the person names, when "Exporter les calculs" is ticked.
    void wordpad();

private:
    void rankWith(RankingKind kind);
    void runRanking(RankingKind kind);

    CommandContext& m_ctx;
};
