// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QString>
#include <QStringList>
#include <optional>

// The draws of one game never go into the other game's histories.
namespace GameCheck {

// Why `draws` may not join the histories of `game`: the first draw line of the other game
// found, named with both games; nullopt when there is none.
std::optional<QString> otherGame(const QStringList& draws, const Formula& game);

} // namespace GameCheck
