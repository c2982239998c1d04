#include "history/DrawLine.h"

#include "output/NumberFormat.h"

#include <QSet>

namespace DrawLine {

QDate date(QStringView line)
{
    return QDate::fromString(line.left(10).toString(), QStringLiteral("dd/MM/yyyy"));
}

QString dateText(QStringView line)
{
    return line.left(10).toString();
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
    return build(date.toString(QStringLiteral("dd/MM/yyyy")), numbers,
                 midday ? QStringLiteral("midi") : QStringLiteral("soir"));
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
    QSet<int> seen;
    for (int k = 1; k <= kNumbers; ++k) {
        const QStringView field = line.mid(3 * k + 8, 2);
        if (line[3 * k + 7] != QLatin1Char(' ') || !field[0].isDigit() || !field[1].isDigit())
            return QStringLiteral("numéro %1 « %2 » illisible").arg(k).arg(field);
        const int n = number(line, k);
        if (n < 1 || n > 70)
            return QStringLiteral("numéro %1 hors de 1 à 70 (%2)").arg(k).arg(n);
        if (seen.contains(n))
            return QStringLiteral("numéro %1 en double").arg(n);
        seen.insert(n);
    }
    const QStringView slot = line.right(5);
    if (slot != QLatin1String(" midi") && slot != QLatin1String(" soir"))
        return QStringLiteral("tirage « %1 » au lieu de midi ou soir").arg(slot.trimmed());
    return std::nullopt;
}

} // namespace DrawLine
