// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/TicketsFile.h"

#include "history/DateText.h"
#include "output/TextFile.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <optional>

namespace {

const QString kOption = QStringLiteral("multiplicateur");
constexpr int kFields = 7;

std::optional<std::vector<int>> parseNumbers(const QString& text)
{
    std::vector<int> numbers;
    for (const QString& part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
        numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// One line; the reason it is no ticket in *why.
std::optional<Ticket> parseLine(const QString& line, QString* why)
{
    const QStringList f = line.split(QLatin1Char(';'));
    if (f.size() != kFields) {
        *why = QStringLiteral("%1 champs au lieu de %2").arg(f.size()).arg(kFields);
        return std::nullopt;
    }
    Ticket t;
    t.name = f[0].trimmed();
    const std::optional<FormulaId> game = Formula::fromKey(f[1].trimmed());
    const std::optional<std::vector<int>> numbers = parseNumbers(f[2]);
    bool euros = false;
    t.stake.euros = f[3].trimmed().toInt(&euros);
    t.stake.multiplier = f[4].trimmed() == kOption;
    if (!game || !numbers || !euros || (!t.stake.multiplier && !f[4].trimmed().isEmpty())) {
        *why = QStringLiteral("jeu, numéros, mise ou option illisible");
        return std::nullopt;
    }
    t.formula = *game;
    t.numbers = *numbers;
    t.first = TicketsFile::parseTime(f[5], t.game(), false);
    if (!f[6].trimmed().isEmpty()) {
        t.last = TicketsFile::parseTime(f[6], t.game(), true);
        if (!t.last.isValid()) {
            *why = QStringLiteral("« %1 » n'est pas un tirage").arg(f[6].trimmed());
            return std::nullopt;
        }
    }
    *why = t.fault();
    return why->isEmpty() ? std::optional<Ticket>(t) : std::nullopt;
}

QString timeField(const DrawTime& time, const Formula& formula)
{
    return time.isValid() ? time.text(formula) : QString();
}

} // namespace

DrawTime TicketsFile::parseTime(const QString& text, const Formula& formula, bool lastOfDay)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    DrawTime time;
    if (parts.isEmpty() || parts.size() > 2)
        return time;
    const QDate day = DateText::parse(parts[0]);
    int slot = lastOfDay ? formula.slotCount() - 1 : 0;
    if (parts.size() == 2)
        slot = formula.slotIndex(parts[1]);
    if (!day.isValid() || slot < 0)
        return time;
    return DrawTime{day, slot};
}

TicketsFile TicketsFile::parse(const QByteArray& bytes)
{
    TicketsFile file;
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QString why;
        const std::optional<Ticket> ticket = parseLine(line, &why);
        if (!ticket) {
            file.tickets.clear();
            file.error = QStringLiteral("ligne %1 : %2").arg(i + 1).arg(why);
            return file;
        }
        file.tickets.push_back(*ticket);
    }
    return file;
}

TicketsFile TicketsFile::read(const QString& path)
{
    TicketsFile file;
    QFile in(path);
    if (!in.exists())
        return file;
    QByteArray bytes;
    QString why;
    if (!in.open(QIODevice::ReadOnly))
        why = TextFile::reason(in);
    else if (!TextFile::readToEnd(in, &bytes, &why))
        bytes.clear();
    if (why.isEmpty())
        file = parse(bytes);
    else
        file.error = why;
    if (!file.error.isEmpty())
        file.error
            = QStringLiteral("Les grilles « %1 » ne peuvent pas être lues : %2").arg(QDir::toNativeSeparators(path), file.error);
    return file;
}

QByteArray TicketsFile::serialize(const std::vector<Ticket>& tickets)
{
    QString text = QStringLiteral("# nom;jeu;numéros;mise;option;premier tirage;dernier tirage\n");
    for (const Ticket& t : tickets) {
        QStringList numbers;
        for (int n : t.numbers)
            numbers << QString::number(n);
        const QStringList fields{t.name,
                                 t.game().key,
                                 numbers.join(QLatin1Char(',')),
                                 QString::number(t.stake.euros),
                                 t.stake.multiplier ? kOption : QString(),
                                 timeField(t.first, t.game()),
                                 timeField(t.last, t.game())};
        text += fields.join(QLatin1Char(';')) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

bool TicketsFile::write(const QString& path, const std::vector<Ticket>& tickets, QString* error)
{
    return TextFile::writeAtomic(path, serialize(tickets), error);
}
