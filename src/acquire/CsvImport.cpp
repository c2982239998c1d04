// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/CsvImport.h"

#include "history/DrawLine.h"
#include "output/TextFile.h"

#include <QDate>
#include <QList>
#include <QStringView>
#include <algorithm>
#include <bitset>

namespace CsvImport {

namespace {

// Blanks around a field, the CR of a CR LF line end included, are not part of it.
QStringView field(QStringView text)
{
    return text.trimmed();
}

// Quoted values in reasons stay short, whatever the file holds.
QString shown(QStringView text)
{
    constexpr int kShownMax = 20;
    if (text.size() <= kShownMax)
        return text.toString();
    return text.left(kShownMax).toString() + QStringLiteral("…");
}

bool isDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Exactly "dd/mm/yyyy" naming a real day: the line's layout relies on those ten characters.
bool isDate(QStringView text)
{
    if (text.size() != 10 || text[2] != QLatin1Char('/') || text[5] != QLatin1Char('/'))
        return false;
    if (!isDigits(text.mid(0, 2)) || !isDigits(text.mid(3, 2)) || !isDigits(text.mid(6, 4)))
        return false;
    const QDate date(text.mid(6, 4).toInt(), text.mid(3, 2).toInt(), text.mid(0, 2).toInt());
    return date.isValid();
}

} // namespace

std::optional<QString> rowToLine(QStringView row, QString* reason)
{
    auto refuse = [reason](const QString& why) -> std::optional<QString> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };

    if (row.trimmed().isEmpty())
        return refuse(QStringLiteral("ligne vide"));

    // Only the first 24 fields matter; later columns are never looked at.
    QList<QStringView> fields;
    fields.reserve(kMinFields);
    qsizetype start = 0;
    while (fields.size() < kMinFields) {
        const qsizetype semicolon = row.indexOf(QLatin1Char(';'), start);
        if (semicolon < 0) {
            fields.append(row.mid(start));
            break;
        }
        fields.append(row.mid(start, semicolon - start));
        start = semicolon + 1;
    }
    if (fields.size() < kMinFields)
        return refuse(QStringLiteral("%1 champs au lieu d'au moins %2").arg(fields.size()).arg(kMinFields));

    const QStringView dateText = field(fields[1]);
    if (!isDate(dateText))
        return refuse(QStringLiteral("date invalide (%1)").arg(shown(dateText)));

    const QStringView slotText = field(fields[2]);
    QString slot;
    if (slotText.compare(QLatin1String("midi"), Qt::CaseInsensitive) == 0)
        slot = QStringLiteral("midi");
    else if (slotText.compare(QLatin1String("soir"), Qt::CaseInsensitive) == 0)
        slot = QStringLiteral("soir");
    else
        return refuse(QStringLiteral("tirage ni midi ni soir (%1)").arg(shown(slotText)));

    DrawLine::Numbers numbers{};
    std::bitset<71> seen;
    for (int k = 0; k < DrawLine::kNumbers; ++k) {
        const QStringView text = field(fields[kFirstNumberField + k]);
        // More than three digits cannot be a number of the grid, and would not fit an int.
        if (!isDigits(text) || text.size() > 3)
            return refuse(QStringLiteral("numéro illisible (%1)").arg(shown(text)));
        const int value = text.toInt();
        if (value < 1 || value > 70)
            return refuse(QStringLiteral("numéro hors de 1..70 (%1)").arg(value));
        if (seen.test(static_cast<std::size_t>(value)))
            return refuse(QStringLiteral("numéro répété (%1)").arg(value));
        seen.set(static_cast<std::size_t>(value));
        numbers[static_cast<std::size_t>(k)] = value;
    }

    return DrawLine::build(dateText.toString(), numbers, slot);
}

bool hasDrawHeader(const QByteArray& bytes)
{
    const qsizetype end = bytes.indexOf('\n');
    const QString header = TextFile::decode(end < 0 ? bytes : bytes.left(end));
    const QList<QStringView> fields = QStringView(header).split(QLatin1Char(';'));
    if (fields.size() < kMinFields)
        return false;
    // Names may come quoted or padded; only their meaning is checked.
    auto name = [](QStringView text) {
        text = text.trimmed();
        if (text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')) && text.size() >= 2)
            text = text.mid(1, text.size() - 2).trimmed();
        return text;
    };
    if (!name(fields[1]).contains(QLatin1String("date"), Qt::CaseInsensitive))
        return false;
    for (int k = 1; k <= DrawLine::kNumbers; ++k) {
        const QStringView field = name(fields[kFirstNumberField + k - 1]);
        const QString rank = QString::number(k);
        // "boule1" must not pass for "boule11": the rank is the whole run of digits at the end.
        if (!field.endsWith(rank) || (field.size() > rank.size() && field[field.size() - rank.size() - 1].isDigit()))
            return false;
    }
    return true;
}

Conversion convertText(const QString& text, const Progress& progress, LastPiece lastPiece)
{
    Conversion result;
    const QList<QStringView> pieces = QStringView(text).split(QLatin1Char('\n'));
    const int last = static_cast<int>(pieces.size()) - 1; // U

    // Piece U is empty after a final line feed; without one the import drops it all the same.
    const bool keepLast = lastPiece == LastPiece::KeptWhenNotEmpty && last >= 1 && !pieces[last].trimmed().isEmpty();
    for (int i = 1; i <= last; ++i) {
        if (progress)
            progress(i, last);
        if (i == last && !keepLast)
            break;
        ++result.rows;
        QString reason;
        if (std::optional<QString> line = rowToLine(pieces[i], &reason)) {
            result.lines.append(*line);
            result.lineNumbers.append(i + 1);
            if (i == last)
                result.lastPieceKept = true;
            continue;
        }
        ++result.skipped;
        if (result.reasons.size() < kMaxReasons)
            result.reasons.append(QStringLiteral("ligne %1 : %2").arg(i + 1).arg(reason));
    }
    // The file lists the newest draw first; the history wants the oldest first.
    std::reverse(result.lines.begin(), result.lines.end());
    std::reverse(result.lineNumbers.begin(), result.lineNumbers.end());
    return result;
}

Conversion convert(const QByteArray& bytes, const Progress& progress, LastPiece last)
{
    return convertText(TextFile::decode(bytes), progress, last);
}

} // namespace CsvImport
