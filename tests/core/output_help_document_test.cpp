// The help document the build puts beside tiravol: a real PDF that names every menu command.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The document's words as one line: the page numbers at the foot of each page are dropped, so
// that a sentence running onto the next page reads whole.
QString documentText(const QString& pdf)
{
    QString text = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    text.replace(QRegularExpression(QStringLiteral("\\n\\d+\\n\\s*\\f")), QStringLiteral(" "));
    return text.simplified();
}

} // namespace

TEST(HelpDocument, TheBuiltPdfCoversEveryMenuCommandWithPicturesOfTheWindow)
{
    const QString pdf = QStringLiteral(TIRAVOL_HELP_PDF);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "built help document missing: " << pdf.toStdString();
    EXPECT_EQ(file.read(5), QByteArray("%PDF-"));

    // Lines are joined so that a caption cut by the layout is still found.
    const QString text = documentText(pdf);
    ASSERT_FALSE(text.isEmpty());
    const QStringList captions = {
        QStringLiteral("Charge Manuelle"), QStringLiteral("Telechargement FDesJeux"), QStringLiteral("Imprimer"),
        QStringLiteral("Tout"), QStringLiteral("Selection"), QStringLiteral("&Quitter"), QStringLiteral("Copier selection"),
        QStringLiteral("Tous les tirages"), QStringLiteral("Periode d'etude"), QStringLiteral("Ecarts"),
        QStringLiteral("Ecarts Max"), QStringLiteral("Sorties"), QStringLiteral("Numéro"), QStringLiteral("Finales"),
        QStringLiteral("Colonnes"), QStringLiteral("1-10"), QStringLiteral("61-70"), QStringLiteral("Dizaines/Unités"),
        QStringLiteral("Septaines"), QStringLiteral("Pairs / Impairs"), QStringLiteral("Petits / Gros Numéros"),
        QStringLiteral("Partenaire ideal"), QStringLiteral("&Recherche Ecart"), QStringLiteral("Annonceur"),
        QStringLiteral("Performance"), QStringLiteral("Plus sortis"), QStringLiteral("Colonne"), QStringLiteral("Configuration"),
        QStringLiteral("Selection numéros"), QStringLiteral("Aide"), QStringLiteral("Conseils"), QStringLiteral("Tout cocher"),
        QStringLiteral("Visiter le site / contact"), QStringLiteral("A propos"),
        // the files, the download, the calendar filter and the forecast criteria
        QStringLiteral("Tirages_keno.txt"), QStringLiteral("Tirages.txt"), QStringLiteral("tiravol.ini"),
        QStringLiteral("tiravol.cfg"), QStringLiteral("keno_gagnant_a_vie.zip"), QStringLiteral("Jours sélectionnés"),
        QStringLiteral("13 h 45"), QStringLiteral("21 h 00"), QStringLiteral("Prévisions"), QStringLiteral("Forme récente"),
        QStringLiteral("Vous n'etes pas connecté à Internet")};
    for (const QString& caption : captions)
        EXPECT_TRUE(text.contains(caption)) << caption.toStdString();
    // Every command caption appears quoted at least once, as the menus show it.
    for (const QString& caption : captions.mid(0, 34))
        EXPECT_TRUE(text.contains(QStringLiteral("« ") + caption)) << caption.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("« Construire l'historique… »")));
    EXPECT_TRUE(text.contains(QStringLiteral("build-base --replace")));

    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(runTool(QStringLiteral("pdfinfo"), {pdf}));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_GE(match.captured(1).toInt(), 4);

    // Three pictures of the window, each wider than a toolbar icon.
    const QStringList images = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                   .mid(2);
    int pictures = 0;
    for (const QString& row : images) {
        const QStringList columns = row.simplified().split(QLatin1Char(' '));
        if (columns.size() > 4 && columns[2] == QLatin1String("image") && columns[3].toInt() >= 300)
            ++pictures;
    }
    EXPECT_EQ(pictures, 3);
}

TEST(HelpDocument, TheChanceChapterExplainsTheVerdictsAndTheirLimits)
{
    const QString text = documentText(QStringLiteral(TIRAVOL_HELP_PDF));
    ASSERT_FALSE(text.isEmpty());
    // The chapter comes last, after the command-line companion.
    const qsizetype chapter = text.lastIndexOf(QStringLiteral("Le hasard : ce que disent les rapports"));
    ASSERT_GT(chapter, text.indexOf(QStringLiteral("Le compagnon en ligne de commande")));
    const QString chance = text.mid(chapter);
    for (const char* words :
         {"« Hasard »", "« Partenaires - hasard »", "« Annonceur - hasard »", "« Cotes du Keno »", "« Tester la prévision »",
          "« Performance »", "Au risque de 5 %", "p corrigé", "Holm", "Bande à 95 %", "khi-deux", "Fisher", "médiane",
          "1 000 joueurs au hasard", "centile", "p unilatéral", "Ce que « compatible avec le hasard » ne prouve pas"})
        EXPECT_TRUE(chance.contains(QString::fromUtf8(words))) << words;
}

TEST(HelpDocument, TheCommandsAddedBeyondTheMenusAreDescribed)
{
    const QString text = documentText(QStringLiteral(TIRAVOL_HELP_PDF));
    ASSERT_FALSE(text.isEmpty());
    // Quoted as the program shows them: the chance reports, the backtest, the heat map, the
    // stop of a walk, the first-run question and its buttons.
    for (const char* caption : {"Hasard", "Cotes du Keno", "Partenaires - hasard", "Annonceur - hasard", "Tester la prévision",
                                "Carte des écarts à la moyenne", "Arrêter", "Premier démarrage", "Construire l'historique…",
                                "Démonstration", "Liste vide", "(démonstration)"})
        EXPECT_TRUE(text.contains(QStringLiteral("« ") + QString::fromUtf8(caption) + QStringLiteral(" »"))) << caption;
    // The keys and the command line, and the archives named after their period.
    for (const char* words : {"Échap", "tiravol-cli -o classement.txt sorties", "--output FICHIER", "Ctrl+C",
                              "keno_202010.zip contient keno_202010.csv"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(words))) << words;
}
