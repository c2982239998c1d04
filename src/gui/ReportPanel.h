// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>
#include <utility>

class CommandRunner;
class QFrame;
class QHBoxLayout;
class QLabel;
class QLayout;
class QListWidget;
class Workspace;
struct ResultList;

// The report area: title `lblAff`, column caption `lblPM`, busy indicator `lblquoi`/`Shape2`
// and the two result lists `Resultat` and `Resultat2`. The caption's two halves stand over
// their own list ("les plus" over the left one, "les moins" over the right one).
class ReportPanel : public QWidget {
    Q_OBJECT
public:
    ReportPanel(Workspace& workspace, CommandRunner& runner, QWidget* parent = nullptr);

    void mirror(); // the report model
    void mirrorBusy(); // shown or hidden, repainted at once
    // The width the panel has in the window (0: not known yet). A list never asks for more than
    // its share of it: a longer line scrolls inside its list, not the whole panel.
    void setWidthLimit(int width);

    // A column caption cut at its first run of two or more spaces: the text over the left
    // list and the text over the right one.
    static std::pair<QString, QString> splitCaption(const QString& caption);

    // The width a result list needs to show `lines` whole, without a horizontal scroll bar:
    // never less than the width the report asks for.
    static int listWidthFor(const QListWidget* widget, const QStringList& lines, int leastWidth);

signals:
    // The lists now need another width (a report with longer lines, a list shown or hidden).
    void neededWidthChanged();

private:
    QLayout* buildBusyRow();
    void buildResultLists(const QFont& fixed);
    QLayout* buildTitleRow();
    QLayout* buildColumns();
    void mirrorList(QListWidget* widget, QWidget* column, const ResultList& model, QStringList& shown);
    int listCap() const;
    // Gives each list the width its lines need within its share; true when one changed.
    bool fitListWidths();
    void pushSelection(int list, QListWidget* widget);

    Workspace& m_ws;
    CommandRunner& m_runner;
    bool m_mirroring = false; // widget changes made by the mirror are not user input
    bool m_pushing = false; // a user's selection is being handed to the Workspace
    QStringList m_shownResultat;
    QStringList m_shownResultat2;
    int m_widthLimit = 0;
    QHBoxLayout* m_lists = nullptr;

    QLabel* m_lblAff = nullptr;
    QLabel* m_lblRapport = nullptr; // names the report shown under another report's title
    QLabel* m_lblPM = nullptr;
    QLabel* m_lblPMRight = nullptr;
    QLabel* m_lblquoi = nullptr;
    QFrame* m_shape2 = nullptr;
    QListWidget* m_resultat = nullptr;
    QListWidget* m_resultat2 = nullptr;
    QWidget* m_column1 = nullptr; // a list with its caption half
    QWidget* m_column2 = nullptr;
    QLabel* m_label1 = nullptr; // the combination a walk is examining
};
