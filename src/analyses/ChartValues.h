// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/NumberStats.h"

#include <QList>
#include <QString>

// The two charts of the statistics window: row n (1..70) is number n.
namespace ChartValues {

struct Series {
    QString title;
    QList<int> values; // 70 values, number 1 first
};

// "Sorties" (appearances) then "Ecarts" (current gaps), refreshed after every statistics run.
Series sorties(const NumberStats& stats);
Series ecarts(const NumberStats& stats);

} // namespace ChartValues
