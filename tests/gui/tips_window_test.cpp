// SPDX-License-Identifier: GPL-3.0-or-later
// The tips window "Astuce".
#include "gui/TipsWindow.h"

#include "support/WindowFixture.h"

#include <QPushButton>

namespace {

TEST(TipsWindowTest, NextShowsTheFollowingTipAndAFaultyFileIsSaidInOneLine)
{
    TipsWindow missing(QString{});
    EXPECT_EQ(missing.windowTitle(), QStringLiteral("Astuce"));
    EXPECT_EQ(missing.tipText(), QStringLiteral("Le fichier des conseils « Conseil.txt » est introuvable."));
    EXPECT_FALSE(missing.findChild<QPushButton*>(QStringLiteral("cmdSuiv"))->isEnabled());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Conseil.txt"));
    TestSupport::writeFile(path, "3\r\nPremier\r\n\"Deuxième, avec une virgule\"\r\nTroisième\r\n");
    TipsWindow window(path);
    const QStringList tips
        = {QStringLiteral("Premier"), QStringLiteral("Deuxième, avec une virgule"), QStringLiteral("Troisième")};
    const qsizetype first = tips.indexOf(window.tipText()); // drawn at random
    ASSERT_GE(first, 0);
    for (int i = 1; i <= 3; ++i) {
        window.findChild<QPushButton*>(QStringLiteral("cmdSuiv"))->click();
        EXPECT_EQ(window.tipText(), tips[(first + i) % 3]) << i;
    }

    // A count larger than the tips present: said in one line, the window still works.
    TestSupport::writeFile(path, "5\r\nSeul\r\n");
    TipsWindow shortFile(path);
    EXPECT_EQ(shortFile.tipText(), QStringLiteral("Le fichier des conseils annonce 5 conseils mais n'en contient que 1."));
    shortFile.findChild<QPushButton*>(QStringLiteral("cmdSuiv"))->click();
    EXPECT_EQ(shortFile.tipText(), QStringLiteral("Seul"));
}

} // namespace
