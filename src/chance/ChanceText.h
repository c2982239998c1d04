#pragma once

#include <QString>

// Decimal numbers as the chance reports write them: French decimal comma, fixed places.
namespace ChanceText {

QString decimal(double value, int places);
// A signed decimal: "+0,25", "-1,30".
QString signedDecimal(double value, int places);
// A share as a percentage: 0.0512 with 1 place gives "5,1 %".
QString percent(double share, int places = 1);
// A probability, in scientific form below 0.001 ("1,2e-05").
QString probability(double p);

} // namespace ChanceText
