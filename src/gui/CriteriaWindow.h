// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QScrollBar;
class Workspace;

// "Prévisions": the eleven scroll bars of the forecast criteria with their value labels. The
// criteria live in the Workspace; the window mirrors them and hands every move back, so the
// labels and coupling rules are the Workspace's. "Utiliser" only hides the window; closing it by
// its title bar discards the criteria (the next use starts from the design-time ones).
class CriteriaWindow : public QWidget {
    Q_OBJECT
public:
    explicit CriteriaWindow(Workspace& workspace, QWidget* parent = nullptr);

    QScrollBar* bar(int i) const { return m_bars[static_cast<size_t>(i)]; }
    QLabel* valueLabel(int i) const { return m_labels[static_cast<size_t>(i)]; }

    // Reads the Workspace's criteria into the bars and labels.
    void mirror();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addHeadings();
    void addBars();
    void addButtons();
    void setKeyboardOrder();
    void placeBar(int i, int leftTwips, int topTwips, int widthTwips);
    QLabel* addLabel(const QString& name, const QString& text, int leftTwips, int topTwips, bool bold = false);
    QPushButton* addButton(const QString& name, const QString& text, int topTwips);

    Workspace& m_ws;
    std::array<QScrollBar*, 12> m_bars{};
    std::array<QLabel*, 12> m_labels{};
    bool m_mirroring = false;
};
