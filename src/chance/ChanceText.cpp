// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/ChanceText.h"

#include "output/NumberFormat.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <string>

namespace ChanceText {

namespace {

// A number as the decimal digits that write it: 0.d1d2d3... × 10^exponent. The digits are the
// shortest that read back as the same binary value, so 0.145 is "145", not "14499999...".
struct Digits {
    bool negative = false;
    std::string digits; // no leading zero; empty for zero
    int exponent = 0;
};

template <typename Real> Digits digitsOf(Real value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    Digits d;
    size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    const size_t e = text.find('e');
    for (; i < e; ++i)
        if (text[i] != '.')
            d.digits += text[i];
    d.exponent = std::stoi(text.substr(e + 1)) + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exponent = 0;
    return d;
}

// Keeps `keep` leading digits, the dropped part rounded half up (away from zero).
void roundTo(Digits& d, int keep)
{
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    if (static_cast<size_t>(keep) >= d.digits.size())
        return;
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9')
            d.digits[static_cast<size_t>(i--)] = '0';
        if (i >= 0) {
            ++d.digits[static_cast<size_t>(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

char digitAt(const Digits& d, int position)
{
    return position >= 0 && static_cast<size_t>(position) < d.digits.size() ? d.digits[static_cast<size_t>(position)] : '0';
}

// The integer part and `places` decimals, the integer part's thousands split by `separator`.
QString fixed(Digits d, int places, const QString& separator)
{
    roundTo(d, d.exponent + places);
    QString integer;
    for (int i = 0; i < d.exponent; ++i)
        integer += QLatin1Char(digitAt(d, i));
    if (integer.isEmpty())
        integer = QStringLiteral("0");
    if (!separator.isEmpty())
        for (qsizetype i = integer.size() - 3; i > 0; i -= 3)
            integer.insert(i, separator);
    QString text = integer;
    if (places > 0) {
        text += QLatin1Char(',');
        for (int i = 0; i < places; ++i)
            text += QLatin1Char(digitAt(d, d.exponent + i));
    }
    // -0,0 reads oddly: a value that rounds to zero is written without a sign.
    if (d.negative && !d.digits.empty())
        text.prepend(QLatin1Char('-'));
    return text;
}

// Two significant digits in scientific form: "1,7e-22", "4,7e-07".
QString scientific(Digits d)
{
    roundTo(d, 2);
    const int exponent = d.exponent - 1;
    QString text = QLatin1Char(digitAt(d, 0)) + QStringLiteral(",") + QLatin1Char(digitAt(d, 1)) + QLatin1Char('e')
        + (exponent < 0 ? QLatin1Char('-') : QLatin1Char('+'));
    text += QString::number(std::abs(exponent)).rightJustified(2, QLatin1Char('0'));
    return d.negative ? QLatin1Char('-') + text : text;
}

// The decimals that show two significant digits, and at least `least`.
int placesForTwoDigits(const Digits& d, int least)
{
    return std::max(least, 2 - d.exponent);
}

Digits timesHundred(Digits d)
{
    if (!d.digits.empty())
        d.exponent += 2;
    return d;
}

// A double holds every probability but the tiniest tails; its shortest digits are the ones a
// person would write (a long double's would show the binary noise of the double it came from).
Digits shortestDigits(long double p)
{
    return p >= DBL_MIN || p <= 0 ? digitsOf(static_cast<double>(p)) : digitsOf(p);
}

} // namespace

QString decimal(double value, int places)
{
    return fixed(digitsOf(value), places, QString());
}

QString groupSeparator()
{
    const QString separator = NumberFormat::groupSeparator();
    return separator == QLatin1String(",") ? QString(QChar(0x202F)) : separator;
}

QString grouped(double value, int places)
{
    return fixed(digitsOf(value), places, groupSeparator());
}

QString grouped(qint64 value)
{
    return fixed(digitsOf(static_cast<double>(value)), 0, groupSeparator());
}

QString signedDecimal(double value, int places)
{
    const QString text = decimal(value, places);
    return text.startsWith(QLatin1Char('-')) ? text : QLatin1Char('+') + text;
}

QString percent(double share, int places)
{
    return fixed(timesHundred(digitsOf(share)), places, QString()) + QStringLiteral(" %");
}

QString percentProbability(long double p)
{
    const Digits d = timesHundred(shortestDigits(p));
    if (p > 0 && p < 1e-5L)
        return scientific(d) + QStringLiteral(" %");
    return fixed(d, placesForTwoDigits(d, 2), QString()) + QStringLiteral(" %");
}

QString probability(long double p)
{
    if (p <= 0)
        return decimal(0.0, 3);
    const Digits d = shortestDigits(p);
    if (p < 0.001L)
        return scientific(d);
    return fixed(d, placesForTwoDigits(d, 3), QString());
}

QStringList wrapped(const QString& head, const QStringList& items, const QString& separator)
{
    QStringList lines{head};
    bool first = true; // the first item of a line takes no separator before it
    for (const QString& item : items) {
        QString& line = lines.last();
        const QString joint = first ? QString() : separator;
        if (!first && line.size() + joint.size() + item.size() > kLineWidth) {
            lines << QStringLiteral("  ") + item;
            continue;
        }
        line += joint + item;
        first = false;
    }
    return lines;
}

QString pValue(long double p)
{
    return p > 0 ? probability(p) : QStringLiteral("< 1e-4900");
}

} // namespace ChanceText
