// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DrawLine.h"

#include "history/DateText.h"

#include "output/NumberFormat.h"

#include <QStringList>

namespace DrawLine {

QDate date(QStringView line)
{
    // Strict "dd/mm/yyyy", read without building strings: every load reads every date.
    if (line.size() < 10 || line[2] != QLatin1Char('/') || line[5] != QLatin1Char('/'))
        return {};
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 3, 6}, lengths[3] = {2, 2, 4};
    for (int p = 0; p < 3; ++p) {
        for (int j = 0; j < lengths[p]; ++j) {
            const QChar c = line[starts[p] + j];
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return {};
            parts[p] = parts[p] * 10 + (c.unicode() - u'0');
        }
    }
    return QDate(parts[2], parts[1], parts[0]);
}

int readField(QStringView text)
{
    const qint64 v = NumberFormat::readTypedNumber(text);
    return v > 1000000 ? 1000000 : (v < -1000000 ? -1000000 : static_cast<int>(v));
}

int number(QStringView line, int k)
{
    const qsizetype start = 3 * k + 8;
    if (start >= line.size())
        return 0;
    // Two digits, by far the usual field, need no general number reading.
    if (start + 1 < line.size()) {
        const char16_t a = line[start].unicode(), b = line[start + 1].unicode();
        if (a >= u'0' && a <= u'9' && b >= u'0' && b <= u'9')
            return (a - u'0') * 10 + (b - u'0');
    }
    return readField(line.mid(start, 2));
}

bool isMiddayByChar(QStringView line)
{
    // The first letter of the twenty-of-seventy line's slot word.
    constexpr qsizetype at = kLength - 4;
    return line.size() > at && line[at] == QLatin1Char('m');
}

int slotIndex(QStringView line, const Formula& formula)
{
    const qsizetype at = formula.lineLength() - 4;
    if (at < line.size())
        for (int i = 0; i < formula.slotCount(); ++i)
            if (line[at] == formula.drawSlots[static_cast<size_t>(i)].word.front())
                return i;
    return formula.slotCount() - 1;
}

bool endsWithSoir(QStringView line)
{
    return line.endsWith(QLatin1String("soir"));
}

bool endsWithSpaceMidi(QStringView line)
{
    return line.endsWith(QLatin1String(" midi"));
}

QString build(const QString& dateText, const Numbers& numbers, const QString& slot)
{
    QString line = dateText;
    line.reserve(dateText.size() + 3 * numbers.count + 1 + slot.size());
    for (int n : numbers)
        line += NumberFormat::apply(n, u" 00");
    line += QLatin1Char(' ');
    line += slot;
    return line;
}

QString build(const QDate& date, const Numbers& numbers, bool midday)
{
    return build(DateText::format(date), numbers, midday ? QStringLiteral("midi") : QStringLiteral("soir"));
}

QString normalize(QString line)
{
    line.replace(QLatin1Char(';'), QLatin1Char(' '));
    return line;
}

namespace {

QString gameLabel(const Formula& formula)
{
    return QStringLiteral("Keno ") + formula.shortLabel();
}

// The checks of a line of the right length.
std::optional<QString> fieldProblem(QStringView line, const Formula& formula)
{
    if (!date(line).isValid())
        return QStringLiteral("date « %1 » invalide").arg(line.left(10));
    std::array<bool, Formula::kMaxNumber + 1> seen{};
    for (int k = 1; k <= formula.drawn; ++k) {
        const QStringView field = line.mid(3 * k + 8, 2);
        // Readers accept a leading blank in place of the leading zero.
        const bool firstOk = field[0].isDigit() || field[0] == QLatin1Char(' ');
        if (line[3 * k + 7] != QLatin1Char(' ') || !firstOk || !field[1].isDigit())
            return QStringLiteral("numéro %1 « %2 » illisible").arg(k).arg(field);
        const int n = number(line, k);
        if (n < 1 || n > formula.numbers)
            return QStringLiteral("numéro %1 hors de 1 à %2 (%3)").arg(k).arg(formula.numbers).arg(n);
        if (seen[static_cast<size_t>(n)])
            return QStringLiteral("numéro %1 en double").arg(n);
        seen[static_cast<size_t>(n)] = true;
    }
    const QStringView slot = line.right(5);
    if (slot[0] != QLatin1Char(' ') || formula.slotIndex(slot.mid(1)) < 0) {
        QStringList words;
        for (const DrawSlot& s : formula.drawSlots)
            words << s.word;
        return QStringLiteral("tirage « %1 » au lieu de %2").arg(slot.trimmed(), words.join(QStringLiteral(" ou ")));
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> problem(QStringView line, const Formula& formula)
{
    if (line.size() == formula.lineLength())
        return fieldProblem(line, formula);
    // A draw of the other game is no garbage: it belongs to the other history.
    for (FormulaId id : Formula::all()) {
        const Formula& other = Formula::get(id);
        if (id != formula.id && line.size() == other.lineLength() && !fieldProblem(line, other))
            return QStringLiteral("tirage du %1, pas du %2").arg(gameLabel(other), gameLabel(formula));
    }
    return QStringLiteral("longueur %1 au lieu de %2 caractères").arg(line.size()).arg(formula.lineLength());
}

} // namespace DrawLine
