// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/ManualEntry.h"

#include "history/DateText.h"
#include "history/DrawLine.h"
#include "output/NumberFormat.h"

namespace ManualEntry {

std::optional<Slot> after(const QString& previous, const Formula& game)
{
    QDate date = DrawLine::date(previous);
    if (!date.isValid())
        return std::nullopt;
    if (game.slotCount() == 1)
        return Slot{DateText::format(date.addDays(1)), QLatin1Char(' ') + game.drawSlots.front().word};
    if (DrawLine::endsWithSoir(previous))
        date = date.addDays(1);
    return Slot{DateText::format(date),
                DrawLine::endsWithSpaceMidi(previous) ? QStringLiteral(" soir") : QStringLiteral(" midi")};
}

std::optional<Slot> own(const QString& line)
{
    if (!DrawLine::date(line).isValid())
        return std::nullopt;
    return Slot{line.left(10), DrawLine::endsWithSoir(line) ? QStringLiteral(" soir") : QStringLiteral(" midi")};
}

QString numbersText(const std::array<bool, Formula::kMaxNumber + 1>& ticked)
{
    QString text;
    for (int n = 1; n <= Formula::kMaxNumber; ++n)
        if (ticked[static_cast<size_t>(n)])
            text += NumberFormat::apply(n, u" 00");
    return text;
}

} // namespace ManualEntry
