#pragma once

class MainWindow;

// "Tester la prévision" in the window: the backtest runs on a worker thread while a progress
// dialog with a stop button keeps the window alive; the report is written when it ends.
class BacktestAction {
public:
    static constexpr const char* kActionName = "TestPrev";

    // Registers the menu row's handler with the window.
    static void install(MainWindow& window);
    static void run(MainWindow& window);
};
