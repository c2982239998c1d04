// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The generated history the benchmarks share: 32,766 draws, the longest the old limits allowed.
#include "history/DemoHistory.h"
#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"

#include <QDate>
#include <QStringList>

namespace BenchHistory {

constexpr int kDraws = 32766;

struct Fixture {
    QStringList list; // the draws, then the trailing empty item
    DrawMatrix matrix;
    StudyPeriod period;
};

inline const Fixture& fixture()
{
    static const Fixture f = [] {
        Fixture x;
        x.list = DemoHistory::generate(QDate(2040, 1, 1)).mid(0, kDraws);
        x.list << QString();
        x.matrix.rebuild(x.list);
        x.period = StudyPeriod{0, kDraws - 1};
        return x;
    }();
    return f;
}

} // namespace BenchHistory
