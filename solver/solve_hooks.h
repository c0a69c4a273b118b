#pragma once

// The two ways out of a run: status lines for the user watching it, and the stepwise pause
// before each stage of an improvement method. The core knows nothing of windows; the GUI, the
// command-line solver and the tests each provide their own hooks.

#include <string_view>

namespace kargolo {

struct SolveState;

// What the user decided in a stepwise pause: go on to the next pause, run to the end without
// pausing again, abort the run, or go back to the plan the previous stage started with (and be
// asked again).
enum class StageDecision { Continue, RunToEnd, Abort, Back };

struct StageAnswer {
    StageDecision Decision = StageDecision::Continue;
    bool PlanChanged = false;  // the user edited the plan during the pause
};

class SolveHooks {
public:
    virtual ~SolveHooks() = default;
    // Appends a line to the status display.
    virtual void AddStatusLine(std::string_view text) = 0;
    // Replaces the last status line (progress while a table is written).
    virtual void ReplaceStatusLine(std::string_view text) = 0;
    // Asked at the start of every stage of a stepwise run (stages count from 1); may change the
    // plan in s. Back may be answered only when backOffered.
    virtual StageAnswer BeforeStage(SolveState& s, unsigned stage, bool backOffered) = 0;
    // Whether the user asked to stop the run. Asked before every stage of an improvement
    // method in every mode; a yes ends the run as an abort in the stepwise pause does.
    virtual bool StopRequested() { return false; }
};

// Shows nothing and lets every stage run unchanged.
class SilentHooks : public SolveHooks {
public:
    void AddStatusLine(std::string_view) override {}
    void ReplaceStatusLine(std::string_view) override {}
    StageAnswer BeforeStage(SolveState&, unsigned, bool) override { return {}; }
};

}  // namespace kargolo
