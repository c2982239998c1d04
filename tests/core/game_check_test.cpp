// SPDX-License-Identifier: GPL-3.0-or-later
// The draws of one game kept out of the other game's histories.
#include "shell/GameCheck.h"

#include "support/TestSupport.h"

using namespace TestSupport;

namespace {

// A draw line of the sixteen-of-fifty-six game: sixteen numbers, evening draw.
QString newGameLine(const char* date, int first)
{
    QString line = QString::fromLatin1(date);
    for (int n = first; n < first + 16; ++n)
        line += QStringLiteral(" %1").arg(n, 2, 10, QLatin1Char('0'));
    return line + QStringLiteral(" soir");
}

const QString kClassicName = QStringLiteral("Keno 20 sur 70 (1993–2025)");
const QString kNewName = QStringLiteral("Keno 16 sur 56 (depuis le 03/11/2025)");

QString refusal(const QString& read, const QString& history)
{
    return QStringLiteral("Les tirages lus sont du ") + read + QStringLiteral(" : ils ne vont pas dans l'historique du ")
        + history + QStringLiteral(". Rien n'a été écrit.");
}

TEST(GameCheck, TheGamesOwnDrawsPass)
{
    const QStringList classic{drawFrom("30/10/2025", 1), drawFrom("31/10/2025", 30, " soir")};
    const QStringList current{newGameLine("03/11/2025", 1), newGameLine("04/11/2025", 40)};
    EXPECT_EQ(GameCheck::otherGame(classic, Formula::classic()), std::nullopt);
    EXPECT_EQ(GameCheck::otherGame(current, Formula::current()), std::nullopt);
    EXPECT_EQ(GameCheck::otherGame({}, Formula::current()), std::nullopt);
    // Lines of neither game are not this check's to judge.
    EXPECT_EQ(GameCheck::otherGame({QString(), QStringLiteral("garbage")}, Formula::classic()), std::nullopt);
}

TEST(GameCheck, OneDrawOfTheOtherGameAnywhereIsNamedWithBothGames)
{
    const QStringList intoClassic{drawFrom("30/10/2025", 1), QStringLiteral("garbage"), newGameLine("03/11/2025", 1)};
    EXPECT_EQ(GameCheck::otherGame(intoClassic, Formula::classic()), refusal(kNewName, kClassicName));

    const QStringList intoCurrent{newGameLine("03/11/2025", 1), drawFrom("31/10/2025", 30, " soir")};
    EXPECT_EQ(GameCheck::otherGame(intoCurrent, Formula::current()), refusal(kClassicName, kNewName));
}

} // namespace
