#include "history/DrawLine.h"
#include "output/NumberFormat.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

const QString kGood = QStringLiteral("16/09/1993 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 70 midi");

// kGood with the two characters of field k replaced.
QString withField(int k, const QString& text)
{
    QString line = kGood;
    line.replace(3 * k + 8, 2, text);
    return line;
}

} // namespace

TEST(DrawLine, FieldsAreReadByPosition)
{
    ASSERT_EQ(kGood.size(), DrawLine::kLength);
    EXPECT_EQ(DrawLine::number(kGood, 1), 1);
    EXPECT_EQ(DrawLine::number(kGood, 19), 19);
    EXPECT_EQ(DrawLine::number(kGood, 20), 70);
    EXPECT_EQ(DrawLine::number(withField(3, QStringLiteral(" 5")), 3), 5);
    EXPECT_EQ(DrawLine::number(withField(3, QStringLiteral("05")), 3), 5);
    EXPECT_EQ(DrawLine::number(withField(3, QStringLiteral("ab")), 3), 0);
    EXPECT_EQ(DrawLine::number(withField(3, QStringLiteral("7x")), 3), 7);
    // A short line has no field there.
    EXPECT_EQ(DrawLine::number(kGood.left(40), 20), 0);
    EXPECT_EQ(DrawLine::number(QString(), 1), 0);

    EXPECT_EQ(DrawLine::date(kGood), QDate(1993, 9, 16));
    EXPECT_FALSE(DrawLine::date(QStringLiteral("31/02/1993")).isValid());
    EXPECT_EQ(DrawLine::dateText(kGood), QStringLiteral("16/09/1993"));

    EXPECT_TRUE(DrawLine::isMiddayByChar(kGood));
    EXPECT_FALSE(DrawLine::endsWithSoir(kGood));
    EXPECT_TRUE(DrawLine::endsWithSpaceMidi(kGood));
    QString evening = kGood;
    evening.replace(71, 4, QStringLiteral("soir"));
    EXPECT_FALSE(DrawLine::isMiddayByChar(evening));
    EXPECT_TRUE(DrawLine::endsWithSoir(evening));
    EXPECT_FALSE(DrawLine::endsWithSpaceMidi(evening));
    EXPECT_FALSE(DrawLine::isMiddayByChar(QStringLiteral("short")));
}

TEST(DrawLine, SemicolonLinesEqualSpaceLines)
{
    QString semicolons = kGood;
    semicolons.replace(QLatin1Char(' '), QLatin1Char(';'));
    EXPECT_EQ(DrawLine::normalize(semicolons), kGood);
    EXPECT_EQ(DrawLine::normalize(kGood), kGood);
}

TEST(DrawLine, BuildWritesTheFixedWidthLine)
{
    DrawLine::Numbers numbers{};
    for (int k = 0; k < DrawLine::kNumbers; ++k)
        numbers[static_cast<size_t>(k)] = k + 1;
    numbers[19] = 70;
    EXPECT_EQ(DrawLine::build(QDate(1993, 9, 16), numbers, true), kGood);

    // The order given is kept; the evening slot ends the line.
    DrawLine::Numbers reversed{};
    for (int k = 0; k < DrawLine::kNumbers; ++k)
        reversed[static_cast<size_t>(k)] = 70 - k;
    const QString line = DrawLine::build(QDate(2024, 1, 2), reversed, false);
    EXPECT_EQ(line, QStringLiteral("02/01/2024 70 69 68 67 66 65 64 63 62 61 60 59 58 57 56 55 54 53 52 51 soir"));
    EXPECT_EQ(line.size(), DrawLine::kLength);
    EXPECT_FALSE(DrawLine::problem(line));
    EXPECT_EQ(DrawLine::build(QStringLiteral("16/09/1993"), numbers, QStringLiteral("midi")), kGood);
}

TEST(DrawLine, ProblemNamesEachKindOfBadLine)
{
    EXPECT_FALSE(DrawLine::problem(kGood).has_value());

    EXPECT_EQ(DrawLine::problem(kGood.left(74)).value_or(QString()), QStringLiteral("longueur 74 au lieu de 75 caractères"));
    EXPECT_EQ(DrawLine::problem(kGood + QLatin1Char(' ')).value_or(QString()),
              QStringLiteral("longueur 76 au lieu de 75 caractères"));
    EXPECT_EQ(DrawLine::problem(QString()).value_or(QString()), QStringLiteral("longueur 0 au lieu de 75 caractères"));

    QString badDate = kGood;
    badDate.replace(0, 10, QStringLiteral("32/13/1993"));
    EXPECT_EQ(DrawLine::problem(badDate).value_or(QString()), QStringLiteral("date « 32/13/1993 » invalide"));

    EXPECT_EQ(DrawLine::problem(withField(4, QStringLiteral("ab"))).value_or(QString()),
              QStringLiteral("numéro 4 « ab » illisible"));
    EXPECT_EQ(DrawLine::problem(withField(4, QStringLiteral("4 "))).value_or(QString()),
              QStringLiteral("numéro 4 « 4  » illisible"));
    // A blank in place of the leading zero reads as the number: the line is a draw.
    EXPECT_FALSE(DrawLine::problem(withField(4, QStringLiteral(" 4"))).has_value());
    EXPECT_EQ(DrawLine::problem(withField(5, QStringLiteral("71"))).value_or(QString()),
              QStringLiteral("numéro 5 hors de 1 à 70 (71)"));
    EXPECT_EQ(DrawLine::problem(withField(5, QStringLiteral("00"))).value_or(QString()),
              QStringLiteral("numéro 5 hors de 1 à 70 (0)"));
    EXPECT_EQ(DrawLine::problem(withField(2, QStringLiteral("01"))).value_or(QString()), QStringLiteral("numéro 1 en double"));

    // The separator before a field must be a space.
    QString glued = kGood;
    glued[13] = QLatin1Char('0');
    EXPECT_TRUE(DrawLine::problem(glued).has_value());

    QString badSlot = kGood;
    badSlot.replace(71, 4, QStringLiteral("nuit"));
    EXPECT_EQ(DrawLine::problem(badSlot).value_or(QString()), QStringLiteral("tirage « nuit » au lieu de midi ou soir"));
}

TEST(NumberFormat, PatternsPadCopyAndNeverTruncate)
{
    using NumberFormat::apply;
    EXPECT_EQ(apply(37, u"0000"), QStringLiteral("0037"));
    EXPECT_EQ(apply(0, u"0000"), QStringLiteral("0000"));
    EXPECT_EQ(apply(12345, u"0000"), QStringLiteral("12345"));
    EXPECT_EQ(apply(5, u" 00"), QStringLiteral(" 05"));
    EXPECT_EQ(apply(123, u" 00"), QStringLiteral(" 123"));
    EXPECT_EQ(apply(5, u"   00 "), QStringLiteral("   05 "));
    EXPECT_EQ(apply(4567, u"   00 "), QStringLiteral("   4567 "));
    EXPECT_EQ(apply(37, u" 0000"), QStringLiteral(" 0037"));
    EXPECT_EQ(apply(123456, u" 0000"), QStringLiteral(" 123456"));
    EXPECT_EQ(apply(5, u" ##"), QStringLiteral(" 5"));
    EXPECT_EQ(apply(42, u" ##"), QStringLiteral(" 42"));
    EXPECT_EQ(apply(999, u" ##"), QStringLiteral(" 999"));
    EXPECT_EQ(apply(0, u" ##"), QStringLiteral(" "));
    EXPECT_EQ(apply(0, u"##0"), QStringLiteral("0"));
    EXPECT_EQ(apply(5, u"##0"), QStringLiteral("5"));
    EXPECT_EQ(apply(7, u"#0"), QStringLiteral("7"));
    EXPECT_EQ(apply(5, u"# ###"), QStringLiteral(" 5"));
    EXPECT_EQ(apply(234, u"# ##0"), QStringLiteral(" 234"));
    EXPECT_EQ(apply(1234, u"# ##0"), QStringLiteral("1 234"));
    EXPECT_EQ(apply(-5, u"0000"), QStringLiteral("-0005"));
    EXPECT_EQ(apply(7, u"abc"), QStringLiteral("abc"));

    const QString sep = NumberFormat::groupSeparator();
    ASSERT_FALSE(sep.isEmpty());
    EXPECT_EQ(apply(0, u"###,##0"), QStringLiteral("0"));
    EXPECT_EQ(apply(999, u"###,##0"), QStringLiteral("999"));
    EXPECT_EQ(apply(1000, u"###,##0"), QStringLiteral("1") + sep + QStringLiteral("000"));
    EXPECT_EQ(apply(1234567, u"###,##0"), QStringLiteral("1") + sep + QStringLiteral("234") + sep + QStringLiteral("567"));
    EXPECT_EQ(apply(123456789, u"###,##0"), QStringLiteral("123") + sep + QStringLiteral("456") + sep + QStringLiteral("789"));
    EXPECT_EQ(apply(-1500, u"###,##0"), QStringLiteral("-1") + sep + QStringLiteral("500"));
    EXPECT_EQ(apply(12, u"  ##,000"), QStringLiteral("  012"));
    EXPECT_EQ(apply(1234, u"  ##,000"), QStringLiteral("  1") + sep + QStringLiteral("234"));

    EXPECT_EQ(NumberFormat::withLeadingSpace(5), QStringLiteral(" 5"));
    EXPECT_EQ(NumberFormat::withLeadingSpace(0), QStringLiteral(" 0"));
    EXPECT_EQ(NumberFormat::withLeadingSpace(-5), QStringLiteral("-5"));
}

TEST(NumberFormat, TypedNumbersReadTheirNumericPrefix)
{
    using NumberFormat::readTypedNumber;
    EXPECT_EQ(readTypedNumber(u"12"), 12);
    EXPECT_EQ(readTypedNumber(u"  12  "), 12);
    EXPECT_EQ(readTypedNumber(u"1 2"), 12);
    EXPECT_EQ(readTypedNumber(u"\t7\r\n"), 7);
    EXPECT_EQ(readTypedNumber(u"12abc"), 12);
    EXPECT_EQ(readTypedNumber(u"abc"), 0);
    EXPECT_EQ(readTypedNumber(u""), 0);
    EXPECT_EQ(readTypedNumber(u"   "), 0);
    EXPECT_EQ(readTypedNumber(u"-"), 0);
    EXPECT_EQ(readTypedNumber(u"."), 0);
    EXPECT_EQ(readTypedNumber(u"12.7"), 13);
    EXPECT_EQ(readTypedNumber(u"12.2"), 12);
    EXPECT_EQ(readTypedNumber(u"12.7.5"), 13);
    EXPECT_EQ(readTypedNumber(u"-3"), -3);
    EXPECT_EQ(readTypedNumber(u"+4"), 4);
    EXPECT_EQ(readTypedNumber(u".6"), 1);
    EXPECT_EQ(readTypedNumber(u"007"), 7);

    // Draw fields read with the same rule, bounded.
    EXPECT_EQ(DrawLine::readField(u" 5"), 5);
    EXPECT_EQ(DrawLine::readField(u"99999999999"), 1000000);
}
