// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The tips of the "Astuce" window, read from "Conseil.txt": first a count, then that many text
// fields, each either between double quotes (commas stay in the text) or unquoted up to the
// next comma or the end of the line, leading spaces dropped. Anything after the last tip is not
// read.
struct TipsFile {
    QStringList tips; // tip 1 first
    QString error; // one French line when the file is missing or malformed; empty otherwise

    static constexpr const char* kFileName = "Conseil.txt";

    static TipsFile read(const QString& path);
    // `exists` false stands for a missing file. Whatever the tips read, `tips` holds only
    // complete ones, so a short file still shows what it has.
    static TipsFile parse(const QByteArray& bytes, bool exists = true);
};
