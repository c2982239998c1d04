// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes given as the operator's CSV: the conversion must neither crash nor let through a
// line that is not a 75-character draw line.
#include "acquire/CsvImport.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const CsvImport::Conversion result = CsvImport::convert(bytes);
    if (result.rows != result.lines.size() + result.skipped || result.reasons.size() > CsvImport::kMaxReasons)
        __builtin_trap();
    for (const QString& line : result.lines) {
        if (line.size() != 75 || !(line.endsWith(QLatin1String(" midi")) || line.endsWith(QLatin1String(" soir"))))
            __builtin_trap();
    }
    return 0;
}
