#pragma once

#include "analyses/AnalysisReport.h"
#include "shell/WalkRunner.h"

#include <QString>

struct CommandContext;

// The analyses of the number groups, the columns, the partners, the announcer and the two
// combination walks. Each does its steps on the report area in their own order: which list is
// cleared and which only hidden, which caption is kept, whether the export step follows.
class AnalysisCommands {
public:
    explicit AnalysisCommands(CommandContext& context) : m_ctx(context) { }

    void dizaines(); // Dix
    void septaines(); // Sept
    void pairsImpairs(); // Pi
    void petitsGros(); // PG
    void colonne(); // Colonne
    void partenaire(); // Part
    void annonceur(); // Annonceur
    void plusSortis(); // PlusSortis
    void rechercheEcart(); // Recherche
    void graph(); // cmdGraph: fresh statistics for the chart window

    // Null: walks run synchronously inside the command.
    void setWalkRunner(WalkRunner* runner) { m_runner = runner; }
    bool walkRunning() const { return m_walking; }
    // `Label1`: the combination under examination, then the last one examined.
    const QString& label1() const { return m_label1; }
    // While a walk runs: how many combinations it has examined, the share and the time left.
    const QString& walkProgress() const { return m_walkProgress; }

private:
    void writeLines(const AnalysisReport& report);
    // The size of the combinations, or 0 when the answer is not 2..10.
    int askSize();
    void startWalk(WalkJob job);
    void showWalk(const QString& combination, const QStringList& lines, int latestRecordDraw, const QString& progress = {});
    void endWalk(const CombinationWalk::Result& result);

    CommandContext& m_ctx;
    WalkRunner* m_runner = nullptr;
    bool m_walking = false;
    QString m_label1;
    QString m_walkProgress;
};
