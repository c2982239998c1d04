// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReproduciblePdf.h"

#include <QCryptographicHash>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <map>

namespace {

// Each match of `pattern`'s first group becomes `text`, of the same length.
void overwrite(QString& pdf, const QString& pattern, const QString& text)
{
    const QRegularExpression expression(pattern);
    for (const QRegularExpressionMatch& m : expression.globalMatch(pdf))
        pdf.replace(m.capturedStart(1), m.capturedLength(1), text.left(m.capturedLength(1)));
}

void stampDates(QString& pdf, const QDateTime& moment)
{
    overwrite(pdf, QStringLiteral("/(?:CreationDate|ModDate) ?\\(D:(\\d{14})"),
              moment.toString(QStringLiteral("yyyyMMddHHmmss")));
    overwrite(pdf, QStringLiteral("(\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d)(?:Z|[+-]\\d\\d:\\d\\d)"),
              moment.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
}

// Identifiers (those of the file and of its XMP metadata) become a digest of everything else.
void stampIdentifiers(QString& pdf)
{
    const QString uuid = QStringLiteral("uuid:([0-9a-fA-F-]{36})");
    const QString first = QStringLiteral("/ID ?\\[ ?<([0-9a-fA-F]+)> ?<[0-9a-fA-F]+> ?\\]");
    const QString second = QStringLiteral("/ID ?\\[ ?<[0-9a-fA-F]+> ?<([0-9a-fA-F]+)> ?\\]");
    for (const QString& pattern : {uuid, first, second})
        overwrite(pdf, pattern, QString(64, u'0'));
    const QString digest = QString::fromLatin1(QCryptographicHash::hash(pdf.toLatin1(), QCryptographicHash::Sha256).toHex());
    overwrite(pdf, uuid,
              digest.left(8) + u'-' + digest.mid(8, 4) + u'-' + digest.mid(12, 4) + u'-' + digest.mid(16, 4) + u'-'
                  + digest.mid(20));
    overwrite(pdf, first, digest);
    overwrite(pdf, second, digest);
}

// Where "TAG+" must go: before each /BaseFont name whose descriptor names a tagged subset.
std::map<qsizetype, QString> subsetTags(const QString& pdf)
{
    QHash<QString, QString> tags;
    static const QRegularExpression fontName(QStringLiteral("/FontName ?/([A-Z]{6}\\+)([^\\s/\\[\\]<>()]+)"));
    for (const QRegularExpressionMatch& m : fontName.globalMatch(pdf))
        tags.insert(m.captured(2), m.captured(1));
    std::map<qsizetype, QString> insertions;
    static const QRegularExpression baseFont(QStringLiteral("/BaseFont ?/([^\\s/\\[\\]<>()]+)"));
    for (const QRegularExpressionMatch& m : baseFont.globalMatch(pdf)) {
        if (tags.contains(m.captured(1)))
            insertions.emplace(m.capturedStart(1), tags.value(m.captured(1)));
    }
    return insertions;
}

// How far `offset` moves once the insertions before it are made.
qsizetype shifted(qsizetype offset, const std::map<qsizetype, QString>& insertions)
{
    qsizetype moved = offset;
    for (auto it = insertions.begin(); it != insertions.end() && it->first < offset; ++it)
        moved += it->second.size();
    return moved;
}

// The insertions made and the offsets of the cross-reference table and startxref moved with
// them; false (and `pdf` untouched) when the table is not where startxref says.
bool insertKeepingOffsets(QString& pdf, const std::map<qsizetype, QString>& insertions)
{
    static const QRegularExpression startxref(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF\\s*$"));
    const QRegularExpressionMatch end = startxref.match(pdf);
    if (!end.hasMatch())
        return false;
    const qsizetype table = end.captured(1).toLongLong();
    static const QRegularExpression header(QStringLiteral("\\Gxref\\s+0 (\\d+)\\s+"));
    const QRegularExpressionMatch head = header.match(pdf, table);
    if (!head.hasMatch())
        return false;
    QString updated = pdf;
    static const QRegularExpression entry(QStringLiteral("\\G(\\d{10}) (\\d{5}) ([nf])\\s{2}"));
    qsizetype at = head.capturedEnd();
    for (int i = 0; i < head.captured(1).toInt(); ++i) {
        const QRegularExpressionMatch e = entry.match(pdf, at);
        if (!e.hasMatch())
            return false;
        if (e.captured(3) == u'n')
            updated.replace(at, 10, QString::number(shifted(e.captured(1).toLongLong(), insertions)).rightJustified(10, u'0'));
        at = e.capturedEnd();
    }
    updated.replace(end.capturedStart(1), end.capturedLength(1), QString::number(shifted(table, insertions)));
    // From the end, so that the positions still to come stay valid.
    for (auto it = insertions.rbegin(); it != insertions.rend(); ++it)
        updated.insert(it->first, it->second);
    pdf = updated;
    return true;
}

} // namespace

QByteArray ReproduciblePdf::apply(const QByteArray& bytes, const QDateTime& moment)
{
    QString pdf = QString::fromLatin1(bytes); // every byte kept as one character
    stampDates(pdf, moment.toUTC());
    stampIdentifiers(pdf);
    insertKeepingOffsets(pdf, subsetTags(pdf));
    return pdf.toLatin1();
}
