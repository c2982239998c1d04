// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Figures as the chance comparisons write them: thousands grouped with the separator the
// rankings use, French decimal comma, probabilities with at least two significant digits.
namespace FigureText {

// 16947 gives "16 947" (the thousands separator of the chance reports).
QString whole(qint64 value);
// Grouped whole part, decimal comma, `places` decimals.
QString decimal(double value, int places);
// An amount in euros: whole when it is one or when it reaches 1000, else one decimal.
QString amount(double value);
// The amount followed by "€uro", or "€uros" from 2 on, as French agrees it.
QString euros(double value);
// 0.00128 gives "0,0013", 0.52 gives "0,520"; below 0.001 scientific ("1,2e-04").
QString probability(double p);
// A share as a percentage with one decimal: 0.872 gives "87,2 %".
QString percent(double share);

} // namespace FigureText
