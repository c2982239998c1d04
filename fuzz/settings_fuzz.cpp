// Any bytes given as the settings file must read without a crash; a value written to one key
// must read back as written (up to the 254 characters a value holds), a second write of it
// change nothing, and every other key read as before. The input: one byte choosing the key, the
// value up to the first NUL, then the file's bytes.
#include "output/TextFile.h"
#include "shell/Settings.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    const qsizetype nul = rest.indexOf('\0');
    const QString value = QString::fromUtf8(rest.left(nul < 0 ? rest.size() : nul));
    const QString text = nul < 0 ? QString() : TextFile::decode(rest.mid(nul + 1));

    const QString sections[] = {QStringLiteral("URL"), QStringLiteral("Autre")};
    const QString keys[] = {QStringLiteral("FileFdesjeux"), QStringLiteral("Cle")};
    const QString& section = sections[data[0] & 1];
    const QString& key = keys[(data[0] >> 1) & 1];
    std::optional<QString> before[2][2];
    for (int s = 0; s < 2; ++s)
        for (int k = 0; k < 2; ++k)
            before[s][k] = Settings::readText(text, sections[s], keys[k]);

    const std::optional<QString> written = Settings::writeText(text, section, key, value);
    if (value.contains(QLatin1Char('\n'))) {
        if (written)
            std::abort();
        return 0;
    }
    if (!written || Settings::readText(*written, section, key) != value.left(254))
        std::abort();
    if (Settings::writeText(*written, section, key, value) != written)
        std::abort();
    for (int s = 0; s < 2; ++s)
        for (int k = 0; k < 2; ++k)
            if (&sections[s] != &section || &keys[k] != &key)
                if (Settings::readText(*written, sections[s], keys[k]) != before[s][k])
                    std::abort();
    return 0;
}
