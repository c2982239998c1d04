#pragma once

class AnalysisCommands;
class ArchiveSource;
class ChanceCommands;
class BaseCommand;
class EntryCommands;
class FilterCommand;
class ForecastCommands;
class GridCommands;
class HistoryCommands;
class ImportCommand;
class ListCommands;
class OutputCommands;
class RankingCommands;
class UserInterface;
class Workspace;
struct WorkspaceConfig;
struct WorkspaceState;

// What every command unit works with: the state, the files, the person, and the other units,
// which a command calls in the order its steps give.
struct CommandContext {
    WorkspaceState& state;
    const WorkspaceConfig& config;
    UserInterface& ui;
    Workspace& workspace;
    ArchiveSource* source = nullptr;

    HistoryCommands* history = nullptr;
    ImportCommand* import = nullptr;
    ListCommands* list = nullptr;
    RankingCommands* rankings = nullptr;
    GridCommands* grid = nullptr;
    EntryCommands* entry = nullptr;
    FilterCommand* filter = nullptr;
    ForecastCommands* forecast = nullptr;
    ChanceCommands* chance = nullptr;
    AnalysisCommands* analyses = nullptr;
    OutputCommands* output = nullptr;
    BaseCommand* base = nullptr;

    // Tells the shells which parts of the state changed (Workspace::Part flags).
    void changed(unsigned parts) const;
};

// The hourglass for as long as it lives; nested uses keep it until the outermost ends.
class Hourglass {
public:
    explicit Hourglass(const CommandContext& context);
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    const CommandContext& m_context;
};
