#pragma once

#include <QList>

struct CommandContext;

// The grid of seventy number boxes.
class GridCommands {
public:
    explicit GridCommands(CommandContext& context) : m_ctx(context) { }

    void setCheck(int number, bool ticked);
    void untickAll();
    void toutCocher();
    QList<int> chosenNumbers() const;
    // Selects, in both result lists, the lines of the ticked numbers.
    void reperage();

private:
    void boxUpdate();

    CommandContext& m_ctx;
};
