// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/NumberStats.h"

#include <QList>
#include <QString>

// The two charts of the statistics window: row n (1..formula.numbers) is number n.
namespace ChartValues {

struct Series {
    QString title;
    QList<int> values; // one value per number of the game, number 1 first
};

// "Sorties" (appearances) then "Ecarts" (current gaps), refreshed after every statistics run.
Series sorties(const NumberStats& stats, const Formula& formula = Formula::classic());
Series ecarts(const NumberStats& stats, const Formula& formula = Formula::classic());

} // namespace ChartValues
