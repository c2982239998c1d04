// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AppFiles.h"

#include "history/HistoryFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppFiles {

QStringList searchFolders(const QString& programFolder)
{
    QStringList folders;
    if (!programFolder.isEmpty()) {
        const QDir program(programFolder);
        folders << program.absolutePath();
        folders << QDir::cleanPath(program.absoluteFilePath(QStringLiteral("../share/tiravol")));
    }
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString folder = QDir::cleanPath(data + QStringLiteral("/tiravol"));
        if (!folders.contains(folder))
            folders << folder;
    }
    return folders;
}

QString find(const QString& name, const QString& programFolder)
{
    for (const QString& folder : searchFolders(programFolder)) {
        const QFileInfo file(QDir(folder).filePath(name));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return {};
}

QString find(const QString& name)
{
    return find(name, QCoreApplication::applicationDirPath());
}

QString helpDocument()
{
    return find(QLatin1String(kHelpName));
}

QString tipsFile()
{
    return find(QLatin1String(kTipsName));
}

QString workingHistory(const QString& dataFolder, FormulaId id)
{
    return HistoryFile::workingPath(dataFolder, id);
}

QString baseHistory(const QString& dataFolder, FormulaId id)
{
    return HistoryFile::basePath(dataFolder, id);
}

} // namespace AppFiles
