#include "chance/FigureText.h"

#include "output/NumberFormat.h"

#include <cmath>

namespace FigureText {

QString whole(qint64 value)
{
    const QString digits = NumberFormat::apply(value < 0 ? -value : value, u"#,##0");
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

QString decimal(double value, int places)
{
    const QString plain = QString::number(std::abs(value), 'f', places);
    const qsizetype dot = plain.indexOf(QLatin1Char('.'));
    const QString wholePart = dot < 0 ? plain : plain.left(dot);
    QString text = whole(wholePart.toLongLong());
    if (dot >= 0)
        text += QLatin1Char(',') + plain.mid(dot + 1);
    // A value that rounds to zero is written without a sign.
    const bool zero = plain.count(QLatin1Char('0')) == plain.size() - (dot < 0 ? 0 : 1);
    return value < 0 && !zero ? QLatin1Char('-') + text : text;
}

QString amount(double value)
{
    const double rounded = std::round(value);
    if (std::abs(value) >= 1000 || std::abs(value - rounded) < 0.05)
        return whole(static_cast<qint64>(rounded));
    return decimal(value, 1);
}

QString euros(double value)
{
    // Below 1.95 the amount is written below 2 (1,9 or 1 or 0).
    return amount(value) + (std::abs(value) < 1.95 ? QStringLiteral(" €uro") : QStringLiteral(" €uros"));
}

QString probability(double p)
{
    if (p > 0.0 && p < 0.001)
        return QString::number(p, 'e', 1).replace(QLatin1Char('.'), QLatin1Char(','));
    // Three decimals down to 0.01, then as many as two significant digits need.
    int places = 3;
    if (p > 0.0 && p < 0.01)
        places = 1 - static_cast<int>(std::floor(std::log10(p)));
    return decimal(p, places);
}

QString percent(double share)
{
    return decimal(100.0 * share, 1) + QStringLiteral(" %");
}

} // namespace FigureText
