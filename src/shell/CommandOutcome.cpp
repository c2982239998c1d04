// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CommandOutcome.h"

CommandOutcome CommandOutcome::refused(QString why, QString title)
{
    CommandOutcome outcome;
    outcome.status = Status::Refused;
    outcome.reason = std::move(why);
    outcome.reasonTitle = std::move(title);
    return outcome;
}

CommandOutcome CommandOutcome::failed(QString why, QString title)
{
    CommandOutcome outcome = refused(std::move(why), std::move(title));
    outcome.status = Status::Failed;
    return outcome;
}

CommandOutcome CommandOutcome::told(Notice notice)
{
    CommandOutcome outcome;
    outcome.notices << std::move(notice);
    return outcome;
}

QList<Notice> CommandOutcome::boxes() const
{
    QList<Notice> all = notices;
    if (!isDone() && !reason.isEmpty() && !asked) {
        const qsizetype at = reasonAt < 0 || reasonAt > all.size() ? all.size() : reasonAt;
        all.insert(at, Notice{reason, reasonTitle, false, true});
    }
    return all;
}

CommandOutcome& CommandOutcome::then(const CommandOutcome& next)
{
    if (isDone()) {
        const int before = static_cast<int>(notices.size());
        status = next.status;
        reason = next.reason;
        reasonTitle = next.reasonTitle;
        asked = next.asked;
        reasonAt = next.reasonAt < 0 ? -1 : before + next.reasonAt;
        notices << next.notices;
    } else {
        // This reason was told before anything the next step tells.
        if (reasonAt < 0)
            reasonAt = static_cast<int>(notices.size());
        for (Notice box : next.boxes()) {
            box.reason = false; // only the first refusal or failure is the outcome's
            notices << box;
        }
    }
    if (summary.isEmpty())
        summary = next.summary;
    stopped = stopped || next.stopped;
    historyKept = historyKept || next.historyKept;
    archivesRead += next.archivesRead;
    imported += next.imported;
    skipped += next.skipped;
    known += next.known;
    refusedDraws += next.refusedDraws;
    saved += next.saved;
    return *this;
}

CommandOutcome& CommandOutcome::after(const CommandOutcome& earlier)
{
    QList<Notice> first = earlier.boxes();
    for (Notice& box : first)
        box.reason = false;
    if (reasonAt < 0 && !isDone())
        reasonAt = static_cast<int>(notices.size());
    reasonAt = reasonAt < 0 ? -1 : reasonAt + static_cast<int>(first.size());
    notices = first + notices;
    return *this;
}
