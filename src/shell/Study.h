// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/StudyPeriod.h"
#include "stats/NumberStats.h"

class DrawMatrix;

// The one writer of the study: the draws the statistics count and the statistics themselves.
// The units move the period through the few ways it moves; every other unit reads it.
class Study {
public:
    const StudyPeriod& period() const { return m_period; }
    const NumberStats& stats() const { return m_stats; }
    // False once the period or the list changed since the statistics were counted.
    bool statsValid() const { return m_statsValid; }

    // The whole list (`itemCount` items, the trailing empty one aside); counted again later.
    void wholeList(int itemCount);
    // A click on item `index`: the `length` draws before it at most; counted again later.
    void followClick(int index, int length);
    // The period ends at draw `last`; the statistics stay as they are until something else
    // makes them stale (the rankings count only stale ones).
    void endAt(int last);

    // Calcul: the statistics of the period over `matrix`.
    void count(const DrawMatrix& matrix);
    // A period and its statistics counted elsewhere (the forecast selection's last window).
    void take(const StudyPeriod& period, const NumberStats& stats);

private:
    StudyPeriod m_period;
    NumberStats m_stats;
    bool m_statsValid = false;
};
