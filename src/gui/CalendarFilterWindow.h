// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDialog>
#include <array>

class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLayout;
class QPushButton;
struct CalendarFilter;
struct Formula;

// The calendar filter window ("Jours sélectionnés"): weekdays, months, draw times and a date
// range. It only edits a CalendarFilter; the Workspace applies it. "Valider" accepts, the close
// box and Escape reject (a cancel). The draw-time boxes and the first date are the game's.
class CalendarFilterWindow : public QDialog {
    Q_OBJECT
public:
    explicit CalendarFilterWindow(QWidget* parent = nullptr);
    CalendarFilterWindow(const Formula& formula, QWidget* parent);

    void load(const CalendarFilter& filter);
    void store(CalendarFilter& filter) const;

    // Shows the window modally on `filter`; writes the boxes back and returns true after
    // "Valider", leaves `filter` alone and returns false when the window was closed.
    static bool edit(CalendarFilter& filter, QWidget* parent);
    static bool edit(CalendarFilter& filter, const Formula& formula, QWidget* parent);

private:
    QGroupBox* buildDays();
    QGroupBox* buildMonths();
    QGroupBox* buildTimes(const Formula& formula);
    QGroupBox* buildDates();
    QLayout* buildButtons();
    void connectAllBoxes();

    QDate m_firstDay; // the game's first draw: the dates start there
    std::array<QCheckBox*, 8> m_weekdays{}; // 1..7, Sunday = 1
    std::array<QCheckBox*, 13> m_months{}; // 1..12
    std::array<QCheckBox*, 3> m_times{}; // 1 midday, 2 evening; null when the game has no such draw
    QCheckBox* m_allDays = nullptr;
    QCheckBox* m_allMonths = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QPushButton* m_validate = nullptr;
};
