// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/PayTableText.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace {

const Formula &kClassic = Formula::classic(), &kCurrent = Formula::current();

// The texts a player could leave in the settings, each with the words its refusal must hold.
struct BadText {
    const char* text;
    const char* said;
};

} // namespace

TEST(PayTableText, CorrectionsReadBackToTheSameTableForBothGames)
{
    for (FormulaId id : Formula::all()) {
        const Formula& game = Formula::get(id);
        EXPECT_EQ(PayTableText::corrections(game.payTable, game), QString());
        EXPECT_EQ(PayTableText::read(QString(), game).table.amounts, game.payTable.amounts);

        PayTable table = game.payTable;
        table.amounts[game.minTicked][0] = 7; // a filled amount
        table.amounts[game.maxTicked][game.maxTicked] = PayTableText::kMaxAmount;
        table.amounts[7][5] = std::nullopt; // an amount the player made unknown
        const QString text = PayTableText::corrections(table, game);
        // Only the three rows changed are kept.
        EXPECT_EQ(text.count(QLatin1Char('=')), 3) << text.toStdString();
        const PayTableText::Reading back = PayTableText::read(text, game);
        EXPECT_EQ(back.error, QString());
        EXPECT_EQ(back.table.amounts, table.amounts) << text.toStdString();
    }
    // As written, and as a player may type it (spaces, « inconnu », rows in any order).
    PayTable table = kCurrent.payTable;
    table.amounts[4] = {0, 0, 1, 4, 25};
    EXPECT_EQ(PayTableText::corrections(table, kCurrent), QStringLiteral("4=0;0;1;4;25"));
    table.amounts[7][2] = 0;
    EXPECT_EQ(PayTableText::corrections(table, kCurrent), QStringLiteral("4=0;0;1;4;25 7=;;0;;;5;90;3000"));
    const PayTableText::Reading typed = PayTableText::read(u"  7=Inconnu;;0;;;5;90;3000\n4=0;0;1;4;25 ", kCurrent);
    EXPECT_EQ(typed.error, QString());
    EXPECT_EQ(typed.table.amounts, table.amounts);
}

TEST(PayTableText, ABadTextKeepsTheShippedTableAndSaysWhatIsWrong)
{
    const BadText bad[] = {
        {"3=0;0;1;2", "de 4 à 10"}, // fewer ticked than the game allows
        {"11=1;1;1;1;1;1;1;1;1;1;1;1", "de 4 à 10"},
        {"x=1", "de 4 à 10"},
        {"4;0;0;1;4;25", "de 4 à 10"},
        {"4=0;0;1;4;25;9", "donne 6 montants au lieu de 5"}, // an amount for 5 found out of 4
        {"4=0;0;1;4", "donne 4 montants au lieu de 5"},
        {"4=0;0;1;4;-25", "« -25 » n'est pas un montant"},
        {"4=0;0;1;4;2.5", "« 2.5 » n'est pas un montant"},
        {"4=0;0;1;4;2,5", "« 2,5 » n'est pas un montant"},
        {"4=0;0;1;+4;25", "« +4 » n'est pas un montant"},
        {"4=0;0;1;4;1000000000", "« 1000000000 » n'est pas un montant"},
        {"4=0;0;1;4;99999999999999999999", "n'est pas un montant"},
        {"4=0;0;١;4;25", "n'est pas un montant"}, // digits of another script
        {"4=0;0;1;4;zéro", "(4 trouvés sur 4)"},
        {"4=0;0;1;4;25 4=0;0;1;4;25", "donnée deux fois"},
        {"5=0;0;1;4;25;100 4=0;0;1;4", "au lieu de 5"}, // a good row, then a bad one
    };
    for (const BadText& b : bad) {
        const PayTableText::Reading r = PayTableText::read(QString::fromUtf8(b.text), kCurrent);
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(b.said))) << b.text << " → " << r.error.toStdString();
        EXPECT_EQ(r.table.amounts, kCurrent.payTable.amounts) << b.text;
    }
    // The classic game ticks from 1: its own range is named.
    EXPECT_TRUE(PayTableText::read(u"0=1", kClassic).error.contains(QStringLiteral("de 1 à 10")));
    EXPECT_EQ(PayTableText::read(u"1=0;3", kClassic).table.amount(1, 1), 3);
}

TEST(PayTableText, AmountsAsTypedAndShown)
{
    EXPECT_EQ(PayTableText::amount(u" 90 ").value, 90);
    EXPECT_TRUE(PayTableText::amount(u"0").ok);
    EXPECT_EQ(PayTableText::amount(u"0").value, 0); // a nil amount is known, not unknown
    EXPECT_TRUE(PayTableText::amount(u"INCONNU").ok);
    EXPECT_EQ(PayTableText::amount(u"INCONNU").value, std::nullopt);
    for (const char16_t* wrong : {u"0x10", u"1e3", u"5 €", u"-0", u"inconnue"})
        EXPECT_FALSE(PayTableText::amount(wrong).ok) << QString::fromUtf16(wrong).toStdString();
    EXPECT_EQ(PayTableText::shown(std::nullopt), QStringLiteral("inconnu"));
    EXPECT_EQ(PayTableText::shown(0), QStringLiteral("0"));
}

TEST(PayTableText, PrintedTableShowsUnknownAmountsAsUnknownAndSaysWhenAmountsAreProvisional)
{
    const QStringList current = PayTableText::lines(kCurrent.payTable, kCurrent);
    ASSERT_EQ(current.size(), 14);
    EXPECT_EQ(current[0],
              QStringLiteral("Table des gains en vigueur : Keno 16 sur 56 (depuis le 03/11/2025), mise de 1 €, "
                             "montants en euros"));
    EXPECT_EQ(current[1], QStringLiteral("(la table d'origine)"));
    EXPECT_EQ(current[3],
              QStringLiteral("Cochés \\ trouvés        0        1        2        3        4        5        6"
                             "        7        8        9       10"));
    EXPECT_EQ(current[4], QStringLiteral("               4  inconnu  inconnu  inconnu  inconnu  inconnu"));
    EXPECT_EQ(current[7],
              QStringLiteral("               7  inconnu  inconnu  inconnu  inconnu  inconnu        5       90"
                             "     3000"));
    EXPECT_TRUE(current[12].contains(QStringLiteral("provisoires")));
    EXPECT_TRUE(current[13].startsWith(QStringLiteral("« inconnu »")));

    PayTable corrected = kClassic.payTable;
    corrected.amounts[2][0] = std::nullopt;
    const QStringList classic = PayTableText::lines(corrected, kClassic);
    EXPECT_EQ(classic[1], QStringLiteral("(la table d'origine corrigée par le joueur)"));
    EXPECT_EQ(classic[5], QStringLiteral("               2  inconnu        0        6"));
    EXPECT_FALSE(classic.join(QLatin1Char('\n')).contains(QStringLiteral("provisoires")));
    // The shipped classic table is complete: no word on unknown amounts.
    EXPECT_EQ(PayTableText::lines(kClassic.payTable, kClassic).size(), 14);
    EXPECT_FALSE(PayTableText::provisional(kClassic));
    EXPECT_TRUE(PayTableText::provisional(kCurrent));
}
