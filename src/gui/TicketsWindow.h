// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QDialog>

class DrawTimeField;
class MainWindow;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QShowEvent;
class Workspace;

// "Gérer mes grilles": the tickets kept, each with its first and last draw, and a ticket added
// (its name, the numbers ticked in the grid or typed, the stake, the option, the first draw
// played), ended at a draw or removed. What the file says back (a refusal, a write that failed)
// shows under the fields.
class TicketsWindow : public QDialog {
    Q_OBJECT
public:
    explicit TicketsWindow(Workspace& workspace, QWidget* parent = nullptr);
    // Registers the menu's handler (GererGrilles) on the window, which owns the one it opens.
    static void install(MainWindow& window);

    // Reads the tickets file again and takes the grid's ticks as the numbers; after a change of
    // game, its draws are offered.
    void refresh();

protected:
    // Once framed by the window manager, the window is kept inside the screen.
    void showEvent(QShowEvent* event) override;

private:
    void add();
    void end();
    void remove();
    void tell(const QString& text);
    void takeGame();
    // The name of the ticket chosen in the list; empty, and told, when none is.
    QString chosen(const QString& forWhat);

    Workspace& m_ws;
    QListWidget* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_numbers = nullptr;
    QComboBox* m_stake = nullptr;
    QCheckBox* m_option = nullptr;
    DrawTimeField* m_from = nullptr;
    DrawTimeField* m_until = nullptr;
    QLabel* m_status = nullptr;
    std::optional<FormulaId> m_game; // the game whose draws the fields offer
};
