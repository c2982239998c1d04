// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/DrawListModel.h"

#include "shell/Workspace.h"

#include <algorithm>

DrawListModel::DrawListModel(const Workspace& workspace, QObject* parent) : QAbstractListModel(parent), m_ws(workspace)
{
    m_rows = m_ws.liste().itemCount();
    m_revision = m_ws.listRevision();
}

int DrawListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant DrawListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows)
        return {};
    if (role == Qt::DisplayRole)
        return m_ws.liste().text(index.row());
    return {};
}

void DrawListModel::refresh()
{
    if (m_ws.listRevision() == m_revision)
        return;
    m_revision = m_ws.listRevision();
    const int old = m_rows;
    const int rows = m_ws.liste().itemCount();
    if (rows > old) {
        beginInsertRows(QModelIndex(), old, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < old) {
        beginRemoveRows(QModelIndex(), rows, old - 1);
        m_rows = rows;
        endRemoveRows();
    }
    // Rows are of one height and texts are made when painted: telling the view that every kept
    // row may have changed costs only the repaint of what it shows.
    if (const int common = std::min(old, rows); common > 0)
        emit dataChanged(index(0), index(common - 1), {Qt::DisplayRole});
}
