#include "chance/ChanceText.h"

#include <cmath>

namespace ChanceText {

QString decimal(double value, int places)
{
    // -0,0 reads oddly: a value that rounds to zero is written without a sign.
    if (std::abs(value) < 0.5 * std::pow(10.0, -places))
        value = 0.0;
    return QString::number(value, 'f', places).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString signedDecimal(double value, int places)
{
    const QString text = decimal(value, places);
    return text.startsWith(QLatin1Char('-')) ? text : QLatin1Char('+') + text;
}

QString percent(double share, int places)
{
    return decimal(100.0 * share, places) + QStringLiteral(" %");
}

QString probability(double p)
{
    if (p > 0.0 && p < 0.001)
        return QString::number(p, 'e', 1).replace(QLatin1Char('.'), QLatin1Char(','));
    return decimal(p, 3);
}

} // namespace ChanceText
