#pragma once

struct CommandContext;

// Fetches the results archive, extracts it and appends its draws to the list.
class ImportCommand {
public:
    explicit ImportCommand(CommandContext& context) : m_ctx(context) { }

    void importArchive();

private:
    CommandContext& m_ctx;
};
