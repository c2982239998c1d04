#include "output/NumberFormat.h"

#include <QLocale>
#include <cmath>

namespace NumberFormat {

namespace {
bool isPlaceholder(QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('#'); }
}

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
    const bool grouped = section.contains(QLatin1Char(','));

    QString number;
    if (grouped) {
        // Digit places with thousands grouping: pad to the '0' places, then group.
        int places = 0, zeroPlaces = 0;
        bool seenZero = false;
        for (QChar c : section) {
            if (!isPlaceholder(c))
                continue;
            ++places;
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
        number = padded;
    } else {
        // Fill the digit places right to left; extra digits go in front of the first place.
        qsizetype next = digits.size() - 1;
        const bool zeroValue = digits == QLatin1String("0");
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
        number = out;
    }
    if (negative)
        number.prepend(QLatin1Char('-'));
    return pattern.left(firstPh).toString() + number + pattern.mid(lastPh + 1).toString();
}

QString withLeadingSpace(qint64 value)
{
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

qint64 readTypedNumber(QStringView text)
{
    QString compact;
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            compact += c;
    qsizetype i = 0;
    QString accepted;
    if (i < compact.size() && (compact[i] == QLatin1Char('-') || compact[i] == QLatin1Char('+')))
        accepted += compact[i++];
    bool digits = false, dot = false;
    for (; i < compact.size(); ++i) {
        const QChar c = compact[i];
        if (c.isDigit() && c.unicode() < 128) {
            accepted += c;
            digits = true;
        } else if (c == QLatin1Char('.') && !dot) {
            accepted += c;
            dot = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    bool ok = false;
    const double v = accepted.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0;
    if (v > 9.0e18 || v < -9.0e18)
        return v > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return static_cast<qint64>(std::nearbyint(v));
}

} // namespace NumberFormat
