// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/PayTableWindow.h"

#include "gui/MainWindow.h"
#include "gui/WindowPlacement.h"
#include "history/PayTableText.h"
#include "shell/Workspace.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString introduction(const Formula& game)
{
    QString text = QStringLiteral("Gains pour une mise de 1 €, en euros entiers, selon les numéros cochés (lignes) et les "
                                  "numéros trouvés (colonnes). La table est imprimée au dos du bulletin de jeu : reportez-y "
                                  "ou corrigez les montants. Une case vide ou « inconnu » est un gain inconnu, que les "
                                  "rapports signalent au lieu de le compter pour 0.");
    if (PayTableText::provisional(game))
        text += QStringLiteral("\nLes montants publiés de ce jeu sont provisoires : vérifiez-les sur le bulletin.");
    return text;
}

} // namespace

PayTableWindow::PayTableWindow(Workspace& workspace, QWidget* parent) : QDialog(parent), m_ws(workspace), m_game(workspace.game())
{
    setObjectName(QStringLiteral("frmGains"));
    setWindowTitle(QStringLiteral("Table des gains — %1").arg(m_game.shortName));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(introduction(m_game), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    buildCells();
    layout->addWidget(m_cells);
    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("erreur"));
    m_error->setWordWrap(true);
    m_error->setStyleSheet(QStringLiteral("color: #b00000"));
    layout->addWidget(m_error);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("annuler"));
    QPushButton* restore = buttons->addButton(QStringLiteral("Rétablir la table d'origine"), QDialogButtonBox::ResetRole);
    restore->setObjectName(QStringLiteral("retablir"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PayTableWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PayTableWindow::reject);
    connect(restore, &QPushButton::clicked, this, &PayTableWindow::restoreShipped);
    layout->addWidget(buttons);
    fill(m_ws.payTables().of(m_game.id));
}

void PayTableWindow::install(MainWindow& window)
{
    window.setWindowAction(QStringLiteral("mnuGains"), [&window] {
        auto* table = new PayTableWindow(window.workspace(), &window);
        table->setAttribute(Qt::WA_DeleteOnClose);
        WindowPlacement::centreOn(table, &window);
        table->open();
    });
}

void PayTableWindow::buildCells()
{
    const int rows = m_game.maxTicked - m_game.minTicked + 1;
    m_cells = new QTableWidget(rows, m_game.maxTicked + 1, this);
    m_cells->setObjectName(QStringLiteral("gains"));
    for (int m = 0; m <= m_game.maxTicked; ++m)
        m_cells->setHorizontalHeaderItem(m, new QTableWidgetItem(QStringLiteral("%1 trouvés").arg(m)));
    for (int k = m_game.minTicked; k <= m_game.maxTicked; ++k) {
        m_cells->setVerticalHeaderItem(rowOf(k), new QTableWidgetItem(QStringLiteral("%1 numéros cochés").arg(k)));
        for (int m = 0; m <= m_game.maxTicked; ++m) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            // More found than ticked cannot happen: the cell is there, greyed, never editable.
            if (m > k)
                item->setFlags(Qt::NoItemFlags);
            m_cells->setItem(rowOf(k), m, item);
        }
    }
    m_cells->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_cells->setMinimumWidth(m_cells->horizontalHeader()->length() + m_cells->verticalHeader()->sizeHint().width() + 8);
    // Every row in sight: the table is short, scrolling it would hide the largest amounts.
    m_cells->setMinimumHeight(m_cells->verticalHeader()->length() + m_cells->horizontalHeader()->sizeHint().height() + 8);
}

void PayTableWindow::fill(const PayTable& table)
{
    for (int k = m_game.minTicked; k <= m_game.maxTicked; ++k)
        for (int m = 0; m <= k; ++m)
            m_cells->item(rowOf(k), m)->setText(PayTableText::shown(table.amount(k, m)));
    m_error->clear();
}

void PayTableWindow::restoreShipped()
{
    fill(m_game.payTable);
}

std::optional<PayTable> PayTableWindow::typed()
{
    PayTable table;
    for (int k = m_game.minTicked; k <= m_game.maxTicked; ++k)
        for (int m = 0; m <= k; ++m) {
            QTableWidgetItem* item = m_cells->item(rowOf(k), m);
            const PayTableText::Amount amount = PayTableText::amount(item->text());
            if (!amount.ok) {
                m_cells->setCurrentItem(item);
                m_error->setText(QStringLiteral("« %1 » (%2 trouvés sur %3 cochés) n'est pas un montant en euros entiers de "
                                                "0 à %4 : corrigez la case, ou videz-la si le gain est inconnu.")
                                     .arg(item->text().trimmed())
                                     .arg(m)
                                     .arg(k)
                                     .arg(PayTableText::kMaxAmount));
                return std::nullopt;
            }
            table.amounts[k][m] = amount.value;
        }
    return table;
}

void PayTableWindow::accept()
{
    const std::optional<PayTable> table = typed();
    if (!table)
        return;
    const CommandOutcome saved = m_ws.setPayTable(m_game.id, *table);
    // Kept in memory even when the file refused it; the main window says why.
    if (!saved.isDone())
        m_ws.announce(saved);
    QDialog::accept();
}
