// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"
#include "output/ReportModel.h"

#include <QList>
#include <QStringList>
#include <array>

class StateChanges;
struct Report;

// The one writer of the report area: the reports, the busy indicator, the walks' records as they
// come, and the selection the person or the grid makes on the result lists. Every change is
// announced; the other units read the area through model().
class ReportArea {
public:
    explicit ReportArea(const StateChanges& changes) : m_changes(changes) { }

    const ReportModel& model() const { return m_model; }

    // Writes `report` and announces it (the busy indicator too when the report moves it).
    void apply(const Report& report);

    void showBusy(const QString& status);
    void hideBusy();
    // After a manual entry the left list is shown again, whatever report hid it.
    void showResultat();

    // The records of a walk so far replace the left list, the newest selected; then a line
    // after them.
    void showRecords(const QStringList& lines);
    void addLine(const QString& line);

    void setSelected(int list, int index, bool on); // list 1 = Resultat, 2 = Resultat2
    void selectAll();
    void unselect(const QList<int>& resultat, const QList<int>& resultat2);
    // "Reperage": the lines of both lists (header aside) that begin with a ticked number are
    // selected, those with an unticked one are not; lines without a number keep theirs.
    void markNumbers(const std::array<bool, Formula::kMaxNumber + 1>& ticked, int numbers);
    // A click on the draw list clears the marks a reperage left on a ranking's left list
    // (`numbers`: the game's highest number).
    void clearRankingMarks(int numbers);

private:
    ReportModel m_model;
    const StateChanges& m_changes;
};
