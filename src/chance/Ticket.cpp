// SPDX-License-Identifier: GPL-3.0-or-later
#include "chance/Ticket.h"

#include "history/DateText.h"

#include <algorithm>

QString DrawTime::text(const Formula& formula) const
{
    const QString date = DateText::format(day);
    if (formula.slotCount() < 2 || slot < 0 || slot >= formula.slotCount())
        return date;
    return date + QLatin1Char(' ') + formula.drawSlots[static_cast<size_t>(slot)].word;
}

DrawTime DrawTime::next(const Formula& formula, const DrawTime& newest, const QDateTime& now)
{
    QDate day = now.date();
    if (newest.isValid() && newest.day > day)
        day = newest.day;
    // Every draw of the day after is later than both the newest draw and the clock.
    for (int days = 0; days < 2 && day.isValid(); ++days, day = day.addDays(1))
        for (int slot = 0; slot < formula.slotCount(); ++slot) {
            const DrawSlot& s = formula.drawSlots[static_cast<size_t>(slot)];
            const DrawTime time{day, slot};
            if (time.key() > newest.key() && QDateTime(day, QTime(s.hour, s.minute)) > now)
                return time;
        }
    return {};
}

bool Ticket::playedAt(const DrawTime& time) const
{
    if (time.key() < first.key())
        return false;
    return isOpen() || time.key() <= last.key();
}

QString Ticket::fault() const
{
    const Formula& f = game();
    if (name.trimmed().isEmpty())
        return QStringLiteral("la grille n'a pas de nom");
    if (name.contains(QLatin1Char(';')) || name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r')))
        return QStringLiteral("le nom « %1 » ne peut contenir ni « ; » ni retour à la ligne").arg(name);
    if (size() < f.minTicked || size() > f.maxTicked)
        return QStringLiteral("une grille du %1 a de %2 à %3 numéros, pas %4")
            .arg(f.name)
            .arg(f.minTicked)
            .arg(f.maxTicked)
            .arg(size());
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (numbers[i] < 1 || numbers[i] > f.numbers)
            return QStringLiteral("%1 n'est pas un numéro de 1 à %2").arg(numbers[i]).arg(f.numbers);
        if (i > 0 && numbers[i] <= numbers[i - 1])
            return QStringLiteral("les numéros doivent être distincts et croissants");
    }
    if (!Stake::allowed(stake.euros))
        return QStringLiteral("une mise de %1 € n'est pas possible (1, 2, 3, 5 ou 10 €)").arg(stake.euros);
    if (!first.isValid())
        return QStringLiteral("la grille n'a pas de premier tirage joué");
    if (!f.ranOn(first.day) && first.day > f.firstDay)
        return QStringLiteral("le %1 n'est plus tiré après le %2").arg(f.name, f.lastDay.toString(QStringLiteral("dd/MM/yyyy")));
    const auto knownSlot = [&f](const DrawTime& t) { return t.slot >= 0 && t.slot < f.slotCount(); };
    if (!knownSlot(first) || (!isOpen() && !knownSlot(last)))
        return QStringLiteral("le %1 n'a pas ce tirage dans la journée").arg(f.shortName);
    if (!isOpen() && last.key() < first.key())
        return QStringLiteral("le dernier tirage joué précède le premier");
    return {};
}

QString Ticket::numbersText() const
{
    QStringList parts;
    for (int n : numbers)
        parts << QString::number(n);
    return parts.join(QLatin1Char(' '));
}
