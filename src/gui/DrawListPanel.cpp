// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/DrawListPanel.h"

#include "gui/CommandRunner.h"
#include "gui/DrawListModel.h"
#include "shell/CommandUnits.h"
#include "shell/Workspace.h"

#include <QAction>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QScrollBar>

namespace {
constexpr int kItemMargin = 8;
} // namespace

DrawListPanel::DrawListPanel(Workspace& workspace, CommandRunner& runner, QWidget* parent)
    : QListView(parent), m_ws(workspace), m_runner(runner)
{
    setObjectName(QStringLiteral("Liste"));
    setToolTip(QStringLiteral("Doble-clic pour cocher le tirage, simple clic changer date de calcul"));
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setUniformItemSizes(true);
    setTextElideMode(Qt::ElideNone); // a draw line is read to its last character
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_model = new DrawListModel(m_ws, this);
    setModel(m_model);
    fitLines();

    connect(this, &QListView::clicked, this, [this](const QModelIndex& index) { clickRow(index.row()); });
    connect(this, &QListView::doubleClicked, this, [this] { m_runner.run([this] { m_ws.units().entry.doubleClickListe(); }); });

    auto* oldest = new QAction(QStringLiteral("Corriger le premier tirage"), this);
    oldest->setObjectName(QStringLiteral("mnuPremier"));
    connect(oldest, &QAction::triggered, this, [this] {
        m_runner.run([this] { m_ws.units().entry.chooseOldestDraw(); });
        mirror();
    });
    addAction(oldest);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

int DrawListPanel::wholeLineWidth() const
{
    const int chars = m_ws.liste().formula().lineLength();
    return fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + kItemMargin;
}

void DrawListPanel::fitLines()
{
    const int chars = m_ws.liste().formula().lineLength();
    if (chars == m_lineChars)
        return;
    m_lineChars = chars;
    // Every line has the width of a draw line: a fixed cell keeps the horizontal scroll bar
    // right (the trailing empty item would otherwise set the width of all) and the layout fast.
    setGridSize(QSize(wholeLineWidth(), fontMetrics().height() + 2));
    // Never narrower than its lines, whatever a report asks for.
    setMinimumWidth(widthForViewport(wholeLineWidth()));
    emit lineWidthChanged();
}

int DrawListPanel::widthForViewport(int viewportWidth) const
{
    return viewportWidth + verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
}

QSize DrawListPanel::sizeHint() const
{
    return {widthForViewport(wholeLineWidth()), QListView::sizeHint().height()};
}

void DrawListPanel::clickRow(int row)
{
    m_runner.run([this, row] { m_ws.announce(m_ws.units().list.clickListe(row)); });
    mirror(); // a refused click leaves the highlight on the line being edited
}

void DrawListPanel::mirror()
{
    fitLines();
    m_model->refresh();
    const QModelIndex selected = m_model->index(m_ws.selectedIndex());
    if (!selected.isValid())
        return;
    const QModelIndexList shown = selectionModel()->selectedIndexes();
    if (shown.size() == 1 && shown.first() == selected)
        return;
    selectionModel()->setCurrentIndex(selected, QItemSelectionModel::ClearAndSelect);
    scrollTo(selected);
}

QItemSelectionModel::SelectionFlags DrawListPanel::selectionCommand(const QModelIndex&, const QEvent*) const
{
    // The selection is the Workspace's line being edited; neither keys nor the mouse move it
    // on their own (mirror sets it).
    return QItemSelectionModel::NoUpdate;
}

void DrawListPanel::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    // The line being edited stays in sight when the window changes size.
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (!selected.isEmpty())
        scrollTo(selected.first());
}

void DrawListPanel::keyPressEvent(QKeyEvent* event)
{
    const int row = currentIndex().row();
    if (row >= 0 && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        clickRow(row);
        return;
    }
    if (row >= 0 && event->key() == Qt::Key_Space) {
        // As with the mouse, a double click is preceded by the click on its line.
        m_runner.run([this, row] {
            m_ws.announce(m_ws.units().list.clickListe(row));
            m_ws.units().entry.doubleClickListe();
        });
        mirror();
        return;
    }
    QListView::keyPressEvent(event);
}
