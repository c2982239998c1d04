// SPDX-License-Identifier: GPL-3.0-or-later
#include "forecast/TipsFile.h"

#include "output/TextFile.h"

#include <QFile>

namespace {

// Reads comma-separated fields the way sequential input does.
class FieldReader {
public:
    explicit FieldReader(const QString& text) : m_text(text) { }

    // False at the end of the text.
    bool next(QString* field)
    {
        // Blank lines between fields hold no field.
        while (m_pos < m_text.size() && (m_text[m_pos] == u' ' || m_text[m_pos] == u'\t' || isLineEnd(m_text[m_pos])))
            ++m_pos;
        if (m_pos >= m_text.size())
            return false;
        field->clear();
        if (m_text[m_pos] == u'"') {
            ++m_pos;
            while (m_pos < m_text.size() && m_text[m_pos] != u'"' && !isLineEnd(m_text[m_pos]))
                *field += m_text[m_pos++];
            if (m_pos < m_text.size() && m_text[m_pos] == u'"')
                ++m_pos;
            // Whatever follows the closing quote up to the delimiter is dropped.
            while (m_pos < m_text.size() && m_text[m_pos] != u',' && !isLineEnd(m_text[m_pos]))
                ++m_pos;
        } else {
            while (m_pos < m_text.size() && m_text[m_pos] != u',' && !isLineEnd(m_text[m_pos]))
                *field += m_text[m_pos++];
        }
        if (m_pos < m_text.size() && m_text[m_pos] == u',')
            ++m_pos;
        return true;
    }

private:
    static bool isLineEnd(QChar c) { return c == u'\n' || c == u'\r'; }
    const QString& m_text;
    qsizetype m_pos = 0;
};

} // namespace

TipsFile TipsFile::read(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return parse({}, false);
    QByteArray bytes;
    QString why;
    if (!file.open(QIODevice::ReadOnly))
        why = TextFile::reason(file);
    if (!why.isEmpty() || !TextFile::readToEnd(file, &bytes, &why)) {
        // A cut file would pose as one announcing more tips than it holds: none is shown.
        TipsFile result;
        result.error = QStringLiteral("Le fichier des conseils « Conseil.txt » n'a pas pu être lu (%1).").arg(why);
        return result;
    }
    return parse(bytes, true);
}

TipsFile TipsFile::parse(const QByteArray& bytes, bool exists)
{
    TipsFile result;
    if (!exists) {
        result.error = QStringLiteral("Le fichier des conseils « Conseil.txt » est introuvable.");
        return result;
    }
    const QString text = TextFile::decode(bytes);
    FieldReader reader(text);
    QString field;
    bool ok = false;
    const int count = reader.next(&field) ? field.trimmed().toInt(&ok) : 0;
    if (!ok || count < 0) {
        result.error = QStringLiteral("Le fichier des conseils ne commence pas par le nombre de conseils.");
        return result;
    }
    for (int i = 0; i < count && reader.next(&field); ++i)
        result.tips << field;
    if (count == 0)
        result.error = QStringLiteral("Le fichier des conseils ne contient aucun conseil.");
    else if (result.tips.size() < count)
        result.error = QStringLiteral("Le fichier des conseils annonce %1 conseils mais n'en contient que %2.")
                           .arg(count)
                           .arg(result.tips.size());
    return result;
}
