// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CommandOutcome.h"

#include "support/TestSupport.h"

namespace {

QStringList texts(const QList<Notice>& boxes)
{
    QStringList all;
    for (const Notice& box : boxes)
        all << box.text + (box.reason ? QStringLiteral(" (raison)") : QString());
    return all;
}

CommandOutcome toldThenFailed(const QString& notice, const QString& why)
{
    CommandOutcome outcome = CommandOutcome::failed(why);
    outcome.tell(notice);
    return outcome;
}

} // namespace

TEST(CommandOutcomeTest, ABoxPerNoticeThenTheReasonUnlessTheQuestionToldItAlready)
{
    EXPECT_TRUE(CommandOutcome::done().boxes().isEmpty());
    EXPECT_TRUE(CommandOutcome::refused(QString()).boxes().isEmpty()); // nothing to tell
    const CommandOutcome failed = toldThenFailed(QStringLiteral("a"), QStringLiteral("b"));
    EXPECT_FALSE(failed.isDone());
    EXPECT_EQ(texts(failed.boxes()), QStringList({QStringLiteral("a"), QStringLiteral("b (raison)")}));

    CommandOutcome asked = failed;
    asked.asked = true;
    EXPECT_EQ(texts(asked.boxes()), QStringList({QStringLiteral("a")}));

    const CommandOutcome about = CommandOutcome::told(Notice{QStringLiteral("v"), QStringLiteral("T"), true});
    ASSERT_EQ(about.boxes().size(), 1);
    EXPECT_TRUE(about.boxes()[0].information);
    EXPECT_EQ(about.boxes()[0].title, QStringLiteral("T"));
    EXPECT_TRUE(about.isDone());
    EXPECT_EQ(CommandOutcome::failed(QStringLiteral("x"), QStringLiteral("Construire")).boxes()[0].title,
              QStringLiteral("Construire"));
}

TEST(CommandOutcomeTest, ASequenceKeepsItsFirstFailureAndTellsEverythingInTheOrderItCame)
{
    CommandOutcome sequence;
    sequence.tell(QStringLiteral("1"));
    sequence.then(toldThenFailed(QStringLiteral("2"), QStringLiteral("first")));
    sequence.then(toldThenFailed(QStringLiteral("3"), QStringLiteral("second")));
    CommandOutcome last;
    last.tell(QStringLiteral("4"));
    sequence.then(last);

    EXPECT_EQ(sequence.status, CommandOutcome::Status::Failed);
    EXPECT_EQ(sequence.reason, QStringLiteral("first"));
    // The later failure is told where it came, but it is not the outcome's reason.
    EXPECT_EQ(texts(sequence.boxes()),
              QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("first (raison)"), QStringLiteral("3"),
                           QStringLiteral("second"), QStringLiteral("4")}));

    // A refusal after steps that were done keeps their notices first.
    CommandOutcome refused;
    refused.tell(QStringLiteral("a"));
    refused.then(CommandOutcome::refused(QStringLiteral("non")));
    EXPECT_EQ(refused.status, CommandOutcome::Status::Refused);
    EXPECT_EQ(texts(refused.boxes()), QStringList({QStringLiteral("a"), QStringLiteral("non (raison)")}));
}

TEST(CommandOutcomeTest, CountsAddUpAndWhatCameEarlierIsToldFirst)
{
    CommandOutcome import;
    import.archivesRead = 1;
    import.imported = 18;
    import.skipped = 2;
    import.summary = QStringLiteral("Import");
    CommandOutcome save = CommandOutcome::failed(QStringLiteral("disque plein"));
    save.historyKept = true;
    CommandOutcome stopped = CommandOutcome::failed(QString());
    stopped.stopped = true;
    import.then(save).then(stopped);
    EXPECT_EQ(import.archivesRead, 1);
    EXPECT_EQ(import.imported, 18);
    EXPECT_EQ(import.skipped, 2);
    EXPECT_EQ(import.summary, QStringLiteral("Import"));
    EXPECT_TRUE(import.historyKept);
    EXPECT_TRUE(import.stopped);
    EXPECT_EQ(import.reason, QStringLiteral("disque plein"));

    // An exit that wrote the list beside the history: done, once the save's failure is told.
    CommandOutcome beside = CommandOutcome::told(Notice{QStringLiteral("à côté")});
    beside.after(save);
    EXPECT_TRUE(beside.isDone());
    EXPECT_EQ(texts(beside.boxes()), QStringList({QStringLiteral("disque plein"), QStringLiteral("à côté")}));
    // A failure after what was told: its reason stays last.
    CommandOutcome refused = CommandOutcome::refused(QStringLiteral("non"));
    refused.after(CommandOutcome::told(Notice{QStringLiteral("avant")}));
    EXPECT_EQ(texts(refused.boxes()), QStringList({QStringLiteral("avant"), QStringLiteral("non (raison)")}));
}
