#include "gui/BacktestAction.h"

#include "chance/Backtest.h"
#include "gui/MainWindow.h"
#include "shell/ChanceCommands.h"
#include "shell/Workspace.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>

void BacktestAction::install(MainWindow& window)
{
    window.setWindowAction(QString::fromLatin1(kActionName), [&window] { run(window); });
}

void BacktestAction::run(MainWindow& window)
{
    ChanceCommands& chance = window.workspace().chance();
    const std::optional<int> size = chance.askBacktestSize();
    if (!size)
        return;
    const std::optional<BacktestJob> job = chance.prepareBacktest(*size);
    if (!job)
        return;

    // The worker reads only its own copy of the job and writes only `result` and the counters.
    std::atomic_bool cancel{false};
    std::atomic_int done{0}, total{0};
    BacktestResult result;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        result = Backtest::run(
            job->matrix, job->period, job->criteria, job->settings,
            [&](int d, int t) {
                done = d;
                total = t;
            },
            &cancel);
    }));

    QProgressDialog progress(QStringLiteral("Test de la prévision en cours..."), QStringLiteral("Arrêter"), 0, 0, &window);
    progress.setObjectName(QStringLiteral("backtestProgress"));
    progress.setWindowTitle(QStringLiteral("Tester la prévision"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setMinimumDuration(0);
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&] { cancel = true; });

    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, &progress, [&] {
        if (progress.wasCanceled())
            cancel = true;
        if (total > 0) {
            progress.setMaximum(total);
            progress.setValue(done);
        }
    });
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    poll.start();
    progress.show();
    // The work starts once the loop runs, after whatever was already waiting (a press of the stop
    // button included): the dialog is there before any draw is played.
    QTimer::singleShot(0, &progress, [&] { worker->start(); });
    loop.exec();
    worker->wait();
    poll.stop();
    progress.hide();
    chance.showBacktest(*job, result);
}
