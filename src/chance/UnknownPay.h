// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QString>
#include <QStringList>
#include <vector>

// The amounts of the pay table a report needs and the table does not know. An unknown amount is
// never counted as nothing: the report says which ones it lacks, in these words, and leaves out
// the figures that rest on them.
namespace UnknownPay {

// The numbers matched (0..k, ascending) whose amount `table` does not know when k numbers are
// played. Reports pass the table in force, which carries the player's corrections.
std::vector<int> matches(const PayTable& table, int k);
// The same on the game's shipped table.
std::vector<int> matches(const Formula& formula, int k);

// « Gain inconnu pour 6 numéros trouvés sur 7 : la table des gains de ce jeu est incomplète. »
// (« Gains inconnus pour 0, 1 ou 2 … » for several), cut at the chance reports' line width;
// `indent` opens the first line.
QStringList sentence(int k, const std::vector<int>& matched, const QString& indent = QString());

} // namespace UnknownPay
