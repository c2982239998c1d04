// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DrawLine.h"

#include "history/DateText.h"

#include "output/NumberFormat.h"

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
    return line.size() > 71 && line[71] == QLatin1Char('m');
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
    line.reserve(kLength);
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

std::optional<QString> problem(QStringView line)
{
    if (line.size() != kLength)
        return QStringLiteral("longueur %1 au lieu de 75 caractères").arg(line.size());
    if (!date(line).isValid())
        return QStringLiteral("date « %1 » invalide").arg(line.left(10));
    std::array<bool, 71> seen{};
    for (int k = 1; k <= kNumbers; ++k) {
        const QStringView field = line.mid(3 * k + 8, 2);
        // Readers accept a leading blank in place of the leading zero.
        const bool firstOk = field[0].isDigit() || field[0] == QLatin1Char(' ');
        if (line[3 * k + 7] != QLatin1Char(' ') || !firstOk || !field[1].isDigit())
            return QStringLiteral("numéro %1 « %2 » illisible").arg(k).arg(field);
        const int n = number(line, k);
        if (n < 1 || n > 70)
            return QStringLiteral("numéro %1 hors de 1 à 70 (%2)").arg(k).arg(n);
        if (seen[static_cast<size_t>(n)])
            return QStringLiteral("numéro %1 en double").arg(n);
        seen[static_cast<size_t>(n)] = true;
    }
    const QStringView slot = line.right(5);
    if (slot != QLatin1String(" midi") && slot != QLatin1String(" soir"))
        return QStringLiteral("tirage « %1 » au lieu de midi ou soir").arg(slot.trimmed());
    return std::nullopt;
}

} // namespace DrawLine
