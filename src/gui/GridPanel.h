// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QWidget>
#include <array>

class CommandRunner;
class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QPushButton;
class Workspace;

// The grid of the game's `Check` boxes, in the game's rows, and the button `CmsRepere`.
class GridPanel : public QWidget {
    Q_OBJECT
public:
    GridPanel(Workspace& workspace, CommandRunner& runner, QWidget* parent = nullptr);

    // Rebuilds the boxes for the game's numbers, in its rows; nothing when it is already shown.
    void setFormula(const Formula& formula);
    const Formula& formula() const { return *m_formula; }

    // Ticks and colours as the Workspace holds them, and the stake played.
    void mirror();

private:
    QCheckBox* makeBox(int number);
    // The stake (`Mise`) and the box `OptionMultiplicateur` the money reports play.
    void makeStakeChoice(QHBoxLayout* row);
    void chooseStake();
    void mirrorStake();
    void keepKeyboardOrder();

    Workspace& m_ws;
    CommandRunner& m_runner;
    const Formula* m_formula = nullptr;
    QWidget* m_gridWidget = nullptr;
    std::array<QCheckBox*, Formula::kMaxNumber + 1> m_checks{}; // null above the game's numbers
    QPushButton* m_repere = nullptr;
    QComboBox* m_stake = nullptr;
    QCheckBox* m_multiplier = nullptr;
};
