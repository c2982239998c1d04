// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListView>

class CommandRunner;
class DrawListModel;
class Workspace;

// The draw list `Liste`. Its highlighted line is always the line being edited: only a click
// (or Return/Enter on the focused line) changes it, through the Workspace. The arrow keys
// move the focus frame alone; Space acts as a double click on the focused line. The
// context menu (mouse or Menu key) offers the correction of the oldest draw.
class DrawListPanel : public QListView {
    Q_OBJECT
public:
    DrawListPanel(Workspace& workspace, CommandRunner& runner, QWidget* parent = nullptr);

    // Shows the Workspace's list and its selected line.
    void mirror();

    // The width of the viewport that shows a whole draw line of the list's game.
    int wholeLineWidth() const;
    // The widget width that gives the viewport `viewportWidth`.
    int widthForViewport(int viewportWidth) const;

    QSize sizeHint() const override;

signals:
    // The list now holds another game, whose lines have another width.
    void lineWidthChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;

private:
    void clickRow(int row);
    // The cells and the least width for the lines of the list's game.
    void fitLines();

    Workspace& m_ws;
    CommandRunner& m_runner;
    DrawListModel* m_model = nullptr;
    int m_lineChars = 0; // the length of the lines the cells are sized for
};
