// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analyses/AnalysisReport.h"
#include "history/Formula.h"
#include "history/StudyPeriod.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// "Colonne": how often each number stood in one field position of the draw lines of the period.
namespace ColumnReport {

inline constexpr int kFirstColumn = 1;

// The last column: one per number drawn.
inline int lastColumn(const Formula& formula)
{
    return formula.drawn;
}

// The prompt of the input box (no title, empty default answer).
QString prompt(const Formula& formula = Formula::classic());

// The typed answer as a column: numeric prefix, blanks ignored, nearest integer ("2.6" is 3);
// empty or non-numeric text gives 0. Saturates far outside int.
int readAnswer(QStringView answer);

// True for 1..lastColumn(). On any other answer the caller ends at once: nothing is cleared or
// written.
bool isColumn(int column, const Formula& formula = Formula::classic());

// The report for a column 1..lastColumn() over the draw lines (a trailing empty item is allowed and
// holds no number). The caller shows and clears the left list, writes these lines, then hides
// the right list; the caption is left alone, the statistics are not recomputed and nothing is
// exported. An out-of-range column gives no line; numbers above formula.numbers are not listed.
AnalysisReport report(const QStringList& lines, const StudyPeriod& period, int column,
                      const Formula& formula = Formula::classic());

} // namespace ColumnReport
