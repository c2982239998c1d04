#pragma once

// Builds ZIP archives for the tests with libzip's writing side. Header-only so that only the
// tests that include it need libzip's headers.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <vector>
#include <zip.h>

namespace ZipWriter {

struct Member {
    QByteArray name {};         // stored as given, "../x" and "/x" included
    QByteArray data {};
    bool folder = false;        // a folder entry ("name/")
    zip_uint16_t encryption = ZIP_EM_NONE;
    QByteArray password {};
};

inline bool encryptionSupported(zip_uint16_t method)
{
    return zip_encryption_method_supported(method, 1) != 0;
}

// Writes the members to `path`, replacing it. An archive without members is written by hand:
// libzip removes the file instead.
inline bool write(const QString& path, const std::vector<Member>& members)
{
    if (members.empty()) {
        QFile file(path);
        QByteArray empty("PK\x05\x06", 4);
        empty.append(18, '\0');
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(empty) == empty.size();
    }
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    for (const Member& member : members) {
        zip_int64_t index = -1;
        if (member.folder) {
            index = zip_dir_add(archive, member.name.constData(), ZIP_FL_ENC_RAW);
        } else {
            zip_source_t* source
                = zip_source_buffer(archive, member.data.constData(), static_cast<zip_uint64_t>(member.data.size()), 0);
            if (source) {
                index = zip_file_add(archive, member.name.constData(), source, ZIP_FL_ENC_RAW | ZIP_FL_OVERWRITE);
                if (index < 0)
                    zip_source_free(source);
            }
        }
        if (index < 0
            || (member.encryption != ZIP_EM_NONE
                && zip_file_set_encryption(archive, static_cast<zip_uint64_t>(index), member.encryption,
                                           member.password.constData())
                    != 0)) {
            zip_discard(archive);
            return false;
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return false;
    }
    return true;
}

} // namespace ZipWriter
