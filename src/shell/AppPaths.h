// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace AppPaths {

// The user's documents folder: where the history files live.
QString documentsFolder();
// The per-user configuration folder that holds "Varn".
QString appDataFolder();

} // namespace AppPaths
