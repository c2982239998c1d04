// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CalendarFilterWindow.h"

#include "gui/DateField.h"
#include "history/CalendarFilter.h"

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

QDateEdit* makeDateEdit(QWidget* parent, const QString& name, const QString& tip)
{
    auto* edit = new DateField(parent);
    edit->setObjectName(name);
    edit->setToolTip(tip);
    edit->setCalendarPopup(true);
    edit->setMinimumDate(CalendarFilter::earliestDate());
    return edit;
}

} // namespace

CalendarFilterWindow::CalendarFilterWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmJours"));
    setWindowTitle(QStringLiteral("Jours sélectionnés"));
    // The calendar's month and day names in French, whatever the system's language.
    setLocale(QLocale(QLocale::French, QLocale::France));

    static const char16_t* const dayNames[] = {u"Dimanche", u"Lundi", u"Mardi", u"Mercredi", u"Jeudi", u"Vendredi", u"Samedi"};
    static const char16_t* const monthNames[] = {u"Janvier", u"Fevrier", u"Mars",      u"Avril",   u"Mai",      u"Juin",
                                                 u"Juillet", u"Aout",    u"Septembre", u"Octobre", u"Novembre", u"Decembre"};

    auto* daysFrame = new QGroupBox(this);
    auto* daysLayout = new QVBoxLayout(daysFrame);
    m_allDays = makeBox(daysFrame, QStringLiteral("Jour0"), QStringLiteral("Tous les jours"), QString());
    daysLayout->addWidget(m_allDays);
    for (int d = 1; d <= 7; ++d) {
        m_weekdays[d] = makeBox(daysFrame, QStringLiteral("Check1_%1").arg(d), QString::fromUtf16(dayNames[d - 1]),
                                QStringLiteral("Choisissez au moins 1 jours"));
        daysLayout->addWidget(m_weekdays[d]);
    }
    daysLayout->addStretch();

    auto* monthsFrame = new QGroupBox(this);
    auto* monthsLayout = new QGridLayout(monthsFrame);
    m_allMonths = makeBox(monthsFrame, QStringLiteral("tsmois"), QStringLiteral("Tous les mois"), QString());
    monthsLayout->addWidget(m_allMonths, 0, 0, 1, 2);
    for (int m = 1; m <= 12; ++m) {
        m_months[m] = makeBox(monthsFrame, QStringLiteral("Mois%1").arg(m), QString::fromUtf16(monthNames[m - 1]),
                              QStringLiteral("Choisissez au moins 1 mois"));
        // Two columns, January to June on the left.
        monthsLayout->addWidget(m_months[m], 1 + (m - 1) % 6, (m - 1) / 6);
    }

    auto* timesFrame = new QGroupBox(this);
    auto* timesLayout = new QVBoxLayout(timesFrame);
    const QString timeTip = QStringLiteral("Choisissez au moins 1 heure");
    m_times[1] = makeBox(timesFrame, QStringLiteral("CkHeure1"), QStringLiteral("13 h 45"), timeTip);
    m_times[2] = makeBox(timesFrame, QStringLiteral("CkHeure2"), QStringLiteral("21 h 00"), timeTip);
    timesLayout->addWidget(m_times[1]);
    timesLayout->addWidget(m_times[2]);
    timesLayout->addStretch();

    auto* datesFrame = new QGroupBox(this);
    auto* datesLayout = new QGridLayout(datesFrame);
    auto* du = new QLabel(QStringLiteral("Du"), datesFrame);
    du->setObjectName(QStringLiteral("lblDu"));
    auto* au = new QLabel(QStringLiteral("Au"), datesFrame);
    au->setObjectName(QStringLiteral("lblAu"));
    m_from = makeDateEdit(datesFrame, QStringLiteral("DTPDebut"), QStringLiteral("Date de debut des calculs "));
    m_from->setDate(CalendarFilter::earliestDate());
    m_to = makeDateEdit(datesFrame, QStringLiteral("DTPFin"), QStringLiteral("Date de fin des calculs"));
    m_to->setDate(QDate::currentDate());
    du->setBuddy(m_from);
    au->setBuddy(m_to);
    datesLayout->addWidget(du, 0, 0);
    datesLayout->addWidget(m_from, 0, 1);
    datesLayout->addWidget(au, 1, 0);
    datesLayout->addWidget(m_to, 1, 1);
    datesLayout->setRowStretch(2, 1);

    auto* note = new QLabel(
        QStringLiteral("Il faut cocher au moins un mois, une journée et une heure pour calculer les sorties et ecarts"), this);
    note->setObjectName(QStringLiteral("Label3"));
    note->setWordWrap(true);

    m_validate = new QPushButton(QStringLiteral("Valider"), this);
    m_validate->setObjectName(QStringLiteral("Ferme"));
    m_validate->setDefault(true);

    auto* right = new QVBoxLayout;
    right->addWidget(timesFrame);
    right->addWidget(datesFrame);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(daysFrame);
    boxes->addWidget(monthsFrame);
    boxes->addLayout(right);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(note, 1);
    buttons->addWidget(m_validate, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addLayout(buttons);

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
    connect(m_validate, &QPushButton::clicked, this, &QDialog::accept);
}

void CalendarFilterWindow::load(const CalendarFilter& filter)
{
    m_allDays->setChecked(false);
    m_allMonths->setChecked(false);
    for (int d = 1; d <= 7; ++d)
        m_weekdays[d]->setChecked(filter.weekdays[d]);
    for (int m = 1; m <= 12; ++m)
        m_months[m]->setChecked(filter.months[m]);
    for (int t = 1; t <= 2; ++t)
        m_times[t]->setChecked(filter.times[t]);
    m_from->setDate(filter.from.isValid() ? filter.from : CalendarFilter::earliestDate());
    m_to->setDate(filter.to.isValid() ? filter.to : QDate::currentDate());
}

void CalendarFilterWindow::store(CalendarFilter& filter) const
{
    for (int d = 1; d <= 7; ++d)
        filter.weekdays[d] = m_weekdays[d]->isChecked();
    for (int m = 1; m <= 12; ++m)
        filter.months[m] = m_months[m]->isChecked();
    for (int t = 1; t <= 2; ++t)
        filter.times[t] = m_times[t]->isChecked();
    filter.from = m_from->date();
    filter.to = m_to->date();
}

bool CalendarFilterWindow::edit(CalendarFilter& filter, QWidget* parent)
{
    CalendarFilterWindow window(parent);
    window.load(filter);
    if (window.exec() != QDialog::Accepted)
        return false;
    window.store(filter);
    return true;
}
