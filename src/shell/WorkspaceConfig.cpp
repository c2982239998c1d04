// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/WorkspaceConfig.h"

#include "forecast/ForecastCriteria.h"
#include "history/HistoryFile.h"
#include "shell/Settings.h"

#include <QDir>

QString WorkspaceConfig::workingHistoryFile() const
{
    if (!workingHistoryPath.isEmpty())
        return workingHistoryPath;
    return HistoryFile::locate(dataFolder, game().workingFile);
}

QString WorkspaceConfig::baseHistoryFile() const
{
    return HistoryFile::locate(dataFolder, game().baseFile);
}

QString WorkspaceConfig::settingsFile() const
{
    return Settings::iniPath(appDataFolder);
}

QString WorkspaceConfig::criteriaFile() const
{
    return ForecastCriteria::filePath(appDataFolder);
}
