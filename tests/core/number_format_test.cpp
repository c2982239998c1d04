// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/NumberFormat.h"

#include <gtest/gtest.h>
#include <tuple>

TEST(NumberFormat, PatternsAndTypedNumbers)
{
    const QString sep = NumberFormat::groupSeparator();
    const std::tuple<qint64, const char16_t*, QString> rows[]
        = {{37, u"0000", QStringLiteral("0037")},
           {12345, u"0000", QStringLiteral("12345")}, // never cut
           {4567, u"   00 ", QStringLiteral("   4567 ")},
           {5, u" ##", QStringLiteral(" 5")},
           {0, u" ##", QStringLiteral(" ")}, // zero has no significant digit
           {1234, u"# ##0", QStringLiteral("1 234")},
           {0, u"###,##0", QStringLiteral("0")},
           {-1234567, u"###,##0", QStringLiteral("-1,234,567").replace(QLatin1Char(','), sep)},
           {12, u"  ##,000", QStringLiteral("  012")}};
    for (const auto& [value, pattern, expected] : rows)
        EXPECT_EQ(NumberFormat::apply(value, pattern), expected) << QString::fromUtf16(pattern).toStdString();

    const std::pair<const char16_t*, qint64> typed[]
        = {{u"  12  ", 12}, {u"1 2", 12}, {u"12abc", 12}, {u"abc", 0}, {u"", 0}, {u"12.7", 13}, {u"-3", -3}, {u".6", 1}};
    for (const auto& [text, value] : typed)
        EXPECT_EQ(NumberFormat::readTypedNumber(text), value) << QString::fromUtf16(text).toStdString();
}
