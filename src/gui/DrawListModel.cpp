#include "gui/DrawListModel.h"

#include "shell/Workspace.h"

#include <algorithm>
#include <utility>

DrawListModel::DrawListModel(const Workspace& workspace, QObject* parent) : QAbstractListModel(parent), m_ws(workspace)
{
    m_shown = m_ws.liste();
    m_rows = static_cast<int>(m_shown.size());
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
        return m_ws.liste().value(index.row());
    return {};
}

void DrawListModel::refresh()
{
    const QStringList& now = m_ws.liste();
    if (now.constData() == m_shown.constData() && now.size() == m_shown.size())
        return; // still the same shared list: nothing changed
    const QStringList before = std::exchange(m_shown, now);
    const int old = m_rows;
    const int rows = static_cast<int>(now.size());
    if (rows > old) {
        beginInsertRows(QModelIndex(), old, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < old) {
        beginRemoveRows(QModelIndex(), rows, old - 1);
        m_rows = rows;
        endRemoveRows();
    }
    int first = -1;
    int last = -1;
    for (int i = 0, common = std::min(old, rows); i < common; ++i) {
        if (before[i] != now[i]) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first >= 0)
        emit dataChanged(index(first), index(last), {Qt::DisplayRole});
}
