// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A run as root (sudo, a service) must not leave files in the player's folder that the player
// can no longer replace or remove: what it writes there takes the folder's owner and group.
namespace FolderOwner {

// Gives `file` the owner and group of the folder holding it when this process runs as root;
// true when nothing had to change or it was changed, false with a French reason otherwise.
bool adopt(const QString& file, QString* error = nullptr);

} // namespace FolderOwner
