// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QDialog>
#include <optional>

class MainWindow;
class QLabel;
class QTableWidget;
class Workspace;

// "Table des gains": the pay table in force of the game played, one row a number of ticked
// numbers, one column a number of matches, every cell editable. The player copies it from the
// back of the play slip; OK puts it in force and keeps it in the settings.
class PayTableWindow : public QDialog {
    Q_OBJECT
public:
    PayTableWindow(Workspace& workspace, QWidget* parent = nullptr);
    // Registers the menu row on the window, which opens a fresh table each time.
    static void install(MainWindow& window);

    QTableWidget* cells() const { return m_cells; }
    // The cell of `ticked` numbers ticked and `matched` found.
    int rowOf(int ticked) const { return ticked - m_game.minTicked; }

public slots:
    void accept() override;
    // Fills the cells with the table shipped with the game; nothing is kept before OK.
    void restoreShipped();

private:
    void buildCells();
    void fill(const PayTable& table);
    // The table the cells hold; nullopt, with the faulty cell selected and the reason shown,
    // when a cell is not an amount.
    std::optional<PayTable> typed();

    Workspace& m_ws;
    const Formula& m_game;
    QTableWidget* m_cells = nullptr;
    QLabel* m_error = nullptr;
};
