// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/WindowFields.h"

#include "history/DateText.h"
#include "history/DrawLine.h"

void WindowFields::historyLoaded(int draws, const QString& first, const QString& last)
{
    m_counters.text1 = QString::number(draws);
    m_counters.label2 = QStringLiteral("Nombre de tirages : ");
    m_counters.nb = QString::number(draws);
    m_counters.dern = last;
    m_counters.prem = first;
}

void WindowFields::drawsCounted(int draws)
{
    m_counters.text1 = QString::number(draws);
}

void WindowFields::studyStarts(const QString& date)
{
    m_counters.prem = date;
}

void WindowFields::itemSelected(int selected, bool last, const QString& previousDate, int studied, int multiplier)
{
    m_entry.multiplier = m_entry.shownMultiplier = multiplier;
    // A new draw is proposed for the day after the one above.
    const QDate before = DrawLine::date(previousDate);
    m_entry.dat = before.isValid() ? DateText::format(before.addDays(1)) : QString();
    m_counters.dern = previousDate;
    m_counters.nb = QString::number(studied);
    m_entry.info = last ? QStringLiteral("Ajouter un tirage") : QStringLiteral("Modifier le tirage");
    m_entry.affichage = QStringLiteral("Tirage Numéro ") + QString::number(selected + 1);
}

void WindowFields::filterShown(int selected, const Counters& whole)
{
    m_counters.text1 = QString::number(selected);
    m_counters.nb = whole.nb;
    m_counters.prem = whole.prem;
    m_counters.dern = whole.dern;
}

void WindowFields::oldestOpened(const QString& date, int multiplier)
{
    m_entry.multiplier = m_entry.shownMultiplier = multiplier;
    m_entry.info = QStringLiteral("Modifier le tirage");
    m_entry.affichage = QStringLiteral("Tirage Numéro 1");
    m_entry.dat = date;
}

void WindowFields::drawEntered(const QString& date, const QString& numbers)
{
    m_entry.dat = date;
    m_entry.affichage = date + QLatin1Char(' ') + numbers;
}

void WindowFields::entryDone()
{
    m_entry.info = QStringLiteral("Gagnez au Kéno !");
}

void WindowFields::resultClicked(std::optional<int> position, const std::optional<QString>& draw)
{
    m_counters.label2 = QStringLiteral("Tirage numéro ");
    if (position)
        m_counters.text1 = QString::number(*position + 1);
    if (draw)
        m_entry.affichage = *draw;
}

void WindowFields::tickedCounted(int count)
{
    m_counters.label2 = QStringLiteral("Nombre de numéros");
    m_counters.text1 = QString::number(count);
}

void WindowFields::proposeDate(const QString& date)
{
    m_entry.dat = date;
}

void WindowFields::showDrawLine(const QString& line)
{
    m_entry.affichage = line;
}
