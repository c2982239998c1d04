// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <functional>

// One message box of what a command came to.
struct Notice {
    QString text;
    QString title = QStringLiteral("Tiravol");
    bool information = false; // with the information icon (the about box)
    bool reason = false; // the reason the command was refused or failed
};

// What a command reached: done, or refused or failed with its reason, what it has to tell on
// the way and the counts it reached. Each program shows it its own way (the window in message
// boxes, the command line on standard error and in its exit status).
struct CommandOutcome {
    enum class Status { Done, Refused, Failed };
    Status status = Status::Done;
    QString reason; // French, as a person reads it; empty when done or when nothing is to be told
    QString reasonTitle = QStringLiteral("Tiravol");
    // The reason was put to the person in a question already (a failed download asks for
    // another address): it is not shown again.
    bool asked = false;
    QList<Notice> notices; // what it tells besides its reason, in order
    int reasonAt = -1; // where the reason stands among the notices; -1: after them all
    // What it did in one line when no notice says it, for a program that always says it (an
    // import's).
    QString summary;
    bool stopped = false; // a long job was stopped by the person: what it had is kept
    bool pending = false; // a long job runs on: its outcome comes when it ends
    // The counts reached: archives read whole, their draws imported, rows that are no draws,
    // draws the history had already, draws refused; draws written to the working history.
    int archivesRead = 0, imported = 0, skipped = 0, known = 0, refusedDraws = 0, saved = 0;
    // The working history was to be replaced and was kept as it was.
    bool historyKept = false;

    static CommandOutcome done() { return {}; }
    static CommandOutcome refused(QString why, QString title = QStringLiteral("Tiravol"));
    static CommandOutcome failed(QString why, QString title = QStringLiteral("Tiravol"));
    static CommandOutcome told(Notice notice);
    bool isDone() const { return status == Status::Done; }

    void tell(const QString& text, const QString& title = QStringLiteral("Tiravol")) { notices << Notice{text, title}; }
    // The message boxes in the order they are shown: the notices, the reason at its place.
    QList<Notice> boxes() const;
    // The next step of a sequence: what it tells follows, its counts add up, and the first
    // refusal or failure stays the outcome's.
    CommandOutcome& then(const CommandOutcome& next);
    // `earlier` came first: its boxes are shown before this outcome's, whose status stays.
    CommandOutcome& after(const CommandOutcome& earlier);
};

// Where a command that may end after a long job hands its outcome.
using OutcomeThen = std::function<void(CommandOutcome)>;
