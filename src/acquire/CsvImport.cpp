// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/CsvImport.h"

#include "output/NumberFormat.h"
#include "output/TextFile.h"

#include <QDate>
#include <QList>
#include <QMap>
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

// A column's name as the header gives it, without quotes, padding or case.
QString columnName(QStringView text)
{
    text = text.trimmed();
    if (text.startsWith(QChar(0xFEFF)))
        text = text.mid(1).trimmed();
    if (text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')) && text.size() >= 2)
        text = text.mid(1, text.size() - 2).trimmed();
    return text.toString().toLower();
}

// The rank of a "boule<k>" column ("boule_3" and "boule 3" too), 0 for any other column. Only
// that word counts: the old files' "emplacement1..." columns are no numbers of the draw.
int numberRank(const QString& name)
{
    static const QLatin1String word("boule");
    if (!name.startsWith(word))
        return 0;
    QStringView rest = QStringView(name).mid(word.size());
    if (rest.startsWith(QLatin1Char('_')) || rest.startsWith(QLatin1Char(' ')))
        rest = rest.mid(1);
    return isDigits(rest) && rest.size() <= 2 ? rest.toInt() : 0;
}

// The game whose drawn count is `count`.
std::optional<FormulaId> gameDrawing(int count)
{
    for (FormulaId id : Formula::all())
        if (Formula::get(id).drawn == count)
            return id;
    return std::nullopt;
}

// "date_de_tirage", else the one other date of the header (never the closing date).
int dateColumn(const QStringList& names)
{
    const int named = static_cast<int>(names.indexOf(QStringLiteral("date_de_tirage")));
    if (named >= 0)
        return named;
    for (int i = 0; i < names.size(); ++i)
        if (names[i].contains(QLatin1String("date")) && !names[i].contains(QLatin1String("forclusion")))
            return i;
    return -1;
}

// The fields of a row cut at ";" up to `wanted` of them; later columns are never looked at.
QList<QStringView> cut(QStringView row, int wanted)
{
    QList<QStringView> fields;
    fields.reserve(wanted);
    qsizetype start = 0;
    while (fields.size() < wanted) {
        const qsizetype semicolon = row.indexOf(QLatin1Char(';'), start);
        if (semicolon < 0) {
            fields.append(row.mid(start));
            break;
        }
        fields.append(row.mid(start, semicolon - start));
        start = semicolon + 1;
    }
    return fields;
}

// The slot word of the row, or empty when the game has no such draw time.
QString slotOf(const QList<QStringView>& fields, const Layout& layout)
{
    const Formula& game = layout.game();
    if (layout.slot < 0)
        return game.drawSlots.back().word;
    const QStringView text = field(fields[layout.slot]);
    for (const DrawSlot& slot : game.drawSlots)
        if (text.compare(slot.word, Qt::CaseInsensitive) == 0)
            return slot.word;
    return {};
}

QString slotRefusal(const Formula& game, QStringView text)
{
    QStringList words;
    for (const DrawSlot& slot : game.drawSlots)
        words << slot.word;
    const QString expected = game.slotCount() == 1 ? QStringLiteral("autre que %1").arg(words.first())
                                                   : QStringLiteral("ni ") + words.join(QStringLiteral(" ni "));
    return QStringLiteral("tirage %1 (%2)").arg(expected, shown(text));
}

// "2" gives 2; an empty field, or anything that is no small number, gives none: the draw
// itself stays good without it.
std::optional<int> multiplierOf(const QList<QStringView>& fields, int column)
{
    if (column < 0 || column >= fields.size())
        return std::nullopt;
    const QStringView text = field(fields[column]);
    if (!isDigits(text) || text.size() > 2 || text.toInt() < 1)
        return std::nullopt;
    return text.toInt();
}

} // namespace

QString gameName(const Formula& game)
{
    return QStringLiteral("Keno %1").arg(game.shortLabel());
}

int Layout::fieldsNeeded() const
{
    int last = std::max(date, slot);
    for (int column : numbers)
        last = std::max(last, column);
    return last + 1;
}

int Layout::fieldsRead() const
{
    return std::max(fieldsNeeded(), multiplier + 1);
}

Layout classicLayout()
{
    Layout layout;
    for (int k = 0; k < Formula::classic().drawn; ++k)
        layout.numbers.push_back(kFirstNumberField + k);
    return layout;
}

std::optional<Layout> layoutOf(QStringView header, QString* why)
{
    QStringList names;
    for (QStringView text : header.split(QLatin1Char(';')))
        names << columnName(text);
    QMap<int, int> columnOfRank;
    for (int i = 0; i < names.size(); ++i)
        if (const int rank = numberRank(names[i]); rank > 0 && !columnOfRank.contains(rank))
            columnOfRank.insert(rank, i);
    if (columnOfRank.isEmpty())
        return classicLayout();
    int count = 0;
    while (columnOfRank.contains(count + 1))
        ++count;
    const std::optional<FormulaId> game = gameDrawing(count);
    auto refuse = [why](const QString& text) -> std::optional<Layout> {
        if (why)
            *why = text;
        return std::nullopt;
    };
    if (!game)
        return refuse(QStringLiteral("l'en-tête nomme les colonnes boule1 à boule%1 : ce n'est l'archive ni du %2 ni du %3")
                          .arg(count)
                          .arg(gameName(Formula::classic()), gameName(Formula::current())));
    Layout layout;
    layout.formula = *game;
    layout.named = true;
    for (int k = 1; k <= count; ++k)
        layout.numbers.push_back(columnOfRank.value(k));
    layout.date = dateColumn(names);
    layout.slot = static_cast<int>(names.indexOf(QStringLiteral("heure_de_tirage")));
    layout.multiplier = static_cast<int>(names.indexOf(QStringLiteral("multiplicateur")));
    if (layout.date < 0)
        return refuse(QStringLiteral("l'en-tête n'a pas de colonne date_de_tirage"));
    // A game drawn twice a day cannot do without the time of day.
    if (layout.slot < 0 && layout.game().slotCount() > 1)
        return refuse(QStringLiteral("l'en-tête n'a pas de colonne heure_de_tirage"));
    return layout;
}

std::optional<QString> rowToLine(QStringView row, const Layout& layout, QString* reason, std::optional<int>* multiplier)
{
    auto refuse = [reason](const QString& why) -> std::optional<QString> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    if (row.trimmed().isEmpty())
        return refuse(QStringLiteral("ligne vide"));
    const QList<QStringView> fields = cut(row, layout.fieldsRead());
    if (fields.size() < layout.fieldsNeeded())
        return refuse(QStringLiteral("%1 champs au lieu d'au moins %2").arg(fields.size()).arg(layout.fieldsNeeded()));

    const QStringView dateText = field(fields[layout.date]);
    if (!isDate(dateText))
        return refuse(QStringLiteral("date invalide (%1)").arg(shown(dateText)));
    const Formula& game = layout.game();
    const QString slot = slotOf(fields, layout);
    if (slot.isEmpty())
        return refuse(slotRefusal(game, field(fields[layout.slot])));

    QString line = dateText.toString();
    std::bitset<Formula::kMaxNumber + 1> seen;
    for (int column : layout.numbers) {
        const QStringView text = field(fields[column]);
        // More than three digits cannot be a number of the grid, and would not fit an int.
        if (!isDigits(text) || text.size() > 3)
            return refuse(QStringLiteral("numéro illisible (%1)").arg(shown(text)));
        const int value = text.toInt();
        if (value < 1 || value > game.numbers)
            return refuse(QStringLiteral("numéro hors de 1..%1 (%2)").arg(game.numbers).arg(value));
        if (seen.test(static_cast<std::size_t>(value)))
            return refuse(QStringLiteral("numéro répété (%1)").arg(value));
        seen.set(static_cast<std::size_t>(value));
        line += NumberFormat::apply(value, u" 00");
    }
    if (multiplier)
        *multiplier = multiplierOf(fields, layout.multiplier);
    return line + QLatin1Char(' ') + slot;
}

std::optional<QString> rowToLine(QStringView row, QString* reason)
{
    return rowToLine(row, classicLayout(), reason);
}

bool hasDrawHeader(const QByteArray& bytes)
{
    const qsizetype end = bytes.indexOf('\n');
    const std::optional<Layout> layout = layoutOf(TextFile::decode(end < 0 ? bytes : bytes.left(end)), nullptr);
    return layout && layout->named;
}

Conversion convertText(const QString& text, const Progress& progress, LastPiece lastPiece)
{
    Conversion result;
    const QList<QStringView> pieces = QStringView(text).split(QLatin1Char('\n'));
    const int last = static_cast<int>(pieces.size()) - 1; // U
    const std::optional<Layout> layout = layoutOf(pieces[0], &result.headerProblem);
    if (!layout)
        return result;
    result.formula = layout->formula;

    // Piece U is empty after a final line feed; without one the import drops it all the same.
    const bool keepLast = lastPiece == LastPiece::KeptWhenNotEmpty && last >= 1 && !pieces[last].trimmed().isEmpty();
    for (int i = 1; i <= last; ++i) {
        if (progress)
            progress(i, last);
        if (i == last && !keepLast)
            break;
        ++result.rows;
        QString reason;
        std::optional<int> multiplier;
        if (std::optional<QString> line = rowToLine(pieces[i], *layout, &reason, &multiplier)) {
            result.lines.append(*line);
            result.lineNumbers.append(i + 1);
            result.multipliers.append(multiplier);
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
    std::reverse(result.multipliers.begin(), result.multipliers.end());
    return result;
}

Conversion convert(const QByteArray& bytes, const Progress& progress, LastPiece last)
{
    return convertText(TextFile::decode(bytes), progress, last);
}

} // namespace CsvImport
