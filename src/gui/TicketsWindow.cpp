// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/TicketsWindow.h"

#include "gui/DrawTimeField.h"
#include "gui/MainWindow.h"
#include "gui/WindowPlacement.h"
#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace {

template <typename W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// "Paul : 3 7 12 — 2 €, Keno 16/56, depuis le 14/11/2025, jusqu'au 20/11/2025".
QString ticketLine(const Ticket& t)
{
    QString line = QStringLiteral("%1 : %2 — %3, %4, depuis le %5")
                       .arg(t.name, t.numbersText(), t.stake.label(), t.game().shortName, t.first.text(t.game()));
    if (!t.isOpen())
        line += QStringLiteral(", jusqu'au ") + t.last.text(t.game());
    return line;
}

} // namespace

TicketsWindow::TicketsWindow(Workspace& workspace, QWidget* parent)
    : QDialog(parent), m_ws(workspace), m_list(named(new QListWidget, "grilleListe")), m_name(named(new QLineEdit, "grilleNom")),
      m_numbers(named(new QLineEdit, "grilleNumeros")), m_stake(named(new QComboBox, "grilleMise")),
      m_option(named(new QCheckBox(QStringLiteral("Option multiplicateur")), "grilleOption")),
      m_from(new DrawTimeField(QStringLiteral("grilleDepuis"))), m_until(new DrawTimeField(QStringLiteral("grilleJusquau"))),
      m_status(named(new QLabel, "grilleEtat"))
{
    setObjectName(QStringLiteral("GererGrilles"));
    setWindowTitle(QStringLiteral("Mes grilles"));
    // Wide enough for a ticket's line (name, ten numbers, stake, option and draws) without scrolling.
    m_list->setMinimumWidth(fontMetrics().averageCharWidth() * 88);
    for (int euros : Stake::kEuros)
        m_stake->addItem(QStringLiteral("%1 €").arg(euros), euros);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Nom"), m_name);
    form->addRow(QStringLiteral("Numéros"), m_numbers);
    form->addRow(QStringLiteral("Mise"), m_stake);
    form->addRow(QString(), m_option);
    form->addRow(QStringLiteral("Jouée depuis le"), m_from);
    auto* addButton = named(new QPushButton(QStringLiteral("Ajouter")), "grilleAjouter");
    auto* removeButton = named(new QPushButton(QStringLiteral("Supprimer la grille choisie")), "grilleSupprimer");
    auto* endButton = named(new QPushButton(QStringLiteral("Terminer la grille choisie")), "grilleTerminer");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addButton);
    buttons->addWidget(removeButton);
    auto* ending = new QFormLayout;
    ending->addRow(QStringLiteral("Dernier tirage joué"), m_until);
    ending->addRow(QString(), endButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addLayout(ending);
    layout->addWidget(m_status);
    m_status->setWordWrap(true);
    connect(addButton, &QPushButton::clicked, this, &TicketsWindow::add);
    connect(removeButton, &QPushButton::clicked, this, &TicketsWindow::remove);
    connect(endButton, &QPushButton::clicked, this, &TicketsWindow::end);
    refresh();
}

void TicketsWindow::install(MainWindow& window)
{
    auto shown = std::make_shared<QPointer<TicketsWindow>>();
    window.setWindowAction(QStringLiteral("GererGrilles"), [&window, shown] {
        if (!*shown) {
            *shown = new TicketsWindow(window.workspace(), &window);
            (*shown)->setAttribute(Qt::WA_DeleteOnClose);
            WindowPlacement::centreOn(*shown, &window);
        }
        TicketsWindow* tickets = *shown;
        tickets->refresh();
        tickets->show();
        tickets->raise();
        tickets->activateWindow();
    });
}

void TicketsWindow::takeGame()
{
    const Formula& game = m_ws.game();
    if (m_game == game.id)
        return;
    m_game = game.id;
    const TicketCommands& tickets = m_ws.units().tickets;
    DrawTime next = tickets.nextDraw(QDateTime::currentDateTime());
    // A game no longer drawn is played up to its last day at most.
    if (game.lastDay.isValid() && (!next.isValid() || next.day > game.lastDay))
        next = DrawTime{game.lastDay, 0};
    m_from->setGame(game, next);
    const DrawTime newest = tickets.newestDraw();
    m_until->setGame(game, newest.isValid() ? newest : next);
}

void TicketsWindow::refresh()
{
    takeGame();
    m_list->clear();
    std::vector<Ticket> tickets;
    const CommandOutcome read = m_ws.units().tickets.read(&tickets);
    tell(read.reason);
    for (const Ticket& t : tickets) {
        auto* item = new QListWidgetItem(ticketLine(t));
        item->setData(Qt::UserRole, t.name);
        m_list->addItem(item);
    }
    QStringList ticked;
    for (int n : m_ws.units().grid.chosenNumbers())
        ticked << QString::number(n);
    m_numbers->setText(ticked.join(QLatin1Char(' ')));
}

void TicketsWindow::add()
{
    Ticket t;
    t.name = m_name->text().trimmed();
    t.formula = m_ws.game().id;
    for (const QString& part : m_numbers->text().split(QRegularExpression(QStringLiteral("[\\s,;]+")), Qt::SkipEmptyParts)) {
        bool ok = false;
        t.numbers.push_back(part.toInt(&ok));
        if (!ok) {
            tell(QStringLiteral("« %1 » n'est pas un numéro").arg(part));
            return;
        }
    }
    std::sort(t.numbers.begin(), t.numbers.end());
    t.stake = Stake{m_stake->currentData().toInt(), m_option->isChecked()};
    t.first = m_from->time();
    const CommandOutcome outcome = m_ws.units().tickets.add(t);
    refresh();
    tell(outcome.isDone() ? outcome.notices.value(0).text : outcome.reason);
}

QString TicketsWindow::chosen(const QString& forWhat)
{
    const QListWidgetItem* item = m_list->currentItem();
    if (!item)
        tell(QStringLiteral("Choisissez d'abord la grille %1.").arg(forWhat));
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void TicketsWindow::end()
{
    const QString name = chosen(QStringLiteral("à terminer"));
    if (name.isEmpty())
        return;
    const CommandOutcome outcome = m_ws.units().tickets.end(name, m_until->time());
    refresh();
    tell(outcome.isDone() ? outcome.notices.value(0).text : outcome.reason);
}

void TicketsWindow::remove()
{
    const QString name = chosen(QStringLiteral("à supprimer"));
    if (name.isEmpty())
        return;
    const CommandOutcome outcome = m_ws.units().tickets.remove(name);
    refresh();
    tell(outcome.isDone() ? outcome.notices.value(0).text : outcome.reason);
}

void TicketsWindow::tell(const QString& text)
{
    m_status->setText(text);
}

void TicketsWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The frame's size is known once the window manager has framed the window, which some do late.
    QTimer::singleShot(0, this, [this] { WindowPlacement::keepFrameInside(this); });
    QTimer::singleShot(300, this, [this] { WindowPlacement::keepFrameInside(this); });
}
