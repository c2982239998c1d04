// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/ColumnReport.h"
#include "support/NewGameSupport.h"
#include "support/TestSupport.h"

using namespace TestSupport;

TEST(ColumnReport, AnswersLinesAndPeriod)
{
    EXPECT_EQ(ColumnReport::prompt(), QStringLiteral("Entrez la colonne à tester (1 a 20)"));
    const std::pair<const char16_t*, int> answers[]
        = {{u"7", 7}, {u"7 colonnes", 7}, {u"2.6", 3}, {u" 1 2", 12}, {u"", 0}, {u"abc", 0}};
    for (const auto& [text, column] : answers)
        EXPECT_EQ(ColumnReport::readAnswer(text), column) << QString::fromUtf16(text).toStdString();
    for (int bad : {0, 21, -3, ColumnReport::readAnswer(u"")})
        EXPECT_FALSE(ColumnReport::isColumn(bad));
    EXPECT_TRUE(ColumnReport::isColumn(1) && ColumnReport::isColumn(20));

    // Column 1 holds 5, 5, 9 and 7; column 2 holds 12 each time; the fields keep their order.
    const QStringList list
        = {drawHolding(0, {5, 12}), drawHolding(1, {5, 12}), drawHolding(2, {9, 12}), drawHolding(3, {7, 12, 3}), QString()};
    const AnalysisReport c1 = ColumnReport::report(list, StudyPeriod{0, 3}, 1);
    EXPECT_EQ(c1.lines, utf8Lines({"Numéro  5 sorti 2", "Numéro  7 sorti 1", "Numéro  9 sorti 1", "", " Dans la colonne 1"}));
    EXPECT_FALSE(c1.exported);
    EXPECT_FALSE(c1.caption.has_value());
    EXPECT_EQ(ColumnReport::report(list, StudyPeriod{1, 2}, 2).lines,
              utf8Lines({"Numéro  12 sorti 2", "", " Dans la colonne 2"}));
    // Column 3 of the last draw is 3; the others hold the filler 70. The trailing empty item
    // included in the period counts nowhere.
    EXPECT_EQ(ColumnReport::report(list, StudyPeriod{0, 4}, 3).lines,
              utf8Lines({"Numéro  3 sorti 1", "Numéro  70 sorti 3", "", " Dans la colonne 3"}));
    EXPECT_TRUE(ColumnReport::report(list, StudyPeriod{0, 3}, 21).lines.isEmpty());

    // Every column's counts add up to the draws of the period.
    const QStringList history = makeHistory(500) << QString();
    for (int c = 1; c <= 20; ++c) {
        const AnalysisReport r = ColumnReport::report(history, StudyPeriod{100, 449}, c);
        int total = 0;
        for (const QString& line : r.lines.mid(0, r.lines.size() - 2))
            total += line.section(QLatin1Char(' '), -1).toInt();
        EXPECT_EQ(total, 350);
    }
}

TEST(ColumnReport, NewGameSixteenColumns)
{
    namespace ng = NewGameSupport;
    const Formula& game = Formula::current();
    EXPECT_EQ(ColumnReport::prompt(game), QStringLiteral("Entrez la colonne à tester (1 a 16)"));
    EXPECT_TRUE(ColumnReport::isColumn(16, game));
    EXPECT_FALSE(ColumnReport::isColumn(17, game));
    EXPECT_TRUE(ColumnReport::report(QStringList(), StudyPeriod{0, 0}, 17, game).lines.isEmpty());

    const ng::Draws draws = ng::randomDraws(300, 5);
    const QStringList lines = ng::linesOf(draws);
    for (int column : {1, 9, 16}) {
        std::array<int, 57> counts{};
        for (int d = 12; d <= 250; ++d)
            ++counts[static_cast<size_t>(draws[static_cast<size_t>(d)][static_cast<size_t>(column - 1)])];
        QStringList expected;
        for (int n = 1; n <= 56; ++n)
            if (counts[static_cast<size_t>(n)] != 0)
                expected << QStringLiteral("Numéro  %1 sorti %2").arg(n).arg(counts[static_cast<size_t>(n)]);
        expected << QString() << QStringLiteral(" Dans la colonne %1").arg(column);
        EXPECT_EQ(ColumnReport::report(lines, StudyPeriod{12, 250}, column, game).lines, expected) << column;
    }
}
