// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>

class Workspace;

// The draw list as the view sees it: rows and texts are read from the Workspace when shown,
// so a history of 30,000 draws costs no widget items. `refresh` turns a change of the
// Workspace's list into the model's insert, remove and change signals.
class DrawListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit DrawListModel(const Workspace& workspace, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void refresh();

private:
    const Workspace& m_ws;
    int m_rows = 0;
    int m_revision = -1; // the Workspace's list revision last shown
};
