// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Decimal numbers as the chance reports write them: French decimal comma, fixed places. Values
// are rounded as they are written, not as the binary double holds them: 0,125 and 2,675 both
// round their half up (away from zero), as a person rounding by hand would.
namespace ChanceText {

QString decimal(double value, int places);
// The thousands separator of the regional settings, as the rankings group; where it is the comma
// (the C locale), "1 sur 3,383" would read as a decimal beside "1 sur 3,3": a narrow no-break
// space then.
QString groupSeparator();
// The same with the integer part grouped by thousands ("4 842,0").
QString grouped(double value, int places);
// A whole number grouped by thousands ("2 147 181").
QString grouped(qint64 value);
// A signed decimal: "+0,25", "-1,30".
QString signedDecimal(double value, int places);
// A share as a percentage: 0.0512 with 1 place gives "5,1 %".
QString percent(double share, int places = 1);
// A probability as a percentage with at least two significant digits: "9,49 %", "0,0095 %",
// and in scientific form below 0,001 % ("2,4e-13 %").
QString percentProbability(long double p);
// A probability with at least two significant digits: "0,507", "0,079", "0,0013", and in
// scientific form below 0,001 ("1,7e-22"). Long double so p-values far below 1e-308 still print.
QString probability(long double p);
// The widest line a chance report writes, in characters: its pane keeps it whole beside the
// draw list at 1366 pixels.
inline constexpr int kLineWidth = 88;
// `head` followed by `items` joined by `separator`, cut into lines of at most kLineWidth
// characters; the following lines are indented by two spaces.
QStringList wrapped(const QString& head, const QStringList& items, const QString& separator);

// A p-value: a probability, and never zero — one too small even for a long double (a number in
// every one of thousands of draws) is written "< 1e-4900".
QString pValue(long double p);

} // namespace ChanceText
