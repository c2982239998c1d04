// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/NumberFormat.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace NumberFormat {

namespace {

bool isPlaceholder(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#');
}

// Digit places with thousands grouping: pad to the '0' places, then group.
QString groupedDigits(const QString& digits, QStringView section)
{
    int zeroPlaces = 0;
    bool seenZero = false;
    for (QChar c : section) {
        if (!isPlaceholder(c))
            continue;
        if (c == QLatin1Char('0'))
            seenZero = true;
        if (seenZero)
            ++zeroPlaces;
    }
    QString padded = digits == QLatin1String("0") && zeroPlaces == 0 ? QString() : digits;
    while (padded.size() < zeroPlaces)
        padded.prepend(QLatin1Char('0'));
    const QString sep = groupSeparator();
    for (qsizetype i = padded.size() - 3; i > 0; i -= 3)
        padded.insert(i, sep);
    return padded;
}

// Fill the digit places right to left; extra digits go in front of the first place.
QString placedDigits(const QString& digits, QStringView section)
{
    const bool zeroValue = digits == QLatin1String("0");
    // Zero has no significant digit: only '0' places show it.
    qsizetype next = zeroValue ? -1 : digits.size() - 1;
    QString out;
    for (qsizetype i = section.size() - 1; i >= 0; --i) {
        const QChar c = section[i];
        if (!isPlaceholder(c)) {
            out.prepend(c);
            continue;
        }
        const bool significant = next >= 0 && !(zeroValue && c == QLatin1Char('#'));
        if (significant)
            out.prepend(digits[next--]);
        else if (c == QLatin1Char('0'))
            out.prepend(QLatin1Char('0'));
        if (i == 0 && next >= 0)
            out.prepend(digits.left(next + 1));
    }
    return out;
}

} // namespace

QString groupSeparator()
{
    const QString sep = QLocale::system().groupSeparator();
    return sep.isEmpty() ? QStringLiteral(",") : sep;
}

QString apply(qint64 value, QStringView pattern)
{
    qsizetype firstPh = -1, lastPh = -1;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (isPlaceholder(pattern[i])) {
            if (firstPh < 0)
                firstPh = i;
            lastPh = i;
        }
    }
    if (firstPh < 0)
        return pattern.toString();

    const bool negative = value < 0;
    const QString digits = QString::number(negative ? -static_cast<quint64>(value) : static_cast<quint64>(value));
    const QStringView section = pattern.mid(firstPh, lastPh - firstPh + 1);
    QString number = section.contains(QLatin1Char(',')) ? groupedDigits(digits, section) : placedDigits(digits, section);
    if (negative)
        number.prepend(QLatin1Char('-'));
    return pattern.left(firstPh).toString() + number + pattern.mid(lastPh + 1).toString();
}

qint64 readTypedNumber(QStringView text)
{
    // Allocation-free: the draw-line fields go through here for every load.
    auto blank = [](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
    };
    qsizetype i = 0;
    const qsizetype size = text.size();
    auto skipBlanks = [&] {
        while (i < size && blank(text[i]))
            ++i;
    };
    skipBlanks();
    bool negative = false;
    if (i < size && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    double value = 0;
    double scale = 0; // 0 while reading the integer part
    bool digits = false;
    for (; i < size; ++i) {
        const QChar c = text[i];
        if (blank(c))
            continue;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits = true;
            if (scale == 0) {
                value = value * 10 + (c.unicode() - u'0');
            } else {
                value += (c.unicode() - u'0') * scale;
                scale /= 10;
            }
        } else if (c == QLatin1Char('.') && scale == 0) {
            scale = 0.1;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    if (negative)
        value = -value;
    if (value > 9.0e18 || value < -9.0e18)
        return value > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return static_cast<qint64>(std::nearbyint(value));
}

} // namespace NumberFormat
