// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/GameCheck.h"

namespace GameCheck {

std::optional<QString> otherGame(const QStringList& draws, const Formula& game)
{
    for (const QString& line : draws) {
        const std::optional<FormulaId> of = Formula::ofLine(line);
        if (of && *of != game.id)
            return QStringLiteral("Les tirages lus sont du %1 : ils ne vont pas dans l'historique du %2. Rien n'a été écrit.")
                .arg(Formula::get(*of).name, game.name);
    }
    return std::nullopt;
}

} // namespace GameCheck
