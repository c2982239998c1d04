// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

struct Counters {
    QString text1 = QStringLiteral("0");
    QString label2 = QStringLiteral("Nombre de numéros : ");
    QString nb, prem, dern;
};

struct EntryFields {
    QString dat;
    QString info = QStringLiteral("Gagnez au Keno  !");
    QString affichage = QStringLiteral("Choix des numéros");
    // Of the draw being typed or corrected, as the draw has it until the player changes it;
    // 0 ("—") when none is given.
    int multiplier = 0;
    // The draw's own when it was chosen: "—" chosen over a known one takes it away, while "—"
    // left as shown keeps one an archive gave the draw since.
    int shownMultiplier = 0;
};

// The texts and switches the main window shows besides the list and the report. The commands
// tell it what happened; what the counters and the entry then read is decided here alone.
class WindowFields {
public:
    const Counters& counters() const { return m_counters; }
    const EntryFields& entry() const { return m_entry; }
    bool telechargeEnabled() const { return m_telechargeEnabled; }
    bool exportEnabled() const { return m_exportEnabled; }
    const QString& windowTitle() const { return m_windowTitle; }
    const QString& versionText() const { return m_versionText; }

    // A history of `draws` draws, from `first` to `last`, is shown whole.
    void historyLoaded(int draws, const QString& first, const QString& last);
    // The list now holds `draws` draws.
    void drawsCounted(int draws);
    // The study starts at the draw of `date`.
    void studyStarts(const QString& date);
    // Item `selected` of the list is selected: `last` when it is the empty line, `previousDate`
    // the date of the draw above it, `studied` the draws of the study, `multiplier` the one its
    // draw has (0: none known).
    void itemSelected(int selected, bool last, const QString& previousDate, int studied, int multiplier);
    // A filtered list whose selection is `selected`; the counters keep describing `whole`.
    void filterShown(int selected, const Counters& whole);
    // The oldest draw, of `date` and with `multiplier` (0: none known), is open for correction.
    void oldestOpened(const QString& date, int multiplier);
    // A draw of `date` with `numbers` was entered; the entry then waits for the next one.
    void drawEntered(const QString& date, const QString& numbers);
    void entryDone();
    // A line of the result list was clicked: its position when it is a draw, and that draw.
    void resultClicked(std::optional<int> position, const std::optional<QString>& draw);
    // `count` numbers are ticked in the grid.
    void tickedCounted(int count);
    // A date worked out for the entry, and a draw line to show in it.
    void proposeDate(const QString& date);
    void showDrawLine(const QString& line);

    void setMultiplier(int multiplier) { m_entry.multiplier = multiplier; }
    // The draw entered now has `multiplier` (0: none), which the field goes on showing.
    void multiplierKept(int multiplier) { m_entry.multiplier = m_entry.shownMultiplier = multiplier; }

    void enableDownload(bool on) { m_telechargeEnabled = on; }
    void enableExport(bool on) { m_exportEnabled = on; }
    void setTitle(const QString& title) { m_windowTitle = title; }
    void setVersionText(const QString& text) { m_versionText = text; }

private:
    Counters m_counters;
    EntryFields m_entry;
    bool m_telechargeEnabled = true;
    bool m_exportEnabled = false;
    QString m_windowTitle;
    QString m_versionText;
};
