// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GridPanel.h"

#include "gui/CommandRunner.h"
#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

#include <QCheckBox>
#include <QComboBox>
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
    m_repere = new QPushButton(QStringLiteral("Repérage --->"), this);
    m_repere->setObjectName(QStringLiteral("CmsRepere"));
    m_repere->setToolTip(QStringLiteral("Repérer dans la liste les numéros cochés"));
    connect(m_repere, &QPushButton::clicked, this, [this] { m_runner.run([this] { m_ws.units().grid.reperage(); }); });

    auto* repereRow = new QHBoxLayout;
    repereRow->addWidget(m_repere);
    makeStakeChoice(repereRow);
    repereRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addLayout(repereRow);
    layout->addStretch();
    setFormula(m_ws.liste().formula());
}

void GridPanel::makeStakeChoice(QHBoxLayout* row)
{
    m_stake = new QComboBox(this);
    m_stake->setObjectName(QStringLiteral("Mise"));
    m_stake->setToolTip(QStringLiteral("Mise par tirage des rapports de gains"));
    for (int euros : Stake::kEuros)
        m_stake->addItem(QStringLiteral("%1 €").arg(euros), euros);
    m_multiplier = new QCheckBox(QStringLiteral("Option multiplicateur"), this);
    m_multiplier->setObjectName(QStringLiteral("OptionMultiplicateur"));
    m_multiplier->setToolTip(QStringLiteral("Mise doublée, gains multipliés par le multiplicateur du tirage"));
    connect(m_stake, &QComboBox::activated, this, [this] { chooseStake(); });
    connect(m_multiplier, &QCheckBox::clicked, this, [this] { chooseStake(); });
    row->addWidget(m_stake);
    row->addWidget(m_multiplier);
    mirrorStake();
}

void GridPanel::chooseStake()
{
    Stake stake;
    stake.euros = m_stake->currentData().toInt();
    stake.multiplier = m_multiplier->isChecked();
    // The choice is kept in the settings; a refused click leaves the widgets as they were.
    if (!m_runner.run([this, stake] { m_ws.announce(m_ws.setStake(stake, true)); }))
        mirrorStake();
}

void GridPanel::mirrorStake()
{
    const Stake& stake = m_ws.stake();
    const int index = m_stake->findData(stake.euros);
    if (index != m_stake->currentIndex()) {
        const QSignalBlocker blocker(m_stake);
        m_stake->setCurrentIndex(index);
    }
    if (m_multiplier->isChecked() != stake.multiplier) {
        const QSignalBlocker blocker(m_multiplier);
        m_multiplier->setChecked(stake.multiplier);
    }
}

QCheckBox* GridPanel::makeBox(int n)
{
    auto* box = new QCheckBox(n < 10 ? QStringLiteral(" %1").arg(n) : QString::number(n), m_gridWidget);
    box->setObjectName(QStringLiteral("Check%1").arg(n));
    box->setToolTip(QStringLiteral("Choisir les numéros et faire les stats "));
    box->setAutoFillBackground(true);
    setBoxColour(box, false);
    connect(box, &QCheckBox::clicked, this, [this, n](bool on) {
        if (!m_runner.run([this, n, on] { m_ws.units().grid.setCheck(n, on); }))
            mirror();
    });
    return box;
}

void GridPanel::setFormula(const Formula& formula)
{
    if (m_formula == &formula)
        return;
    m_formula = &formula;
    // A new grid in the old one's place: no row or column of the other game stays behind. The
    // old one leaves the window at once, and is deleted once its events are done.
    if (m_gridWidget) {
        m_gridWidget->setParent(nullptr);
        m_gridWidget->deleteLater();
    }
    m_checks.fill(nullptr);
    m_gridWidget = new QWidget(this);
    m_gridWidget->setObjectName(QStringLiteral("grille"));
    auto* grid = new QGridLayout(m_gridWidget);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    for (int n = 1; n <= formula.numbers; ++n) {
        m_checks[static_cast<size_t>(n)] = makeBox(n);
        grid->addWidget(m_checks[static_cast<size_t>(n)], (n - 1) / formula.gridColumns, (n - 1) % formula.gridColumns);
    }
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_gridWidget);
    m_gridWidget->show(); // at once: the layout would only show it once events are processed
    keepKeyboardOrder();
    mirror();
}

// Tab goes through the boxes in number order, then to `CmsRepere`, wherever the panel stands
// in the window, however often the grid was rebuilt.
void GridPanel::keepKeyboardOrder()
{
    QWidget* previous = m_repere->previousInFocusChain();
    while (previous != m_repere && previous->focusPolicy() == Qt::NoFocus)
        previous = previous->previousInFocusChain();
    for (int n = 1; n <= m_formula->numbers; ++n) {
        QWidget* box = m_checks[static_cast<size_t>(n)];
        setTabOrder(previous, box);
        previous = box;
    }
    setTabOrder(previous, m_repere);
}

void GridPanel::mirror()
{
    const auto& checks = m_ws.checks();
    for (size_t n = 1; n <= static_cast<size_t>(m_formula->numbers); ++n) {
        QCheckBox* box = m_checks[n];
        if (box->isChecked() != checks[n]) {
            const QSignalBlocker blocker(box);
            box->setChecked(checks[n]);
        }
        setBoxColour(box, checks[n]);
    }
    mirrorStake();
}
