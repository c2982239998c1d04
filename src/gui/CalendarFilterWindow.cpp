// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CalendarFilterWindow.h"

#include "gui/DateField.h"
#include "history/CalendarFilter.h"
#include "history/Formula.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QCheckBox* makeBox(QWidget* parent, const QString& name, const QString& caption, const QString& tip)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    if (!tip.isEmpty())
        box->setToolTip(tip);
    return box;
}

QDateEdit* makeDateEdit(QWidget* parent, const QString& name, const QString& tip, const QDate& firstDay)
{
    auto* edit = new DateField(parent);
    edit->setObjectName(name);
    edit->setToolTip(tip);
    edit->setCalendarPopup(true);
    edit->setMinimumDate(firstDay);
    return edit;
}

// The filter keeps the midday draws under time 1 and the evening ones under time 2.
size_t filterTime(const DrawSlot& slot)
{
    return slot.word == QLatin1String("midi") ? 1 : 2;
}

} // namespace

CalendarFilterWindow::CalendarFilterWindow(QWidget* parent) : CalendarFilterWindow(Formula::classic(), parent) { }

CalendarFilterWindow::CalendarFilterWindow(const Formula& formula, QWidget* parent)
    : QDialog(parent), m_firstDay(formula.firstDay)
{
    setObjectName(QStringLiteral("frmJours"));
    setWindowTitle(QStringLiteral("Jours sélectionnés"));
    // The calendar's month and day names in French, whatever the system's language.
    setLocale(QLocale(QLocale::French, QLocale::France));

    auto* right = new QVBoxLayout;
    right->addWidget(buildTimes(formula));
    right->addWidget(buildDates());

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(buildDays());
    boxes->addWidget(buildMonths());
    boxes->addLayout(right);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addLayout(buildButtons());
    connectAllBoxes();
}

QGroupBox* CalendarFilterWindow::buildDays()
{
    static const char16_t* const dayNames[] = {u"Dimanche", u"Lundi", u"Mardi", u"Mercredi", u"Jeudi", u"Vendredi", u"Samedi"};
    auto* frame = new QGroupBox(this);
    auto* layout = new QVBoxLayout(frame);
    m_allDays = makeBox(frame, QStringLiteral("Jour0"), QStringLiteral("Tous les jours"), QString());
    layout->addWidget(m_allDays);
    for (int d = 1; d <= 7; ++d) {
        m_weekdays[d] = makeBox(frame, QStringLiteral("Check1_%1").arg(d), QString::fromUtf16(dayNames[d - 1]),
                                QStringLiteral("Choisissez au moins 1 jours"));
        layout->addWidget(m_weekdays[d]);
    }
    layout->addStretch();
    return frame;
}

QGroupBox* CalendarFilterWindow::buildMonths()
{
    static const char16_t* const monthNames[] = {u"Janvier", u"Fevrier", u"Mars",      u"Avril",   u"Mai",      u"Juin",
                                                 u"Juillet", u"Aout",    u"Septembre", u"Octobre", u"Novembre", u"Decembre"};
    auto* frame = new QGroupBox(this);
    auto* layout = new QGridLayout(frame);
    m_allMonths = makeBox(frame, QStringLiteral("tsmois"), QStringLiteral("Tous les mois"), QString());
    layout->addWidget(m_allMonths, 0, 0, 1, 2);
    for (int m = 1; m <= 12; ++m) {
        m_months[m] = makeBox(frame, QStringLiteral("Mois%1").arg(m), QString::fromUtf16(monthNames[m - 1]),
                              QStringLiteral("Choisissez au moins 1 mois"));
        // Two columns, January to June on the left.
        layout->addWidget(m_months[m], 1 + (m - 1) % 6, (m - 1) / 6);
    }
    return frame;
}

// One box per draw of the day, in the day's order; each writes the filter's time of its slot.
QGroupBox* CalendarFilterWindow::buildTimes(const Formula& formula)
{
    auto* frame = new QGroupBox(this);
    auto* layout = new QVBoxLayout(frame);
    const QString tip = QStringLiteral("Choisissez au moins 1 heure");
    for (const DrawSlot& slot : formula.drawSlots) {
        const size_t t = filterTime(slot);
        const QString caption = QStringLiteral("%1 h %2").arg(slot.hour).arg(slot.minute, 2, 10, QLatin1Char('0'));
        m_times[t] = makeBox(frame, QStringLiteral("CkHeure%1").arg(t), caption, tip);
        layout->addWidget(m_times[t]);
    }
    layout->addStretch();
    return frame;
}

QGroupBox* CalendarFilterWindow::buildDates()
{
    auto* frame = new QGroupBox(this);
    auto* layout = new QGridLayout(frame);
    auto* du = new QLabel(QStringLiteral("Du"), frame);
    du->setObjectName(QStringLiteral("lblDu"));
    auto* au = new QLabel(QStringLiteral("Au"), frame);
    au->setObjectName(QStringLiteral("lblAu"));
    m_from = makeDateEdit(frame, QStringLiteral("DTPDebut"), QStringLiteral("Date de debut des calculs "), m_firstDay);
    m_from->setDate(m_firstDay);
    m_to = makeDateEdit(frame, QStringLiteral("DTPFin"), QStringLiteral("Date de fin des calculs"), m_firstDay);
    m_to->setDate(QDate::currentDate());
    du->setBuddy(m_from);
    au->setBuddy(m_to);
    layout->addWidget(du, 0, 0);
    layout->addWidget(m_from, 0, 1);
    layout->addWidget(au, 1, 0);
    layout->addWidget(m_to, 1, 1);
    layout->setRowStretch(2, 1);
    return frame;
}

QLayout* CalendarFilterWindow::buildButtons()
{
    auto* note = new QLabel(
        QStringLiteral("Il faut cocher au moins un mois, une journée et une heure pour calculer les sorties et ecarts"), this);
    note->setObjectName(QStringLiteral("Label3"));
    note->setWordWrap(true);

    m_validate = new QPushButton(QStringLiteral("Valider"), this);
    m_validate->setObjectName(QStringLiteral("Ferme"));
    m_validate->setDefault(true);
    connect(m_validate, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(note, 1);
    buttons->addWidget(m_validate, 0, Qt::AlignBottom);
    return buttons;
}

void CalendarFilterWindow::connectAllBoxes()
{
    // A click ticks every box of the group whatever the clicked box's own state; unticking it
    // leaves the group alone.
    connect(m_allDays, &QCheckBox::clicked, this, [this] {
        for (int d = 1; d <= 7; ++d)
            m_weekdays[d]->setChecked(true);
    });
    connect(m_allMonths, &QCheckBox::clicked, this, [this] {
        for (int m = 1; m <= 12; ++m)
            m_months[m]->setChecked(true);
    });
}

void CalendarFilterWindow::load(const CalendarFilter& filter)
{
    m_allDays->setChecked(false);
    m_allMonths->setChecked(false);
    for (int d = 1; d <= 7; ++d)
        m_weekdays[d]->setChecked(filter.weekdays[d]);
    for (int m = 1; m <= 12; ++m)
        m_months[m]->setChecked(filter.months[m]);
    for (size_t t = 1; t < m_times.size(); ++t)
        if (m_times[t])
            m_times[t]->setChecked(filter.times[t]);
    m_from->setDate(filter.from.isValid() ? filter.from : m_firstDay);
    m_to->setDate(filter.to.isValid() ? filter.to : QDate::currentDate());
}

void CalendarFilterWindow::store(CalendarFilter& filter) const
{
    for (int d = 1; d <= 7; ++d)
        filter.weekdays[d] = m_weekdays[d]->isChecked();
    for (int m = 1; m <= 12; ++m)
        filter.months[m] = m_months[m]->isChecked();
    for (size_t t = 1; t < m_times.size(); ++t)
        if (m_times[t])
            filter.times[t] = m_times[t]->isChecked();
    filter.from = m_from->date();
    filter.to = m_to->date();
}

bool CalendarFilterWindow::edit(CalendarFilter& filter, QWidget* parent)
{
    return edit(filter, Formula::classic(), parent);
}

bool CalendarFilterWindow::edit(CalendarFilter& filter, const Formula& formula, QWidget* parent)
{
    CalendarFilterWindow window(formula, parent);
    window.load(filter);
    if (window.exec() != QDialog::Accepted)
        return false;
    window.store(filter);
    return true;
}
