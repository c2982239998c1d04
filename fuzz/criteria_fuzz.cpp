// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes given as the criteria file must load without a crash, leave every bar's position
// within its range, and be told as at most one line; what "Sauver" would write from them must
// load back with no fault and write the same bytes again.
#include "forecast/ForecastCriteria.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ForecastCriteria criteria;
    const QString fault = criteria.chargeConfFrom(bytes);
    if (fault.contains(QLatin1Char('\n')))
        std::abort();
    for (int i = 1; i <= 11; ++i) {
        const CriteriaScrollBar& bar = criteria[i];
        if (bar.value < bar.low() || bar.value > bar.high())
            std::abort();
    }
    const QByteArray saved = criteria.fileContent();
    ForecastCriteria again;
    if (!again.chargeConfFrom(saved).isEmpty() || again.fileContent() != saved)
        std::abort();
    return 0;
}
