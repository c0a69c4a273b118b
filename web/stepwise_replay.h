#pragma once

// A stepwise run that pauses without a second thread and without keeping its stack: a page's
// worker cannot wait inside the solver for the user, so the run stops at a pause and is run
// again from the start when the user has decided. Each pause's edits and decision are kept; a
// run replays them (the solver is deterministic, so every pause before the new one sees the same
// plan again) and stops at the first pause it has no decision for. There the plan is kept for
// the user to edit, checked as the desktop's stepwise window checks it.
//
// The report of a run that stopped at a pause is not wanted, so a replay writes only the first
// megabyte of it (the course is cut there, as at the report's size limit, which changes no choice
// of the solver); a replay that ends (the optimum, "До конца", an abort) is run once more to write
// the whole report, the same as a run that paused in one go.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/plan_edit.h"
#include "documents/solve_run.h"
#include "documents/task_grids.h"
#include "solver/solve_hooks.h"
#include "solver/solve_state.h"

namespace kargolo {

struct PauseEdit {
    int Row = 0;  // plan cell, from 0
    int Column = 0;
    std::string Text;
};

struct PauseRecord {
    std::vector<PauseEdit> Edits;
    StageDecision Decision = StageDecision::Continue;
};

// Where a run stopped for the user.
struct Pause {
    unsigned Stage = 0;
    bool BackOffered = false;
    unsigned StepsBack = 0;  // answered Back so many times in a row before this pause
    SolveState State;        // the task and plan at the pause (no report)
};

class ReplayRun {
public:
    ReplayRun(TaskGrids grids, bool restricted, bool planOnly, const SolveSettings& settings);

    // Runs from the start with the decisions made so far, writing the report to s (whose
    // report may stream to a sink). Returns true when the run stopped at a new pause (see
    // pause()); false when it ended, with its result.
    bool Run(SolveHooks& status, SolveState& s, SolveRunResult& result);

    // During a pause: the plan, its check, and the user's edits.
    const Pause& pause() const { return *m_pause; }
    Pause& pause() { return *m_pause; }
    PlanEditor& editor() { return *m_editor; }
    PlanEditor::EditResult Edit(int row, int column, std::string_view text);
    // Takes the user's decision for the pause; false when it is not taken: Back where it is not
    // offered, or a plan that is no basic plan to continue with (refusal then holds the message
    // that keeps the pause open). After a decision, Run goes on to the next pause or the end.
    bool Decide(StageDecision decision, std::string& refusal);

    const std::vector<PauseRecord>& records() const { return m_records; }

private:
    class Hooks;

    TaskGrids m_grids;
    bool m_restricted;
    bool m_planOnly;
    SolveSettings m_settings;
    std::vector<PauseRecord> m_records;
    std::vector<PauseEdit> m_edits;  // of the pause shown now
    std::optional<Pause> m_pause;
    std::optional<PlanEditor> m_editor;
};

}  // namespace kargolo
