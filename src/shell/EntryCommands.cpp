// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/EntryCommands.h"

#include "acquire/ManualEntry.h"
#include "history/DrawLine.h"
#include "history/MultiplierFile.h"
#include "output/Report.h"
#include "shell/GridCommands.h"
#include "shell/History.h"
#include "shell/HistoryCommands.h"
#include "shell/ListCommands.h"
#include "shell/ReportArea.h"
#include "shell/ReportSteps.h"
#include "shell/StateChanges.h"
#include "shell/Study.h"
#include "shell/WindowFields.h"

#include <variant>

void EntryCommands::doubleClickListe()
{
    History& s = m_draws;
    s.setEditOldest(false);
    m_grid.untickAll();
    const int count = s.itemCount();
    const int item = s.selected() < 1 ? 1 : s.selected();
    if (s.selected() < count - 1 && item < count) {
        const QString line = s.lineText(item);
        for (int k = 1; k <= s.game().drawn; ++k)
            m_grid.setCheck(DrawLine::number(line, k), true);
    }
}

void EntryCommands::chooseOldestDraw()
{
    History& s = m_draws;
    if (s.itemCount() < 2 || s.origin() == ListOrigin::Filtered)
        return;
    m_grid.untickAll();
    const QString oldest = s.lineText(0);
    for (int k = 1; k <= s.game().drawn; ++k)
        m_grid.setCheck(DrawLine::number(oldest, k), true);
    s.setEditOldest(true);
    m_window.oldestOpened(oldest.left(10), s.multiplierOf(0));
    m_changes.changed(StatePart::EntryPart);
}

namespace {

CommandOutcome multiplierRefusal(int multiplier)
{
    return CommandOutcome::refused(
        QStringLiteral("Le multiplicateur x%1 n'existe pas : il va de x%2 à x%3. Ce tirage n'a pas été enregistré.")
            .arg(multiplier)
            .arg(MultiplierFile::kLeast)
            .arg(MultiplierFile::kMost));
}

} // namespace

std::variant<ManualEntry::Slot, CommandOutcome> EntryCommands::entrySlot(int i) const
{
    const History& s = m_draws;
    if (s.editingOldest()) {
        if (const auto slot = ManualEntry::own(s.lineText(0)))
            return *slot;
        return CommandOutcome::refused(QStringLiteral("Le premier tirage n'a pas de date valide : il ne peut pas être corrigé."));
    }
    if (const auto slot = ManualEntry::after(s.lineText(i - 1), s.game())) {
        // A game that has ended has no next draw.
        if (!s.game().ranOn(QDate::fromString(slot->dateText, QStringLiteral("dd/MM/yyyy"))))
            return CommandOutcome::refused(QStringLiteral("Le Keno %1 a pris fin le %2 : ce tirage n'a pas été enregistré. "
                                                          "Le jeu d'aujourd'hui est « %3 », dans le menu Jeu.")
                                               .arg(s.game().shortLabel(),
                                                    s.game().lastDay.toString(QStringLiteral("dd/MM/yyyy")),
                                                    Formula::current().name));
        return *slot;
    }
    return CommandOutcome::refused(i >= 1 ? QStringLiteral("Le tirage précédent (ligne %1) ne commence pas par une date valide : "
                                                           "le tirage n'a pas été enregistré.")
                                                .arg(i)
                                          : QStringLiteral("Aucun tirage précédent : la date du tirage ne peut pas être "
                                                           "déterminée. Chargez d'abord l'historique."));
}

CommandOutcome EntryCommands::validateEntry()
{
    History& s = m_draws;
    // The button is offered with the game's count of numbers ticked and a line chosen only.
    if (m_grid.chosenNumbers().size() != s.game().drawn)
        return CommandOutcome::refused(QString());
    if (const auto refusal = m_history.entryRefusal())
        return CommandOutcome::refused(*refusal);
    const int count = s.itemCount();
    const int i = s.editingOldest() ? 0 : s.selected();
    if (i < 0 || i >= count)
        return CommandOutcome::refused(QString());
    const bool adding = i == count - 1;

    const auto slotOrRefusal = entrySlot(i);
    if (const auto* refused = std::get_if<CommandOutcome>(&slotOrRefusal))
        return *refused;
    const ManualEntry::Slot* slot = std::get_if<ManualEntry::Slot>(&slotOrRefusal);
    if (const int multiplier = m_window.entry().multiplier; multiplier != 0 && !MultiplierFile::allowed(multiplier))
        return multiplierRefusal(multiplier);
    const QString numberText = ManualEntry::numbersText(m_grid.checks());
    m_window.drawEntered(slot->dateText, numberText);
    const QString line = slot->dateText + numberText + slot->slot;
    s.enterDraw(i, line, m_grid.checks());
    keepMultiplier(line);
    m_changes.changed(StatePart::ListPart | StatePart::EntryPart);
    m_grid.untickAll();
    CommandOutcome shown;
    if (adding) {
        shown = m_list.selectItem(count);
        m_study.endAt(s.itemCount() - 2);
    }
    const int newCount = s.itemCount();
    m_area.showResultat();
    m_grid.disableOk();
    m_criteria.updateAfterEntry(newCount);
    m_window.entryDone();
    m_changes.changed(StatePart::GridPart | StatePart::CriteriaPart | StatePart::EntryPart);
    if (newCount > s.savedLineCount())
        shown.then(m_history.sauve());
    return shown;
}

void EntryCommands::keepMultiplier(const QString& line)
{
    QDate day;
    int slot = 0;
    if (!MultiplierFile::keyOfLine(line, &day, &slot))
        return;
    // The field showed the draw's own multiplier: "—" chosen over it takes it away.
    Multipliers& values = m_draws.multipliers();
    const EntryFields& entry = m_window.entry();
    if (entry.multiplier != 0)
        values.set(day, slot, entry.multiplier);
    else if (entry.shownMultiplier != 0)
        values.remove(day, slot);
    m_window.multiplierKept(values.of(day, slot).value_or(0));
}

void EntryCommands::setMultiplier(int multiplier)
{
    m_window.setMultiplier(multiplier);
    m_changes.changed(StatePart::EntryPart);
}

void EntryCommands::effacer()
{
    Report report = Report::keptTitle(QString());
    report.resultat = ReportList::cleared();
    report.resultat2 = ReportList::cleared();
    (void)m_steps.show(report); // no export step: nothing to tell
    m_grid.untickAll();
}

void EntryCommands::clickResultat(int index)
{
    History& s = m_draws;
    const ResultList& resultat = m_area.model().resultat;
    std::optional<int> position;
    std::optional<QString> drawLine;
    // Only a line that starts with a date is a draw of the study.
    if (index >= 0 && index < resultat.count()) {
        const QString& item = resultat.lines[index];
        if (item.size() > 2 && item[2] == QLatin1Char('/')) {
            position = index;
            const int draw = m_study.period().first + index;
            if (draw >= 0 && draw < s.itemCount())
                drawLine = s.lineText(draw);
        }
    }
    m_window.resultClicked(position, drawLine);
    m_changes.changed(StatePart::CountersPart | StatePart::EntryPart);
}
