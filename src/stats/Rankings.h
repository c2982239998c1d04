// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/NumberStats.h"

#include <QString>
#include <QStringList>

enum class RankingKind { Sorties, Ecarts, EcartsMax, Numero };

struct RankingTexts {
    QString title; // followed by the date of the study period's last draw
    QString caption;
    QString status;
};

namespace Rankings {

inline constexpr const char* kHeader = "Num Sorti Ecart  EcartMax";

RankingTexts texts(RankingKind kind);

// The report line of number n.
QString line(RankingKind kind, int n, const NumberStats& stats);

// The numbers of the statistics' game in report order: by key descending (ties ascending), or
// ascending for Numero.
QList<int> order(RankingKind kind, const NumberStats& stats);

} // namespace Rankings
