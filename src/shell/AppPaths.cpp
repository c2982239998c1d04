// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AppPaths.h"

#include <QStandardPaths>

namespace AppPaths {

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString appDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

} // namespace AppPaths
