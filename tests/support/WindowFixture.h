// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window over a history written as both history files in a temporary folder, for the
// widget tests.
#include "gui/MainWindow.h"
#include "history/HistoryFile.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QListWidget>

namespace TestSupport {

// The texts of a list's items, in order.
inline QStringList rows(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

class WindowTest : public ::testing::Test {
protected:
    WindowTest()
    {
        m_config.dataFolder = m_dir.path();
        m_config.appDataFolder = m_dir.filePath(QStringLiteral("config"));
    }

    // `history` as the working and the base history.
    void writeHistory(const QStringList& history)
    {
        m_history = history;
        QString error;
        for (const char* name : {"Tirages_keno.txt", "Tirages.txt"})
            ASSERT_TRUE(HistoryFile::write(path(name), history, &error)) << error.toStdString();
    }

    // A new workspace and its window, shown (where the settings put it when `placed`) and started.
    void open(bool placed = false)
    {
        m_window.reset();
        m_ws = std::make_unique<Workspace>(m_config, &m_ui);
        m_window = std::make_unique<MainWindow>(*m_ws, m_ui, m_ui);
        if (placed)
            m_window->showPlaced();
        else
            m_window->show();
        m_window->startUp();
    }

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    template <typename T = QAction> T* get(const char* name) const { return m_window->findChild<T*>(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
    WorkspaceConfig m_config;
    QStringList m_history;
    ScriptedUi m_ui;
    std::unique_ptr<Workspace> m_ws; // declared before the window: destroyed after it
    std::unique_ptr<MainWindow> m_window;
};

} // namespace TestSupport

#include <QApplication>
#include <QKeyEvent>

namespace TestSupport {
// A key pressed on `widget` as a user would, without its release.
inline void press(QWidget* widget, int key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}
} // namespace TestSupport
