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

// The sixteen-of-fifty-six line: the same fields at the same places, sixteen of them, the evening only.
TEST(DrawLine, TheCurrentGameLineAndLinesOfTheOtherGame)
{
    const Formula& current = Formula::current();
    DrawLine::Numbers numbers = DrawLine::Numbers::of(current);
    for (int k = 0; k < current.drawn; ++k)
        numbers[static_cast<size_t>(k)] = 56 - 3 * k; // 56, 53, ..., 11, in the given order
    const QString line = DrawLine::build(QStringLiteral("03/11/2025"), numbers, QStringLiteral("soir"));
    EXPECT_EQ(line, QStringLiteral("03/11/2025 56 53 50 47 44 41 38 35 32 29 26 23 20 17 14 11 soir"));
    EXPECT_EQ(line.size(), 63);
    EXPECT_EQ(DrawLine::number(line, 16), 11);
    EXPECT_EQ(DrawLine::number(line, 17), 0); // past the last field: the slot word is no number
    EXPECT_FALSE(DrawLine::problem(line, current));

    // Each game's line read for the other is named, never taken for a misshapen line.
    EXPECT_EQ(DrawLine::problem(line).value_or(QString()), QStringLiteral("tirage du Keno 16 sur 56, pas du Keno 20 sur 70"));
    EXPECT_EQ(DrawLine::problem(kGood, current).value_or(QString()),
              QStringLiteral("tirage du Keno 20 sur 70, pas du Keno 16 sur 56"));

    const auto field = [&](int k, const char* text) { return QString(line).replace(3 * k + 8, 2, QString::fromLatin1(text)); };
    const std::pair<QString, QString> bad[]
        = {{line.left(62), QStringLiteral("longueur 62 au lieu de 63 caractères")},
           {field(3, "57"), QStringLiteral("numéro 3 hors de 1 à 56 (57)")},
           {field(2, "56"), QStringLiteral("numéro 56 en double")},
           {line.left(59) + QStringLiteral("midi"), QStringLiteral("tirage « midi » au lieu de soir")},
           // A misshapen line of the other game's length is misshapen, not the other game's.
           {kGood.left(71) + QStringLiteral("nuit"), QStringLiteral("longueur 75 au lieu de 63 caractères")}};
    for (const auto& [text, why] : bad)
        EXPECT_EQ(DrawLine::problem(text, current).value_or(QString()), why);

    // The slot: the classic lines as character 72 says, the current game's one slot whatever ends its line.
    const Formula& classic = Formula::classic();
    EXPECT_EQ(DrawLine::slotIndex(kGood, classic), 0);
    EXPECT_EQ(DrawLine::slotIndex(kGood.left(71) + QStringLiteral("soir"), classic), 1);
    EXPECT_EQ(DrawLine::slotIndex(kGood.left(71) + QStringLiteral("xxxx"), classic), 1);
    EXPECT_EQ(DrawLine::slotIndex(line, classic), 1);
    EXPECT_EQ(DrawLine::slotIndex(line, current), 0);
}
