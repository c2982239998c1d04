// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct Counters {
    QString text1 = QStringLiteral("0");
    QString label2 = QStringLiteral("Nombre de numéros : ");
    QString nb, prem, dern;
};

struct EntryFields {
    QString dat;
    QString info = QStringLiteral("Gagnez au Keno  !");
    QString affichage = QStringLiteral("Choix des numéros");
    int multiplier = 0; // of the draw being typed; 0 when the player gives none
};

struct Progress {
    bool visible = false;
    int maximum = 100;
    int value = 0;
};

// The texts and switches the main window shows besides the list and the report: the commands
// that set them get this part, the others never see it.
struct WindowFields {
    Counters counters;
    EntryFields entry;
    Progress progress;
    bool telechargeEnabled = true;
    bool exportEnabled = false;
    QString windowTitle;
    QString versionText;
};
