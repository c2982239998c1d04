#pragma once

struct CommandContext;

// A click on the draw list: the study period ends at the draw before the line, and the line is
// prepared for correction (or the trailing empty item for a new draw).
class ListCommands {
public:
    explicit ListCommands(CommandContext& context) : m_ctx(context) { }

    void clickListe(int index);
    // A selection made by the program runs the click handling as a person's click does.
    void selectItem(int index);

private:
    void periodFromClick(int index);

    CommandContext& m_ctx;
};
