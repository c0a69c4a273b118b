#include "web/stepwise_replay.h"

namespace kargolo {
namespace {

// Thrown through the solver when the run reaches a pause it has no decision for.
struct PauseReached {};

}  // namespace

class ReplayRun::Hooks : public SolveHooks {
public:
    Hooks(ReplayRun& run, SolveHooks& status) : m_run(run), m_status(status) {}

    void AddStatusLine(std::string_view text) override { m_status.AddStatusLine(text); }
    void ReplaceStatusLine(std::string_view text) override { m_status.ReplaceStatusLine(text); }
    bool StopRequested() override { return m_status.StopRequested(); }

    StageAnswer BeforeStage(SolveState& s, unsigned stage, bool backOffered) override {
        if (m_next == m_run.m_records.size()) {
            Pause& pause = m_run.m_pause.emplace();
            pause.Stage = stage;
            pause.BackOffered = backOffered;
            pause.StepsBack = m_stepsBack;
            pause.State = s;
            pause.State.Report = ReportBuffer();
            m_run.m_editor.emplace(pause.State);
            m_paused = true;
            throw PauseReached();
        }
        // The window's life in one go: the plan checked as it opens, the edits, the decision.
        const PauseRecord& record = m_run.m_records[m_next++];
        PlanEditor editor(s);
        for (const PauseEdit& edit : record.Edits) editor.AcceptCellEdit(edit.Row, edit.Column, edit.Text);
        if (record.Decision == StageDecision::Back) {
            ++m_stepsBack;
            return {StageDecision::Back, false};
        }
        m_stepsBack = 0;
        FinishStepwiseEdits(s);
        return {record.Decision, editor.planChanged()};
    }

    bool Paused() const { return m_paused; }

private:
    ReplayRun& m_run;
    SolveHooks& m_status;
    std::size_t m_next = 0;
    unsigned m_stepsBack = 0;
    bool m_paused = false;
};

ReplayRun::ReplayRun(TaskGrids grids, bool restricted, bool planOnly, const SolveSettings& settings)
    : m_grids(std::move(grids)), m_restricted(restricted), m_planOnly(planOnly), m_settings(settings) {}

bool ReplayRun::Run(SolveHooks& status, SolveState& s, SolveRunResult& result) {
    m_editor.reset();
    m_pause.reset();
    m_edits.clear();
    if (m_settings.SolveMode == kSolveModeStepwise && !m_planOnly) {
        SolveSettings quick = m_settings;
        quick.ReportLimitMb = 1;
        DiscardingReportSink nowhere;
        SolveState replay;
        replay.Report.StreamTo(nowhere);
        Hooks hooks(*this, status);
        result = RunSolve(m_grids, m_restricted, m_planOnly, quick, hooks, replay);
        if (hooks.Paused()) return true;
    }
    Hooks hooks(*this, status);
    result = RunSolve(m_grids, m_restricted, m_planOnly, m_settings, hooks, s);
    return hooks.Paused();
}

PlanEditor::EditResult ReplayRun::Edit(int row, int column, std::string_view text) {
    PlanEditor::EditResult result = m_editor->AcceptCellEdit(row, column, text);
    m_edits.push_back({row, column, std::string(text)});
    return result;
}

bool ReplayRun::Decide(StageDecision decision, std::string& refusal) {
    refusal.clear();
    if (decision == StageDecision::Back && !m_pause->BackOffered) return false;
    if (decision == StageDecision::Continue || decision == StageDecision::RunToEnd) {
        refusal = m_editor->continueRefusal();
        if (!refusal.empty()) return false;
    }
    m_records.push_back({std::move(m_edits), decision});
    m_edits.clear();
    return true;
}

}  // namespace kargolo
