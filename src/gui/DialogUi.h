// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/OutcomeView.h"
#include "shell/UserInterface.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

// The window's answer to the Workspace's questions: message boxes, input boxes, the save
// dialog and the calendar filter window, all modal over the main window; and what a command
// came to, one message box after the other.
class DialogUi : public UserInterface, public OutcomeView {
public:
    explicit DialogUi(QWidget* parent = nullptr) : m_parent(parent) { }

    void setParentWidget(QWidget* parent) { m_parent = parent; }
    // Where the save dialog opens first.
    void setSaveFolder(const QString& folder) { m_saveFolder = folder; }

    // Each box of the outcome with the single button OK (the information icon when it asks for it).
    void show(const CommandOutcome& outcome) override;
    bool confirm(const QString& text, const QString& title) override;
    std::optional<QString> askText(const QString& title, const QString& prompt, const QString& initial) override;
    QString askSaveFileName(const QString& title, const QString& defaultSuffix) override;
    bool editCalendarFilter(CalendarFilter& filter) override;
    QStringList askOpenFileNames(const QString& title, const QString& filter) override;
    // A message box with one push button per caption; the first is the default, Esc and the
    // close box choose the last.
    int choose(const QString& title, const QString& text, const QStringList& buttons) override;
    // Through QDesktopServices, or the opener set for the tests.
    bool openUrl(const QUrl& url) override;
    void setOpener(std::function<bool(const QUrl&)> opener) { m_opener = std::move(opener); }

private:
    QPointer<QWidget> m_parent;
    QString m_saveFolder;
    std::function<bool(const QUrl&)> m_opener;
};
