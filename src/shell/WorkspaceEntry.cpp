// The number grid, manual entry and correction of draws, and the calendar filter.
#include "shell/Workspace.h"

#include "history/DrawLine.h"
#include "output/NumberFormat.h"
#include "shell/UserInterface.h"

#include <algorithm>

namespace {
const QString kAppTitle = QStringLiteral("Tiravol");
}

// ---------------------------------------------------------------- grid

void Workspace::boxUpdate()
{
    m_counters.label2 = QStringLiteral("Nombre de numéros");
    const auto count = std::count(m_checks.begin() + 1, m_checks.end(), true);
    m_counters.text1 = QString::number(count);
    if (count == 20) {
        m_okEnabled = true;
        m_annulerEnabled = true;
    } else {
        m_okEnabled = false;
    }
    emitChanged(GridPart | CountersPart);
}

void Workspace::setCheck(int number, bool ticked)
{
    if (number < 1 || number > 70 || m_checks[static_cast<size_t>(number)] == ticked)
        return; // like a check box, only a change of value raises the update
    m_checks[static_cast<size_t>(number)] = ticked;
    boxUpdate();
}

void Workspace::untickAll()
{
    for (int n = 1; n <= 70; ++n)
        setCheck(n, false);
}

void Workspace::toutCocher()
{
    for (int n = 1; n <= 70; ++n)
        setCheck(n, true);
}

QList<int> Workspace::chosenNumbers() const
{
    QList<int> numbers;
    for (int n = 1; n <= 70; ++n)
        if (m_checks[static_cast<size_t>(n)])
            numbers << n;
    return numbers;
}

void Workspace::reperage()
{
    if (m_report.resultat.count() == 0)
        return;
    for (ResultList* list : {&m_report.resultat, &m_report.resultat2}) {
        for (int i = 1; i < list->count(); ++i) {
            const qint64 n = NumberFormat::readTypedNumber(QStringView(list->lines[i]).left(2));
            // Lines that read as 0 or outside 1..70 (group counts) keep their selection.
            if (n >= 1 && n <= 70)
                list->setSelected(i, m_checks[static_cast<size_t>(n)]);
        }
    }
    emitChanged(ReportPart);
}

// ---------------------------------------------------------------- manual entry

void Workspace::doubleClickListe()
{
    m_editOldest = false;
    untickAll();
    const int count = static_cast<int>(m_liste.size());
    const int item = m_selected < 1 ? 1 : m_selected;
    if (m_selected < count - 1 && item < count) {
        const QString& line = m_liste[item];
        for (int k = 1; k <= DrawLine::kNumbers; ++k)
            setCheck(DrawLine::number(line, k), true);
    }
}

void Workspace::chooseOldestDraw()
{
    if (m_liste.size() < 2 || m_origin == ListOrigin::Filtered)
        return;
    untickAll();
    for (int k = 1; k <= DrawLine::kNumbers; ++k)
        setCheck(DrawLine::number(m_liste[0], k), true);
    m_editOldest = true;
    m_entry.info = QStringLiteral("Modifier le tirage");
    m_entry.affichage = QStringLiteral("Tirage Numéro 1");
    m_entry.dat = m_liste[0].left(10);
    emitChanged(EntryPart);
}

void Workspace::validateEntry()
{
    const QList<int> numbers = chosenNumbers();
    if (numbers.size() != DrawLine::kNumbers)
        return;
    if (m_origin == ListOrigin::Filtered) {
        // The line above a filtered draw is not its neighbour in the history: dates would be wrong.
        m_ui->message(QStringLiteral("Un filtre de période est actif : la saisie et la correction des tirages se font sur la "
                                     "liste complète. Rechargez-la avec « Tous les tirages » ou « Charge Manuelle »."),
                      kAppTitle);
        return;
    }
    const int count = static_cast<int>(m_liste.size());
    const int i = m_editOldest ? 0 : m_selected;
    if (i < 0 || i >= count)
        return;
    const bool adding = i == count - 1;

    QString dateText, slot;
    if (m_editOldest) {
        // The oldest draw has no line above it: it keeps its own date and slot.
        if (!DrawLine::date(m_liste[0]).isValid()) {
            m_ui->message(QStringLiteral("Le premier tirage n'a pas de date valide : il ne peut pas être corrigé."), kAppTitle);
            return;
        }
        dateText = m_liste[0].left(10);
        slot = DrawLine::endsWithSoir(m_liste[0]) ? QStringLiteral(" soir") : QStringLiteral(" midi");
    } else {
        const QString p = i >= 1 ? m_liste[i - 1] : QString();
        QDate date = DrawLine::date(p);
        if (!date.isValid()) {
            m_ui->message(i >= 1
                              ? QStringLiteral("Le tirage précédent (ligne %1) ne commence pas par une date valide : le tirage "
                                               "n'a pas été enregistré.")
                                    .arg(i)
                              : QStringLiteral("Aucun tirage précédent : la date du tirage ne peut pas être déterminée. "
                                               "Chargez d'abord l'historique."),
                          kAppTitle);
            return;
        }
        if (DrawLine::endsWithSoir(p))
            date = date.addDays(1);
        slot = DrawLine::endsWithSpaceMidi(p) ? QStringLiteral(" soir") : QStringLiteral(" midi");
        dateText = date.toString(QStringLiteral("dd/MM/yyyy"));
    }

    m_matrix.resize(adding ? count + 2 : count + 1);
    QString numberText;
    for (int n = 1; n <= 70; ++n) {
        const bool ticked = m_checks[static_cast<size_t>(n)];
        if (ticked)
            numberText += NumberFormat::apply(n, u" 00");
        m_matrix.set(n, i, ticked);
    }
    m_matrix.set(0, i, false);
    m_entry.dat = dateText;
    m_entry.affichage = dateText + QLatin1Char(' ') + numberText;
    m_liste[i] = dateText + numberText + slot;
    m_editOldest = false;
    emitChanged(ListPart | EntryPart);
    untickAll();
    if (adding) {
        m_liste << QString();
        selectItem(count);
        m_period.last = static_cast<int>(m_liste.size()) - 2;
    }
    const int newCount = static_cast<int>(m_liste.size());
    m_report.resultat.visible = true;
    m_okEnabled = false;
    m_criteria[3].setMaximum(newCount + 1);
    m_criteria[3].setValue(newCount);
    m_criteria[11].setMaximum(m_criteria[11].maximum + 1);
    m_entry.info = QStringLiteral("Gagnez au Kéno !");
    emitChanged(ReportPart | GridPart | CriteriaPart | EntryPart);
    if (newCount > m_savedLineCount)
        sauve();
}

void Workspace::effacer()
{
    m_report.resultat.clear();
    m_report.resultat2.clear();
    emitChanged(ReportPart);
    untickAll();
}

void Workspace::clickResultat(int index)
{
    m_counters.label2 = QStringLiteral("Tirage numéro ");
    if (index >= 0 && index < m_report.resultat.count()) {
        const QString& item = m_report.resultat.lines[index];
        if (item.size() > 2 && item[2] == QLatin1Char('/')) {
            m_counters.text1 = QString::number(index + 1);
            const int draw = m_period.first + index;
            if (draw >= 0 && draw < m_liste.size())
                m_entry.affichage = m_liste[draw];
        }
    }
    emitChanged(CountersPart | EntryPart);
}

// ---------------------------------------------------------------- calendar filter

void Workspace::periodeEtude()
{
    m_liste.clear();
    charge();
    const Counters wholeHistory = m_counters;
    const bool fromBase = m_baseDerived;

    m_filter.untickAll();
    const QStringList complete = m_liste;
    m_liste.clear();
    if (complete.size() >= 2)
        m_filter.presetNextDraw(complete[complete.size() - 2]);
    m_filter.to = m_ui->today();
    if (!m_ui->editCalendarFilter(m_filter)) {
        // Closing the window acts as a cancel; the next use starts from a new window.
        m_filter = CalendarFilter{};
        m_filter.to = m_ui->today();
        m_filter.untickAll();
    }

    QStringList kept;
    for (qsizetype k = 0; k + 1 < complete.size(); ++k)
        if (m_filter.keeps(complete[k]))
            kept << complete[k];

    if (kept.isEmpty()) {
        charge();
        return;
    }
    m_hiddenHistory = complete.mid(0, complete.size() - 1);
    m_origin = ListOrigin::Filtered;
    m_baseDerived = fromBase;
    m_liste = kept;
    m_liste << QString();
    selectItem(static_cast<int>(m_liste.size()) - 1);
    m_counters.text1 = QString::number(m_selected);
    m_matrix.rebuild(m_liste);
    m_statsValid = false;
    m_period.first = 0;
    m_period.last = static_cast<int>(m_liste.size()) - 2;
    calcul();
    srti();
    calcul();
    // The counters keep describing the whole history.
    m_counters.nb = wholeHistory.nb;
    m_counters.prem = wholeHistory.prem;
    m_counters.dern = wholeHistory.dern;
    emitChanged(ListPart | CountersPart);
}
