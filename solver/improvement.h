#pragma once

// Improvement of a first plan, stage by stage, until no free cell has a negative estimate.
//
// Each stage: the stepwise pause (SolveMode 2), completion of a degenerate plan with basis
// zeros, the estimates of the free cells, the choice of the entering cell, its cycle and the
// shift along it, and the new F.
//   Method of potentials: u_1 = 0 and u_i + v_j = c_i,j on the basic cells; S = c - u - v.
//   Distributive method: S is the sum of the tariffs along the cell's cycle with alternating
//   signs, which equals c - u - v.
// Tie rule: the most negative estimate enters; on equal estimates the smaller tariff; on equal
// tariffs the first cell in row-major order. A zero estimate never enters. When the stages come
// back to a basis they had already had, CyclingGuard makes the choice stricter (one line of
// the report says so).

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "solver/restricted.h"
#include "solver/solve_state.h"

namespace kargolo {

struct SolveState;
class SolveHooks;

struct ImprovementResult {
    bool Completed = true;  // false: the user aborted the run in the stepwise pause
    unsigned Stages = 0;     // stages run, as the report numbers them; the last finds the optimum
    BoundedOutcome Bounded;  // with limits
    bool Unsolvable = false; // with limits: they keep part of the cargo from its consumers
};

// Both return true when the plan cannot be improved any more, false when the user aborted;
// stages receives the number of stages run.
bool SolveByPotentials(SolveState& s, SolveHooks& hooks, unsigned& stages);
bool SolveByDistribution(SolveState& s, SolveHooks& hooks, unsigned& stages);
inline bool SolveByPotentials(SolveState& s, SolveHooks& hooks) {
    unsigned stages = 0;
    return SolveByPotentials(s, hooks, stages);
}
inline bool SolveByDistribution(SolveState& s, SolveHooks& hooks) {
    unsigned stages = 0;
    return SolveByDistribution(s, hooks, stages);
}

// The stepwise pause before each stage of a stepwise run, shared by the methods: asks the user
// until they let the run go on to its end, and writes the plan they changed. It remembers the
// plan each stage started with, so that the user can go back a stage (and again), as far as
// the task keeps its shape and the plans fit in kBackHistoryBytes; a plan taken back counts
// as a plan the user changed.
class StepwisePause {
public:
    enum class Outcome { Unchanged, PlanChanged, Abort };
    static constexpr std::size_t kBackHistoryBytes = std::size_t{64} << 20;

    StepwisePause(SolveState& s, SolveHooks& hooks) : m_s(s), m_hooks(hooks) {}
    Outcome Ask(unsigned stage);

private:
    struct StagePlan {
        int m = 0;
        int n = 0;
        std::vector<TaskCell> Cells;
        std::vector<RimEntry> Supplies;
        std::vector<RimEntry> Demands;
        std::int32_t EpsilonCounter = 0;
        std::int64_t ObjectiveF = 0;

        std::size_t Bytes() const {
            return Cells.size() * sizeof(TaskCell) + (Supplies.size() + Demands.size()) * sizeof(RimEntry);
        }
    };
    StagePlan CurrentPlan() const;
    void RememberCurrentPlan();
    void GoBack();

    SolveState& m_s;
    SolveHooks& m_hooks;
    bool m_runToEnd = false;  // the user let the run go on without pauses
    std::deque<StagePlan> m_history;  // the plans stages started with, the current one last
    std::size_t m_historyBytes = 0;
};

// Runs the improvement method that the settings name.
ImprovementResult ImprovePlan(SolveState& s, SolveHooks& hooks);

}  // namespace kargolo
