// SPDX-License-Identifier: GPL-3.0-or-later
// The figures of the chance reports as they are written.
#include "chance/ChanceText.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(ChanceTextTest, HalvesAsWrittenAndTwoSignificantDigits)
{
    using namespace ChanceText;
    // Halves round up as written, whatever the binary double holds (2.675 is 2.67499999...); the
    // expected texts are separated by |.
    EXPECT_EQ((QStringList{decimal(0.125, 2), decimal(2.675, 2), decimal(-0.125, 2), decimal(0.0449, 1), decimal(-0.04, 1),
                           decimal(9.95, 1), decimal(1234.5, 0), percent(0.00125, 1), percent(0.0145, 1), signedDecimal(0.0, 2)}),
              (QStringLiteral("0,13|2,68|-0,13|0,0|0,0|10,0|1235|0,1 %|1,5 %|+0,00").split(QLatin1Char('|'))));
    const QString sep = groupSeparator();
    EXPECT_NE(sep, QStringLiteral(","));
    EXPECT_EQ((QStringList{grouped(4842.15, 1), grouped(qint64{16947}), grouped(qint64{947})}),
              (QStringList{QStringLiteral("4") + sep + QStringLiteral("842,2"),
                           QStringLiteral("16") + sep + QStringLiteral("947"), QStringLiteral("947")}));
    // pValue(0): a tail below a long double.
    EXPECT_EQ((QStringList{probability(0.507), probability(0.0795), probability(1.0 / 781), probability(1.7e-22),
                           probability(0.000999), probability(1.25e-400L), probability(1.0), pValue(0.5), pValue(0)}),
              (QStringLiteral("0,507|0,080|0,0013|1,7e-22|1,0e-03|1,3e-400|1,000|0,500|< 1e-4900").split(QLatin1Char('|'))));
    EXPECT_EQ((QStringList{percentProbability(0.0949), percentProbability(0.000095), percentProbability(2.4e-15)}),
              (QStringLiteral("9,49 %|0,0095 %|2,4e-13 %").split(QLatin1Char('|'))));
}

TEST(ChanceTextTest, LongListsWrapWithinTheLineWidth)
{
    using namespace ChanceText;
    QStringList numbers;
    for (int n = 1; n <= 70; ++n)
        numbers << QString::number(n).rightJustified(2, QLatin1Char('0'));
    const QString head = QStringLiteral("Au risque de 5 %, ces numéros ne sont pas compatibles avec le hasard : ");
    const QStringList lines = wrapped(head, numbers, QStringLiteral(", "));
    ASSERT_GT(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(head + QStringLiteral("01, 02")));
    for (const QString& line : lines)
        EXPECT_LE(line.size(), kLineWidth) << line.toStdString();
    // Every number once, in order, a following line indented and never starting with a comma.
    QString joined;
    for (const QString& line : lines)
        joined += (joined.isEmpty() ? line.mid(head.size()) : QStringLiteral(", ") + line.mid(2));
    EXPECT_EQ(joined, numbers.join(QStringLiteral(", ")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("  ")) && !lines[1].startsWith(QStringLiteral("  ,")));
    // A short list stays on its line.
    EXPECT_EQ(wrapped(QStringLiteral("a : "), {QStringLiteral("1"), QStringLiteral("2")}, QStringLiteral(", ")),
              QStringList{QStringLiteral("a : 1, 2")});
}
