#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "documents/plan_edit.h"
#include "documents/report_pages.h"
#include "documents/solve_run.h"
#include "documents/table_file.h"
#include "documents/task_editing.h"
#include "web/grids_text.h"
#include "web/report_index_text.h"
#include "web/stepwise_replay.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {

const std::filesystem::path kTables = std::filesystem::path(KARGOLO_SOURCE_DIR) / "examples" / "tables";

TaskGrids Task(const char* name) {
    TableFileContents contents;
    EXPECT_TRUE(ReadTableFile(kTables / name, contents).Ok());
    WriteCaptions(contents.Grids);
    return contents.Grids;
}

TEST(GridsText, KeepsEveryCellAsItIs) {
    TaskGrids grids = NewTaskGrids(2, 3);
    WriteCaptions(grids);
    grids.Tarif.At(1, 1) = "a\tb";
    grids.Tarif.At(2, 1) = "line\nbreak\\";
    grids.Tarif.At(3, 2) = "";
    grids.Restriction.At(1, 2) = "\\t not a tab";
    grids.Restriction.At(2, 2) = "м";
    TaskGrids read;
    ASSERT_TRUE(GridsFromText(GridsToText(grids), read));
    EXPECT_EQ(read, grids);
    for (const TaskKind kind : {TaskKind::Time, TaskKind::Assignment}) {
        grids.Kind = kind;
        ASSERT_TRUE(GridsFromText(GridsToText(grids), read));
        EXPECT_EQ(read, grids);
    }
    // A text kept by the page before tasks had a kind holds a transportation task.
    const std::string text = GridsToText(NewTaskGrids(2, 2, TaskKind::Time));
    const std::size_t kindAt = text.find("\ttime\n");
    ASSERT_TRUE(GridsFromText(text.substr(0, kindAt) + text.substr(kindAt + 5), read));
    EXPECT_EQ(read.Kind, TaskKind::Transport);
}

TEST(GridsText, RefusesTextsItDidNotWrite) {
    const std::string good = GridsToText(NewTaskGrids(2, 2));
    TaskGrids read = NewTaskGrids(5, 5);
    const TaskGrids before = read;
    for (const std::string& bad :
         {std::string(), std::string("kargolo-grids\t4\t4\n"), good.substr(0, good.size() - 3),
          good + "extra\n", std::string("kargolo-grids\t100000\t100000\n"), std::string("kargolo-grids\t-4\t4\n"),
          std::string("other\t4\t4\n") + good.substr(good.find('\n') + 1),
          std::string("kargolo-grids\t4\t4\tmin\tother\n") + good.substr(good.find('\n') + 1)}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(GridsFromText(bad, read));
        EXPECT_EQ(read, before);
    }
}

// A report written in the page's worker is paged on the page: the index crosses as text.
TEST(ReportIndexText, GivesThePagerTheSameIndex) {
    SolveState s;
    SolveSettings settings;
    SilentHooks hooks;
    ASSERT_TRUE(RunSolve(Task("capacity-limits-3x4.tab"), true, false, settings, hooks, s).Refusal.empty());
    ReportIndex index = s.Report.Index();
    index.Breaks.push_back({index.BodyEnd - 10, -1, 0});
    index.Tables.push_back({index.BodyBegin, index.BodyBegin + 5, index.BodyBegin + 20, 3});
    index.Breaks.push_back({index.BodyBegin + 10, 0, 2});
    ReportIndex read;
    ASSERT_TRUE(IndexFromText(IndexToText(index), read));
    EXPECT_EQ(IndexToText(read), IndexToText(index));
    const PagingLimits small{1000, 1000};
    const ReportLayout expected = LayOutReport(index, s.Report.Size(), small);
    const ReportLayout got = LayOutReport(read, s.Report.Size(), small);
    ASSERT_EQ(got.Entries.size(), expected.Entries.size());
    for (std::size_t k = 0; k < got.Entries.size(); ++k) EXPECT_EQ(got.Entries[k].Label, expected.Entries[k].Label);
    ASSERT_EQ(got.Pages.size(), expected.Pages.size());
    EXPECT_GT(expected.Pages.size(), 1u);
}

TEST(ReportIndexText, RefusesBrokenTexts) {
    ReportIndex index;
    index.BodyBegin = 5;
    index.Sections.push_back({ReportSectionKind::Answer, 2, RunEnding::Stopped, 40, true, -7});
    const std::string good = IndexToText(index);
    ReportIndex read;
    read.BodyEnd = 99;
    for (const std::string& bad : {std::string(), good.substr(0, good.size() / 2), good + "1",
                                   std::string("0 10 1 9 1 20 0 0 0 0"), std::string("0 10 0 1 5 3 0 0"),
                                   std::string("0 10 99999999 1 2 3"), std::string("0 10 1 4 2 7 40 1 -7 0 0")}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(IndexFromText(bad, read));
        EXPECT_EQ(read.BodyEnd, 99u);
    }
}

// The oracle: a stepwise run that keeps its stack, as the desktop's pause does, told by a script
// what the user does at each pause.
struct Step {
    std::vector<PauseEdit> Edits;
    StageDecision Decision = StageDecision::Continue;
};

// One pause of the desktop's window: the plan checked as it opens, the edits, the decision.
StageAnswer LivePause(SolveState& s, const Step& step) {
    PlanEditor editor(s);
    for (const PauseEdit& e : step.Edits) editor.AcceptCellEdit(e.Row, e.Column, e.Text);
    if (step.Decision == StageDecision::Back) return {StageDecision::Back, false};
    FinishStepwiseEdits(s);
    return {step.Decision, editor.planChanged()};
}

class ScriptedPauses : public SolveHooks {
public:
    explicit ScriptedPauses(std::vector<Step> steps) : m_steps(std::move(steps)) {}
    void AddStatusLine(std::string_view) override {}
    void ReplaceStatusLine(std::string_view) override {}
    StageAnswer BeforeStage(SolveState& s, unsigned, bool) override {
        const Step step = m_next < m_steps.size() ? m_steps[m_next] : Step{};
        ++m_next;
        return LivePause(s, step);
    }

private:
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
};

SolveSettings Stepwise() {
    SolveSettings settings;
    settings.SolveMode = kSolveModeStepwise;
    return settings;
}

struct Replayed {
    std::string Report;
    SolveRunResult Result;
    std::vector<unsigned> Stages;  // of the pauses, in order
    std::vector<unsigned> StepsBack;
};

// The replayed run, paused and taken up again once per step, then left to end.
Replayed Replay(const TaskGrids& task, bool limits, const std::vector<Step>& steps) {
    ReplayRun run(task, limits, false, Stepwise());
    Replayed out;
    SilentHooks status;
    for (std::size_t k = 0;; ++k) {
        SolveState s;
        if (!run.Run(status, s, out.Result)) {
            out.Report = s.Report.Text();
            return out;
        }
        out.Stages.push_back(run.pause().Stage);
        out.StepsBack.push_back(run.pause().StepsBack);
        const Step step = k < steps.size() ? steps[k] : Step{};
        for (const PauseEdit& e : step.Edits) run.Edit(e.Row, e.Column, e.Text);
        std::string refusal;
        EXPECT_TRUE(run.Decide(step.Decision, refusal)) << refusal;
        if (k > 200) {
            ADD_FAILURE() << "the run does not end";
            return out;
        }
    }
}

std::string Live(const TaskGrids& task, bool limits, const std::vector<Step>& steps, SolveRunResult& result) {
    SolveState s;
    ScriptedPauses hooks(steps);
    result = RunSolve(task, limits, false, Stepwise(), hooks, s);
    return s.Report.Text();
}

TEST(ReplayRun, WritesTheReportOfARunThatPausedInOneGo) {
    const struct {
        const char* Name;
        const char* Task;
        bool Limits;
        std::vector<Step> Steps;
    } cases[] = {
        {"every stage", "closed-3x4.tab", false, {}},
        // 15 shifted along the cycle (2,3) (2,4) (3,4) (3,3): the plan the next stage would take.
        {"edits that keep a basic plan", "closed-3x4.tab", false,
         {{{{1, 2, ""}, {2, 3, "25"}, {1, 3, "15"}, {2, 2, "25"}}, StageDecision::Continue}}},
        {"a stage back and again", "closed-3x4.tab", false,
         {{}, {{{1, 1, "5"}}, StageDecision::Back}, {}, {{}, StageDecision::Back}, {}}},
        {"to the end", "open-deficit-3x3.tab", false, {{}, {{}, StageDecision::RunToEnd}}},
        {"an abort", "closed-3x4.tab", false, {{}, {{}, StageDecision::Abort}}},
        {"limits", "capacity-limits-3x4.tab", true, {{}, {{{0, 0, "10"}}, StageDecision::Abort}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TaskGrids task = Task(c.Task);
        SolveRunResult live;
        const std::string expected = Live(task, c.Limits, c.Steps, live);
        const Replayed replayed = Replay(task, c.Limits, c.Steps);
        EXPECT_EQ(replayed.Report, expected);
        EXPECT_EQ(replayed.Result.Aborted, live.Aborted);
        EXPECT_GE(replayed.Stages.size(), c.Steps.size());
    }
}

TaskGrids GridsOf(const TaskSpec& task) {
    const int m = static_cast<int>(task.Supplies.size());
    const int n = static_cast<int>(task.Demands.size());
    TaskGrids grids = NewTaskGrids(m, n);
    for (int i = 0; i < m; ++i) {
        grids.Tarif.At(n + 1, i + 1) = std::to_string(task.Supplies[static_cast<std::size_t>(i)]);
        for (int j = 0; j < n; ++j) {
            const auto k = static_cast<std::size_t>(i * n + j);
            grids.Tarif.At(j + 1, i + 1) = task.Tariffs.empty() ? "1" : std::to_string(task.Tariffs[k]);
            if (!task.Limits.empty()) {
                grids.Restriction.At(j + 1, i + 1) =
                    task.Limits[k] == static_cast<std::int32_t>(kNoLimit) ? "M" : std::to_string(task.Limits[k]);
            }
        }
    }
    for (int j = 0; j < n; ++j) grids.Tarif.At(j + 1, m + 1) = std::to_string(task.Demands[static_cast<std::size_t>(j)]);
    CopyRim(grids, GridKind::Tarif);
    return grids;
}

// What a restless user does at pause k: mostly the next stage, sometimes a stage back after an
// edit (taken back with the stage), now and then the rest of the run or an abort.
Step RandomStep(std::uint32_t seed, unsigned k, bool backOffered, int m, int n) {
    std::uint32_t r = (seed + 1) * 2654435761u ^ (k + 7) * 40503u;
    r ^= r >> 13;
    r *= 2246822519u;
    r ^= r >> 16;
    Step step;
    const unsigned pick = r % 16;
    if (k > 40 || pick == 0) {
        step.Decision = StageDecision::RunToEnd;
    } else if (pick == 1) {
        step.Decision = StageDecision::Abort;
    } else if (pick < 6 && backOffered) {
        step.Edits.push_back({static_cast<int>((r >> 8) % static_cast<unsigned>(m)),
                              static_cast<int>((r >> 16) % static_cast<unsigned>(n)), std::to_string((r >> 4) % 9)});
        step.Decision = StageDecision::Back;
    }
    return step;
}

class RandomPauses : public SolveHooks {
public:
    explicit RandomPauses(std::uint32_t seed) : m_seed(seed) {}
    void AddStatusLine(std::string_view) override {}
    void ReplaceStatusLine(std::string_view) override {}
    StageAnswer BeforeStage(SolveState& s, unsigned, bool backOffered) override {
        return LivePause(s, RandomStep(m_seed, m_next++, backOffered, s.m, s.n));
    }

private:
    std::uint32_t m_seed;
    unsigned m_next = 0;
};

// Random tasks with and without limits, random users: the replayed report is the live one.
TEST(ReplayRun, AgreesWithALiveRunOnRandomTasksAndUsers) {
    for (std::uint32_t seed = 0; seed < 60; ++seed) {
        SCOPED_TRACE(seed);
        const TaskSpec spec = seed % 3 == 2 ? RandomLimitedTask(seed) : RandomTask(seed);
        const bool limits = !spec.Limits.empty();
        const TaskGrids grids = GridsOf(spec);
        SolveState live;
        RandomPauses user(seed);
        const SolveRunResult expected = RunSolve(grids, limits, false, Stepwise(), user, live);
        ReplayRun run(grids, limits, false, Stepwise());
        SilentHooks status;
        SolveRunResult result;
        SolveState s;
        unsigned k = 0;
        while (run.Run(status, s, result)) {
            const Pause& pause = run.pause();
            const Step step = RandomStep(seed, k++, pause.BackOffered, pause.State.m, pause.State.n);
            for (const PauseEdit& e : step.Edits) run.Edit(e.Row, e.Column, e.Text);
            std::string refusal;
            ASSERT_TRUE(run.Decide(step.Decision, refusal)) << refusal;
            s = SolveState();
        }
        EXPECT_EQ(s.Report.Text(), live.Report.Text());
        EXPECT_EQ(result.Aborted, expected.Aborted);
        EXPECT_EQ(result.Failed, expected.Failed);
    }
}

TEST(ReplayRun, CountsTheStagesAndTheStepsBackOfEachPause) {
    const Replayed replayed = Replay(Task("closed-3x4.tab"), false,
                                     {{}, {}, {{}, StageDecision::Back}, {{}, StageDecision::Back}, {}});
    // A stage back is a stage of its own, on the plan the stage before it started with.
    ASSERT_GE(replayed.Stages.size(), 6u);
    EXPECT_EQ(std::vector<unsigned>(replayed.Stages.begin(), replayed.Stages.begin() + 6),
              (std::vector<unsigned>{1, 2, 3, 3, 3, 4}));
    EXPECT_EQ(std::vector<unsigned>(replayed.StepsBack.begin(), replayed.StepsBack.begin() + 6),
              (std::vector<unsigned>{0, 0, 0, 1, 2, 0}));
}

TEST(ReplayRun, KeepsThePauseOpenForAPlanThatIsNoBasicPlan) {
    ReplayRun run(Task("closed-3x4.tab"), false, false, Stepwise());
    SolveState s;
    SolveRunResult result;
    SilentHooks status;
    ASSERT_TRUE(run.Run(status, s, result));
    EXPECT_EQ(run.pause().Stage, 1u);
    EXPECT_FALSE(run.pause().BackOffered);
    std::string refusal;
    EXPECT_FALSE(run.Decide(StageDecision::Back, refusal));
    EXPECT_EQ(refusal, "");
    const TaskCell& first = run.pause().State.Cell(0, 0);
    ASSERT_TRUE(InBasis(first));
    run.Edit(0, 0, "");  // the supplier's cargo no longer all goes out
    EXPECT_FALSE(run.Decide(StageDecision::Continue, refusal));
    EXPECT_EQ(refusal, "Продолжение невозможно - нарушена опорность плана: "
                       "\nв таблице присутствуют не полностью загруженные клетки;");
    EXPECT_TRUE(run.Decide(StageDecision::Abort, refusal));
    SolveState end;
    EXPECT_FALSE(run.Run(status, end, result));
    EXPECT_TRUE(result.Aborted);
}

}  // namespace
}  // namespace kargolo::testing
