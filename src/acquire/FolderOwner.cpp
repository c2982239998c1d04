// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/FolderOwner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace FolderOwner {

bool adopt(const QString& file, QString* error)
{
#ifdef Q_OS_UNIX
    if (::geteuid() != 0)
        return true;
    const QByteArray path = QFile::encodeName(QFileInfo(file).absoluteFilePath());
    const QByteArray folder = QFile::encodeName(QFileInfo(file).absolutePath());
    struct stat own {
    }, parent{};
    if (::lstat(path.constData(), &own) != 0 || ::stat(folder.constData(), &parent) != 0)
        return true; // nothing there to give
    if (own.st_uid == parent.st_uid && own.st_gid == parent.st_gid)
        return true;
    // lchown: a link put in the file's place must not hand another file over.
    if (::lchown(path.constData(), parent.st_uid, parent.st_gid) != 0) {
        if (error)
            *error = QStringLiteral("Le propriétaire de « %1 » n'a pas pu être rendu à celui du dossier (%2).")
                         .arg(QDir::toNativeSeparators(file), QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
#else
    Q_UNUSED(file);
    Q_UNUSED(error);
#endif
    return true;
}

} // namespace FolderOwner
