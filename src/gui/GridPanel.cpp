// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GridPanel.h"

#include "gui/CommandRunner.h"
#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QColor kUnticked(255, 192, 128);
const QColor kTicked(255, 0, 0);

void setBoxColour(QCheckBox* box, bool ticked)
{
    QPalette palette = box->palette();
    const QColor colour = ticked ? kTicked : kUnticked;
    if (palette.color(QPalette::Window) == colour)
        return;
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    box->setPalette(palette);
}

} // namespace

GridPanel::GridPanel(Workspace& workspace, CommandRunner& runner, QWidget* parent)
    : QWidget(parent), m_ws(workspace), m_runner(runner)
{
    auto* gridWidget = new QWidget(this);
    gridWidget->setObjectName(QStringLiteral("grille"));
    auto* grid = new QGridLayout(gridWidget);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    for (int n = 1; n <= 70; ++n) {
        auto* box = new QCheckBox(n < 10 ? QStringLiteral(" %1").arg(n) : QString::number(n), gridWidget);
        box->setObjectName(QStringLiteral("Check%1").arg(n));
        box->setToolTip(QStringLiteral("Choisir les numéros et faire les stats "));
        box->setAutoFillBackground(true);
        setBoxColour(box, false);
        connect(box, &QCheckBox::clicked, this, [this, n](bool on) {
            if (!m_runner.run([this, n, on] { m_ws.units().grid.setCheck(n, on); }))
                mirror();
        });
        m_checks[static_cast<size_t>(n)] = box;
        grid->addWidget(box, (n - 1) / 10, (n - 1) % 10);
    }

    m_repere = new QPushButton(QStringLiteral("Repérage --->"), this);
    m_repere->setObjectName(QStringLiteral("CmsRepere"));
    m_repere->setToolTip(QStringLiteral("Repérer dans la liste les numéros cochés"));
    connect(m_repere, &QPushButton::clicked, this, [this] { m_runner.run([this] { m_ws.units().grid.reperage(); }); });

    auto* repereRow = new QHBoxLayout;
    repereRow->addWidget(m_repere);
    repereRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(gridWidget);
    layout->addLayout(repereRow);
    layout->addStretch();
}

void GridPanel::mirror()
{
    const auto& checks = m_ws.checks();
    for (size_t n = 1; n <= 70; ++n) {
        QCheckBox* box = m_checks[n];
        if (box->isChecked() != checks[n]) {
            const QSignalBlocker blocker(box);
            box->setChecked(checks[n]);
        }
        setBoxColour(box, checks[n]);
    }
}
