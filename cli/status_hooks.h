#pragma once

// Status lines of a command-line run, written to a stream (standard error with --verbose). A
// replaced line is held back and printed once the next line starts, so a table's row-by-row
// progress shows as its last value instead of thousands of lines. Every stepwise pause
// continues with the plan unchanged.

#include <ostream>
#include <string>

#include "solver/solve_hooks.h"

namespace kargolo {

class StreamStatusHooks : public SolveHooks {
public:
    explicit StreamStatusHooks(std::ostream& out) : m_out(out) {}
    ~StreamStatusHooks() override { Flush(); }

    void AddStatusLine(std::string_view text) override;
    void ReplaceStatusLine(std::string_view text) override;
    StageAnswer BeforeStage(SolveState&, unsigned, bool) override { return {}; }
    void Flush();

private:
    std::ostream& m_out;
    std::string m_pending;
    bool m_hasPending = false;
};

}  // namespace kargolo
