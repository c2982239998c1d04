// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DrawLine.h"

#include <gtest/gtest.h>

namespace {

const QString kGood = QStringLiteral("16/09/1993 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 70 midi");

// kGood with the two characters of field k replaced.
QString withField(int k, const char* text)
{
    return QString(kGood).replace(3 * k + 8, 2, QString::fromLatin1(text));
}

} // namespace

TEST(DrawLine, FieldsByPositionSemicolonsBuildAndProblems)
{
    EXPECT_EQ(DrawLine::number(kGood, 20), 70);
    EXPECT_EQ(DrawLine::number(withField(3, " 5"), 3), 5);
    EXPECT_EQ(DrawLine::number(withField(3, "ab"), 3), 0);
    EXPECT_EQ(DrawLine::number(kGood.left(40), 20), 0);
    EXPECT_EQ(DrawLine::readField(u"99999999999"), 1000000);
    EXPECT_EQ(DrawLine::date(kGood), QDate(1993, 9, 16));
    EXPECT_EQ(DrawLine::normalize(QString(kGood).replace(QLatin1Char(' '), QLatin1Char(';'))), kGood);

    DrawLine::Numbers numbers{};
    for (int k = 0; k < DrawLine::kNumbers; ++k)
        numbers[static_cast<size_t>(k)] = k == 0 ? 70 : 20 - k; // written in the given order
    const QString evening = DrawLine::build(QDate(2024, 1, 2), numbers, false);
    EXPECT_EQ(evening, QStringLiteral("02/01/2024 70 19 18 17 16 15 14 13 12 11 10 09 08 07 06 05 04 03 02 01 soir"));
    EXPECT_TRUE(DrawLine::isMiddayByChar(kGood));
    EXPECT_FALSE(DrawLine::isMiddayByChar(evening));

    EXPECT_FALSE(DrawLine::problem(kGood));
    EXPECT_FALSE(DrawLine::problem(withField(4, " 4"))); // a blank may stand for the leading zero
    const std::pair<QString, QString> bad[]
        = {{kGood.left(74), QStringLiteral("longueur 74 au lieu de 75 caractères")},
           {QStringLiteral("32/13/1993") + kGood.mid(10), QStringLiteral("date « 32/13/1993 » invalide")},
           {withField(2, "xy"), QStringLiteral("numéro 2 « xy » illisible")},
           {withField(5, "71"), QStringLiteral("numéro 5 hors de 1 à 70 (71)")},
           {withField(2, "01"), QStringLiteral("numéro 1 en double")},
           {kGood.left(71) + QStringLiteral("nuit"), QStringLiteral("tirage « nuit » au lieu de midi ou soir")}};
    for (const auto& [line, why] : bad)
        EXPECT_EQ(DrawLine::problem(line).value_or(QString()), why);
}
