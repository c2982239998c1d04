#pragma once

struct CommandContext;

// "Periode d'etude": the calendar filter replaces the list by the draws it keeps.
class FilterCommand {
public:
    explicit FilterCommand(CommandContext& context) : m_ctx(context) { }

    void periodeEtude();

private:
    CommandContext& m_ctx;
};
