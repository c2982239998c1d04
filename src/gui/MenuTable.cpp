#include "gui/MenuTable.h"

#include "shell/Workspace.h"

const QList<MenuTable::Menu>& MenuTable::menus()
{
    static const QList<Menu> table = {
        {QStringLiteral("Fichier"), QStringLiteral("&Fichier")},
        {QStringLiteral("Ed"), QStringLiteral("Edition")},
        {QStringLiteral("Statistiques"), QStringLiteral("S&tatistiques")},
        {QStringLiteral("m4"), QStringLiteral("Prevision")},
        {QStringLiteral("help"), QStringLiteral("Aide")},
        {QStringLiteral("Divers"), QStringLiteral("Divers")},
    };
    return table;
}

namespace {

// F0(1..10), captions "1".."9" then "0", and C1(0..6), captions "1-10".."61-70".
MenuCommand finale(int index)
{
    MenuCommand row{QStringLiteral("Finales"), QStringLiteral("F0"), QString::number(index % 10), nullptr, {}};
    row.indexedCommand = &Workspace::finales;
    row.index = index;
    return row;
}

MenuCommand colonne(int index)
{
    MenuCommand row{QStringLiteral("Colones"),
                    QStringLiteral("C1"),
                    QStringLiteral("%1-%2").arg(10 * index + 1).arg(10 * index + 10),
                    nullptr,
                    {}};
    row.indexedCommand = &Workspace::colonnes;
    row.index = index;
    return row;
}

} // namespace

const QList<MenuCommand>& MenuTable::commands()
{
    const QString fichier = QStringLiteral("Fichier");
    const QString stats = QStringLiteral("Statistiques");
    const QString divers = QStringLiteral("Divers");
    const QString sep = QStringLiteral("-");
    const QString imp = QStringLiteral("Imp");
    static const QList<MenuCommand> table = {
        {fichier, QStringLiteral("mnuCharge"), QStringLiteral("Charge Manuelle"), &Workspace::chargeManuelle,
         QKeySequence(Qt::Key_F5)},
        {fichier, QStringLiteral("Telecharge"), QStringLiteral("Telechargement FDesJeux"), &Workspace::telechargement,
         QKeySequence(Qt::CTRL | Qt::Key_D)},
        {fichier, QStringLiteral("Construire"), QStringLiteral("Construire l'historique…"), &Workspace::construireHistorique, {}},
        {fichier, imp, QStringLiteral("Imprimer"), nullptr, {}, false, false, true},
        {imp, QStringLiteral("tout"), QStringLiteral("Tout"), nullptr, {}, false, true},
        {imp, QStringLiteral("selection"), QStringLiteral("Selection"), nullptr, QKeySequence(Qt::CTRL | Qt::Key_P), false, true},
        {fichier, QStringLiteral("Fin"), QStringLiteral("&Quitter"), nullptr, QKeySequence(Qt::CTRL | Qt::Key_Q), true},
        {QStringLiteral("Ed"), QStringLiteral("MnuCop"), QStringLiteral("Copier selection"), nullptr, QKeySequence::Copy, false,
         true},
        {stats, QStringLiteral("Debut"), QStringLiteral("Tous les tirages"), &Workspace::telechargement,
         QKeySequence(Qt::CTRL | Qt::Key_T)},
        {stats, QStringLiteral("finP"), QStringLiteral("Periode d'etude"), &Workspace::periodeEtude,
         QKeySequence(Qt::CTRL | Qt::Key_E)},
        {stats, QStringLiteral("m1"), sep, nullptr, {}},
        {stats, QStringLiteral("Ecarts"), QStringLiteral("Ecarts"), &Workspace::ecarts, QKeySequence(Qt::Key_F6)},
        {stats, QStringLiteral("EMaxi"), QStringLiteral("Ecarts Max"), &Workspace::ecartsMax, QKeySequence(Qt::Key_F7)},
        {stats, QStringLiteral("Sorties"), QStringLiteral("Sorties"), &Workspace::sorties, QKeySequence(Qt::Key_F8)},
        {stats, QStringLiteral("Numero"), QStringLiteral("Numéro"), &Workspace::numero, QKeySequence(Qt::Key_F9)},
        {stats, QStringLiteral("m5"), sep, nullptr, {}},
        {stats, QStringLiteral("Finales"), QStringLiteral("Finales"), nullptr, {}, false, false, true},
        finale(1),
        finale(2),
        finale(3),
        finale(4),
        finale(5),
        finale(6),
        finale(7),
        finale(8),
        finale(9),
        finale(10),
        {stats, QStringLiteral("m2"), sep, nullptr, {}},
        {stats, QStringLiteral("Colones"), QStringLiteral("Colonnes"), nullptr, {}, false, false, true},
        colonne(0),
        colonne(1),
        colonne(2),
        colonne(3),
        colonne(4),
        colonne(5),
        colonne(6),
        {stats, QStringLiteral("m6"), sep, nullptr, {}},
        {stats, QStringLiteral("Dix"), QStringLiteral("Dizaines/Unités"), &Workspace::dizaines, {}},
        {stats, QStringLiteral("Sept"), QStringLiteral("Septaines"), &Workspace::septaines, {}},
        {stats, QStringLiteral("Pi"), QStringLiteral("Pairs / Impairs"), &Workspace::pairsImpairs, {}},
        {stats, QStringLiteral("PG"), QStringLiteral("Petits / Gros Numéros"), &Workspace::petitsGros, {}},
        {stats, QStringLiteral("m3"), sep, nullptr, {}},
        {stats, QStringLiteral("Part"), QStringLiteral("Partenaire ideal"), &Workspace::partenaire, {}},
        {stats, QStringLiteral("PartHasard"), QStringLiteral("Partenaires - hasard"), &Workspace::partenairesHasard, {}},
        {stats, QStringLiteral("Recherche"), QStringLiteral("&Recherche Ecart"), &Workspace::rechercheEcart, {}},
        {stats, QStringLiteral("Annonceur"), QStringLiteral("Annonceur"), &Workspace::annonceur, {}},
        {stats, QStringLiteral("AnnonceurHasard"), QStringLiteral("Annonceur - hasard"), &Workspace::annonceurHasard, {}},
        {stats, QStringLiteral("Perf2"), QStringLiteral("Performance"), &Workspace::performance, {}},
        {stats, QStringLiteral("PlusSortis"), QStringLiteral("Plus sortis"), &Workspace::plusSortis, {}},
        {stats, QStringLiteral("Colonne"), QStringLiteral("Colonne"), &Workspace::colonne, {}},
        {stats, QStringLiteral("Hasard"), QStringLiteral("Hasard"), &Workspace::hasard, {}},
        {QStringLiteral("m4"), QStringLiteral("mnuPrev"), QStringLiteral("Configuration"), nullptr, {}, false, true},
        {QStringLiteral("m4"), QStringLiteral("Magic"), QStringLiteral("Selection numéros"), &Workspace::selectionNumeros, {}},
        {QStringLiteral("m4"), QStringLiteral("Cotes"), QStringLiteral("Cotes du Keno"), &Workspace::cotesKeno, {}},
        {QStringLiteral("m4"),
         QStringLiteral("TestPrev"),
         QStringLiteral("Tester la prévision"),
         &Workspace::testerPrevision,
         {}},
        {QStringLiteral("help"), QStringLiteral("Varn"), QStringLiteral("Aide"), &Workspace::aide, QKeySequence(Qt::Key_F1)},
        {QStringLiteral("help"), QStringLiteral("mnuCons"), QStringLiteral("Conseils"), nullptr, {}, false, true},
        {divers, QStringLiteral("tc"), QStringLiteral("Tout cocher"), &Workspace::toutCocher, {}},
        {divers, QStringLiteral("site"), QStringLiteral("Visiter le site / contact"), &Workspace::site, {}},
        {divers, QStringLiteral("Apropos"), QStringLiteral("A propos"), &Workspace::aPropos, {}},
    };
    return table;
}

QList<MenuCommand> MenuTable::commandsOf(const QString& menu)
{
    QList<MenuCommand> rows;
    for (const MenuCommand& row : commands())
        if (row.menu == menu)
            rows << row;
    return rows;
}
