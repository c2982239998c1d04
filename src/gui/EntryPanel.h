// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class CommandRunner;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class Workspace;

// The counters (`Prem`, `Dern`, `nb`, `Text1` and `Label2`), the manual entry frame
// `Affichage` (`dat`, the draw's multiplier, `Info`, `OK`, `Annuler`) and the check box `Export`. The frame's
// caption is a wrapping label, so a whole draw line shows however narrow the panel is.
class EntryPanel : public QWidget {
    Q_OBJECT
public:
    EntryPanel(Workspace& workspace, CommandRunner& runner, QWidget* parent = nullptr);

    void mirrorCounters();
    void mirrorEntry();
    void mirrorButtons(); // OK and Annuler
    void mirrorExport();

signals:
    void graphClicked(); // cmdGraph: the window runs it as the chart command

private:
    QLayout* buildCounters();
    QGroupBox* buildEntryFrame();
    QLayout* buildMultiplierRow();
    QLayout* buildEntryButtons();
    QCheckBox* buildExportBox();

    Workspace& m_ws;
    CommandRunner& m_runner;

    QLineEdit* m_prem = nullptr;
    QLineEdit* m_dern = nullptr;
    QLineEdit* m_nb = nullptr;
    QLineEdit* m_text1 = nullptr;
    QLabel* m_label2 = nullptr;
    QGroupBox* m_affichage = nullptr;
    QLabel* m_caption = nullptr;
    QLineEdit* m_dat = nullptr;
    QComboBox* m_multiplier = nullptr;
    QLabel* m_info = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_annuler = nullptr;
    QCheckBox* m_export = nullptr;
};
