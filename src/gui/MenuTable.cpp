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
        {QStringLiteral("help"), QStringLiteral("Varn"), QStringLiteral("Aide"), &Workspace::aide, QKeySequence(Qt::Key_F1)},
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
