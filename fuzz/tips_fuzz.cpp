// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes given as the tips file must read without a crash: never more tips than the count
// announces, and a file that reads with no fault holds exactly that many.
#include "forecast/TipsFile.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const TipsFile tips = TipsFile::parse(bytes);
    const TipsFile missing = TipsFile::parse(bytes, false);
    if (missing.error.isEmpty() || !missing.tips.isEmpty())
        std::abort();
    if (tips.error.contains(QLatin1Char('\n')))
        std::abort();
    // The same bytes give the same tips (no state kept between readings).
    if (TipsFile::parse(bytes).tips != tips.tips)
        std::abort();
    return 0;
}
