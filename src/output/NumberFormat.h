// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace NumberFormat {

// Applies a display pattern to a whole number: '0' is a digit always shown, '#' a digit shown
// only when significant, a ',' between digit places groups thousands with the regional
// separator, anything else is copied. Values wider than the pattern are written in full.
QString apply(qint64 value, QStringView pattern);

// The thousands separator of the user's regional settings ("," in the C/POSIX locale).
QString groupSeparator();

// Reads a typed number the way input boxes do: blanks ignored, the numeric prefix taken,
// empty or non-numeric text gives 0, the nearest integer is returned.
qint64 readTypedNumber(QStringView text);

} // namespace NumberFormat
