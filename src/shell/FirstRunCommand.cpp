// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/FirstRunCommand.h"

#include "acquire/BaseBuilder.h"
#include "shell/UserInterface.h"
#include "shell/WorkspaceConfig.h"

#include <QDir>

const QString FirstRunCommand::kTitle = QStringLiteral("Premier démarrage");

bool FirstRunCommand::isFirstRun() const
{
    for (FormulaId id : Formula::all()) {
        WorkspaceConfig game = m_config;
        game.formula = id;
        if (!BaseBuilder::existingHistory(BaseBuilder::Paths{game.baseHistoryFile(), game.workingHistoryFile()}).isEmpty())
            return false;
    }
    return true;
}

QString FirstRunCommand::question() const
{
    const Formula& other
        = Formula::get(m_config.formula == FormulaId::Keno16of56 ? FormulaId::Keno20of70 : FormulaId::Keno16of56);
    return QStringLiteral("Aucun historique des tirages dans le dossier des données :\n%1\n\n"
                          "Le jeu étudié est le %2 ; le menu Jeu passe au %3.\n\n"
                          "Vous pouvez :\n"
                          "• construire l'historique à partir des archives de résultats de FDesJeux que vous avez "
                          "enregistrées (fichiers .zip ou .csv) ;\n"
                          "• essayer le programme sur l'historique de démonstration : des tirages inventés, gardés "
                          "dans un dossier temporaire, jamais écrits dans votre dossier et effacés à la fermeture ;\n"
                          "• continuer avec la liste vide (« Construire l'historique… » reste dans le menu Fichier).")
        .arg(QDir::toNativeSeparators(m_config.dataFolder), m_config.game().name, other.name);
}

void FirstRunCommand::ask(OutcomeThen then, CommandOutcome told)
{
    const QStringList buttons{QStringLiteral("Construire l'historique…"), QStringLiteral("Démonstration"),
                              QStringLiteral("Liste vide")};
    switch (m_ui.choose(kTitle, question(), buttons)) {
    case Build:
        m_build([this, then = std::move(then), told](const CommandOutcome& built) mutable {
            told.then(CommandOutcome::done().after(built));
            // No archive chosen, or none could be read: the question again.
            if (isFirstRun())
                ask(std::move(then), told);
            else
                then(told);
        });
        return;
    case Demonstration: {
        const CommandOutcome demo = m_startDemonstration();
        told.then(CommandOutcome::done().after(demo));
        if (!demo.isDone())
            return ask(std::move(then), told);
        break;
    }
    default:
        break;
    }
    then(told);
}
