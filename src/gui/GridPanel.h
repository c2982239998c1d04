// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

class CommandRunner;
class QCheckBox;
class QPushButton;
class Workspace;

// The grid of the seventy `Check` boxes, in rows of ten, and the button `CmsRepere`.
class GridPanel : public QWidget {
    Q_OBJECT
public:
    GridPanel(Workspace& workspace, CommandRunner& runner, QWidget* parent = nullptr);

    // Ticks and colours as the Workspace holds them.
    void mirror();

private:
    Workspace& m_ws;
    CommandRunner& m_runner;
    std::array<QCheckBox*, 71> m_checks{};
    QPushButton* m_repere = nullptr;
};
