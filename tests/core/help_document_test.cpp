// SPDX-License-Identifier: GPL-3.0-or-later
// The help document the build puts beside tiravol: a real PDF that names every menu command.
#include "support/TestSupport.h"

#include <QFile>
#include <QRegularExpression>

namespace {

// The document's words as one line: the page numbers at the foot of each page are dropped, so
// that a sentence running onto the next page reads whole.
QString documentText(const QString& pdf)
{
    QString text = TestSupport::runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    text.replace(QRegularExpression(QStringLiteral("\\n\\d+\\n\\s*\\f")), QStringLiteral(" "));
    return text.simplified();
}

} // namespace

TEST(HelpDocument, TheBuiltPdfCoversEveryCommandAndTheChanceChapterWithPicturesOfTheWindow)
{
    const QString pdf = QStringLiteral(TIRAVOL_HELP_PDF);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "built help document missing: " << pdf.toStdString();
    EXPECT_EQ(file.read(5), QByteArray("%PDF-"));

    // Lines are joined so that a caption cut by the layout is still found.
    const QString text = documentText(pdf);
    ASSERT_FALSE(text.isEmpty());
    // Every menu command's caption appears quoted at least once, as the menus show it; the commands
    // added beyond the menus (the heat map, the stop of a walk, the first-run question and its
    // buttons) are quoted whole.
    const QString commands = QStringLiteral(
        "Charge Manuelle|Telechargement FDesJeux|Imprimer|Tout|Selection|&Quitter|Copier selection|Tous les tirages|"
        "Periode d'etude|Ecarts|Ecarts Max|Sorties|Numéro|Finales|Colonnes|1-10|61-70|Dizaines/Unités|Septaines|"
        "Pairs / Impairs|Petits / Gros Numéros|Partenaire ideal|&Recherche Ecart|Annonceur|Performance|Plus sortis|"
        "Colonne|Configuration|Selection numéros|Aide|Conseils|Tout cocher|Visiter le site / contact|A propos|Table des gains…|"
        "Carte des écarts à la moyenne »|Arrêter »|Premier démarrage »|Construire l'historique… »|Démonstration »|"
        "Liste vide »|(démonstration) »");
    for (const QString& caption : commands.split(QLatin1Char('|')))
        EXPECT_TRUE(text.contains(QStringLiteral("« ") + caption)) << caption.toStdString();
    // The files, the download, the calendar filter, the forecast criteria, the keys, the command
    // line and the archives named after their period.
    for (const char* words :
         {"Tirages_keno.txt", "Tirages.txt", "tiravol.ini", "tiravol.cfg", "keno_gagnant_a_vie.zip", "Jours sélectionnés",
          "13 h 45", "21 h 00", "Prévisions", "Forme récente", "Vous n'etes pas connecté à Internet", "build-base --replace",
          "Échap", "tiravol-cli -o classement.txt sorties", "--output FICHIER", "Ctrl+C",
          "keno_202010.zip contient keno_202010.csv"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(words))) << words;

    EXPECT_GE(TestSupport::pdfPages(pdf), 4);

    // Three pictures of the window, each wider than a toolbar icon.
    const QStringList images = TestSupport::runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                   .mid(2);
    int pictures = 0;
    for (const QString& row : images) {
        const QStringList columns = row.simplified().split(QLatin1Char(' '));
        if (columns.size() > 4 && columns[2] == QLatin1String("image") && columns[3].toInt() >= 300)
            ++pictures;
    }
    EXPECT_EQ(pictures, 3);

    // The chance chapter, on the verdicts and their limits, comes last, after the command-line companion.
    const qsizetype chapter = text.lastIndexOf(QStringLiteral("Le hasard : ce que disent les rapports"));
    ASSERT_GT(chapter, text.indexOf(QStringLiteral("Le compagnon en ligne de commande")));
    const QString chance = text.mid(chapter);
    for (const char* words :
         {"« Hasard »", "« Partenaires - hasard »", "« Annonceur - hasard »", "« Cotes du Keno »", "« Tester la prévision »",
          "« Performance »", "Au risque de 5 %", "p corrigé", "Holm", "Bande à 95 %", "khi-deux", "Fisher", "médiane",
          "1 000 joueurs au hasard", "centile", "p unilatéral", "Ce que « compatible avec le hasard » ne prouve pas"})
        EXPECT_TRUE(chance.contains(QString::fromUtf8(words))) << words;
}

TEST(HelpDocument, TheBuiltPdfEmbedsOnlyTheGlyphsItUses)
{
    // pdffonts: two heading lines, then per font "name type... encoding emb sub uni object generation".
    const QStringList lines
        = TestSupport::runTool(QStringLiteral("pdffonts"), {QStringLiteral(TIRAVOL_HELP_PDF)}).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 2) << lines.join(u'\n').toStdString();
    for (const QString& line : lines.mid(2))
        EXPECT_EQ(line.simplified().section(u' ', -5, -4), QStringLiteral("yes yes")) << line.toStdString();
}
