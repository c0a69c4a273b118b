#include "documents/plan_check.h"

#include <gtest/gtest.h>

#include <set>

#include "documents/docx_writer.h"
#include "documents/exercise_generator.h"
#include "documents/solve_run.h"
#include "documents/text_numbers.h"
#include "solver/basis.h"
#include "solver/solve_hooks.h"
#include "tests/support/docx_reader.h"

namespace kargolo::testing {
namespace {

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

struct Solved {
    PlanQuantities Plan;  // the task's own routes
    std::int64_t F = 0;
    SolveState State;  // the balanced table at the end of the run
};

// The plan kargolo-solve finds (or, with planOnly, its first plan by the rule).
Solved Solve(const TaskGrids& grids, bool limits, bool planOnly = false,
             std::int32_t rule = kPlanVogel) {
    Solved solved;
    SolveSettings settings;
    settings.SolveMode = kSolveModeChecking;
    settings.PlanMethod = rule;
    SilentHooks quiet;
    EXPECT_EQ(RunSolve(grids, limits, planOnly, settings, quiet, solved.State).Refusal, "");
    const SolveState& s = solved.State;
    solved.F = ComputeObjectiveF(s);
    for (int i = 0; i < grids.Suppliers(); ++i) {
        solved.Plan.emplace_back();
        for (int j = 0; j < grids.Consumers(); ++j)
            solved.Plan.back().push_back(std::max(0, s.Cell(i, j).Cargo));
    }
    return solved;
}

std::set<std::string> Kinds(const PlanVerdict& v) {
    std::set<std::string> kinds;
    for (const PlanMistake& mistake : v.Mistakes) kinds.insert(mistake.Kind);
    return kinds;
}

std::string TextOf(const PlanVerdict& v, const std::string& kind) {
    for (const PlanMistake& mistake : v.Mistakes) {
        if (mistake.Kind == kind) return mistake.Text;
    }
    return {};
}

std::int64_t Cost(const TaskGrids& g, const PlanQuantities& plan) {
    std::int64_t cost = 0;
    for (int i = 0; i < g.Suppliers(); ++i) {
        for (int j = 0; j < g.Consumers(); ++j)
            cost += TextToNumber(g.Tarif.At(j + 1, i + 1)) * plan[At(i)][At(j)];
    }
    return cost;
}

ExerciseOptions Random(unsigned k, int limitedPercent = 0) {
    ExerciseOptions options;
    options.Suppliers = 3 + static_cast<int>(k % 3);
    options.Consumers = 3 + static_cast<int>(k / 3 % 3);
    options.Type = static_cast<ExerciseType>(k % 3);
    options.Degenerate = k % 4 == 1;
    options.HighestTariff = k % 2 == 0 ? 3 : 20;  // small ranges make ties and other optima
    options.LimitedPercent = limitedPercent;
    options.Seed = 1000 + k;
    return options;
}

// The cycle is closed, turns at each cell (a row, then a column, alternately) and runs through
// occupied cells only.
void ExpectValidCycle(const std::vector<std::pair<int, int>>& cycle, const PlanQuantities& plan) {
    ASSERT_GE(cycle.size(), 4u);
    ASSERT_EQ(cycle.size() % 2, 0u);
    for (std::size_t k = 0; k < cycle.size(); ++k) {
        const auto [i, j] = cycle[k];
        const auto [ni, nj] = cycle[(k + 1) % cycle.size()];
        EXPECT_TRUE(k % 2 == 0 ? i == ni : j == nj) << "step " << k << " does not turn";
        if (i < static_cast<int>(plan.size()) && j < static_cast<int>(plan[0].size())) {
            EXPECT_GT(plan[At(i)][At(j)], 0);
        }
    }
}

// Optimal plans pass: every check right, the stated F taken, nothing to name.
TEST(CheckPlan, AcceptsOptimalPlansOfEveryKindOfTask) {
    for (unsigned k = 0; k < 60; ++k) {
        SCOPED_TRACE(k);
        const GeneratedExercise task = GenerateExercise(Random(k, k % 5 == 0 ? 40 : 0), 0);
        ASSERT_EQ(task.Failure, "");
        const Solved optimum = Solve(task.Grids, task.Limits);
        const PlanVerdict v = CheckPlan(task.Grids, task.Limits, optimum.Plan, optimum.F);
        ASSERT_EQ(v.Refusal, "");
        if (!v.OptimalF) continue;  // the limits block the task: the run's plan is no plan
        EXPECT_TRUE(v.Mistakes.empty()) << v.Mistakes.front().Text;
        EXPECT_TRUE(v.Balanced && v.WithinLimits && v.Basic && v.Optimal);
        EXPECT_EQ(v.Cost, optimum.F);
        EXPECT_EQ(v.Cost, Cost(task.Grids, optimum.Plan));
        EXPECT_EQ(v.StatedFRight, std::optional<bool>(true));
        // A degenerate plan takes the zeros it lacks; they close no cycle with the plan.
        EXPECT_LE(v.Occupied + static_cast<int>(v.AddedZeros.size()), v.Rows + v.Columns - 1);
    }
}

// Another optimum: the final plan shifted along the cycle of a free cell whose estimate is 0.
TEST(CheckPlan, AcceptsOtherOptimaOfTheSameCost) {
    int others = 0;
    for (unsigned k = 0; k < 120 && others < 15; ++k) {
        const GeneratedExercise task = GenerateExercise(Random(k), 0);
        Solved optimum = Solve(task.Grids, false);
        SolveState& s = optimum.State;
        BasisForest basis(s);
        if (basis.Count() != s.m + s.n - 1 || !basis.Root()) continue;
        FindPotentials(s, basis, false);
        for (int cell = 0; cell < s.CellCount(); ++cell) {
            const TaskCell& c = s.At(cell);
            if (basis.Contains(cell) || c.Tariff != s.PotentialsU[At(cell / s.n)].Value +
                                                        s.PotentialsV[At(cell % s.n)].Value) {
                continue;
            }
            s.CycleList = {cell};
            basis.AppendCycle(cell, s.CycleList);
            SetPlanQuantity(s.At(cell), {0, 0});
            if (ShiftAlongCycle(s) == 0) break;  // degenerate: the same plan
            PlanQuantities other = optimum.Plan;
            for (int i = 0; i < task.Grids.Suppliers(); ++i) {
                for (int j = 0; j < task.Grids.Consumers(); ++j)
                    other[At(i)][At(j)] = std::max(0, s.Cell(i, j).Cargo);
            }
            SCOPED_TRACE(k);
            ASSERT_NE(other, optimum.Plan);
            ASSERT_EQ(Cost(task.Grids, other), optimum.F);
            const PlanVerdict v = CheckPlan(task.Grids, false, other, std::nullopt);
            EXPECT_TRUE(v.Mistakes.empty()) << v.Mistakes.front().Text;
            EXPECT_TRUE(v.Optimal && v.Basic);
            ++others;
            break;
        }
    }
    EXPECT_GE(others, 10) << "too few tasks with another optimum: the test tries too little";
}

// Each planted mistake is named, and only the mistakes it makes.
TEST(CheckPlan, NamesAWrongRimSum) {
    for (unsigned k = 0; k < 30; ++k) {
        SCOPED_TRACE(k);
        ExerciseOptions options = Random(k);
        options.Type = ExerciseType::Closed;
        const GeneratedExercise task = GenerateExercise(options, 0);
        PlanQuantities plan = Solve(task.Grids, false).Plan;
        // An occupied cell: a free one filled would make a cycle as well.
        int i = static_cast<int>(k % 3);
        int j = 0;
        while (plan[At(i)][At(j)] == 0) ++j;
        const bool more = k % 2 == 0 || plan[At(i)][At(j)] < 3;
        plan[At(i)][At(j)] += more ? 3 : -3;
        const PlanVerdict v = CheckPlan(task.Grids, false, plan, std::nullopt);
        EXPECT_FALSE(v.Balanced);
        EXPECT_EQ(Kinds(v), (std::set<std::string>{"row-balance", "column-balance"}));
        const std::string how = more ? "на 3 больше." : "на 3 меньше.";
        EXPECT_TRUE(
            TextOf(v, "row-balance").starts_with("Поставщик A" + std::to_string(i + 1) + " "))
            << TextOf(v, "row-balance");
        EXPECT_TRUE(TextOf(v, "row-balance").ends_with(how));
        EXPECT_TRUE(
            TextOf(v, "column-balance").starts_with("Потребитель B" + std::to_string(j + 1) + " "));
        EXPECT_TRUE(TextOf(v, "column-balance").ends_with(how));
    }
}

// An open task: the side with the surplus may keep it, the other must balance.
TEST(CheckPlan, LetsTheSurplusStayButNotTheDemandGoShort) {
    ExerciseOptions options = Random(0);
    options.Type = ExerciseType::Surplus;
    const GeneratedExercise task = GenerateExercise(options, 0);
    const Solved optimum = Solve(task.Grids, false);
    PlanQuantities plan = optimum.Plan;
    int i = 0;
    while (plan[At(i)][0] == 0) ++i;
    plan[At(i)][0] -= 1;  // the supplier ships less (allowed), the consumer gets less (not)
    const PlanVerdict v = CheckPlan(task.Grids, false, plan, std::nullopt);
    EXPECT_EQ(Kinds(v), (std::set<std::string>{"column-balance"}));
    EXPECT_NE(TextOf(v, "column-balance").find("на 1 меньше"), std::string::npos);
    EXPECT_TRUE(CheckPlan(task.Grids, false, optimum.Plan, std::nullopt).FictitiousConsumer);
}

TEST(CheckPlan, NamesABrokenLimitAndAClosedRoute) {
    for (unsigned k = 0; k < 20; ++k) {
        SCOPED_TRACE(k);
        GeneratedExercise task = GenerateExercise(Random(k, 50), 0);
        ASSERT_EQ(task.Failure, "");
        const Solved optimum = Solve(task.Grids, true);
        int i = 0;
        int j = 0;
        while (optimum.Plan[At(i)][At(j)] < 2) {
            if (++j == task.Grids.Consumers()) j = 0, ++i;
        }
        TaskGrids tighter = task.Grids;
        const std::int64_t x = optimum.Plan[At(i)][At(j)];
        tighter.Restriction.At(j + 1, i + 1) = NumberToText(x - 1);
        PlanVerdict v = CheckPlan(tighter, true, optimum.Plan, std::nullopt);
        EXPECT_FALSE(v.WithinLimits);
        EXPECT_TRUE(Kinds(v).contains("limit"));
        EXPECT_FALSE(Kinds(v).contains("row-balance") || Kinds(v).contains("column-balance"));
        EXPECT_NE(
            TextOf(v, "limit")
                .find(Format("X<sub>%d,%d</sub> = %lld", i + 1, j + 1, static_cast<long long>(x))),
            std::string::npos);
        EXPECT_TRUE(TextOf(v, "limit").ends_with(" на 1."));
        tighter.Restriction.At(j + 1, i + 1) = "0";
        v = CheckPlan(tighter, true, optimum.Plan, std::nullopt);
        EXPECT_TRUE(Kinds(v).contains("closed-route"));
        EXPECT_TRUE(
            TextOf(v, "closed-route").starts_with(Format("Маршрут (%d,%d) закрыт", i + 1, j + 1)));
    }
}

// Four occupied cells in a rectangle and one more: as many cells as a basis, but a cycle.
TEST(CheckPlan, NamesACycleEvenWithoutTooManyCells) {
    TaskGrids grids = MakeTaskGrids(3, 3);
    const char* const tariffs[3][4] = {
        {"1", "2", "3", "10"}, {"2", "1", "3", "10"}, {"3", "3", "1", "5"}};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) grids.Tarif.At(j + 1, i + 1) = tariffs[i][j];
    }
    grids.Tarif.At(1, 4) = "10";
    grids.Tarif.At(2, 4) = "10";
    grids.Tarif.At(3, 4) = "5";
    const PlanQuantities plan = {{5, 5, 0}, {5, 5, 0}, {0, 0, 5}};
    const PlanVerdict v = CheckPlan(grids, false, plan, std::nullopt);
    EXPECT_EQ(Kinds(v), (std::set<std::string>{"cycle", "not-optimal"}));
    EXPECT_FALSE(v.Basic);
    EXPECT_EQ(v.Occupied, 5);
    ExpectValidCycle(v.Cycle, plan);
    using Cells = std::set<std::pair<int, int>>;
    EXPECT_EQ(Cells(v.Cycle.begin(), v.Cycle.end()), (Cells{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
    EXPECT_NE(TextOf(v, "cycle").find("(1,1) &rarr; "), std::string::npos);
}

// A free cell of an optimal basic plan filled part of the way along its cycle: one cell too
// many, and the cycle it closes.
TEST(CheckPlan, NamesTooManyCellsAndTheirCycle) {
    int planted = 0;
    for (unsigned k = 0; k < 60 && planted < 20; ++k) {
        const GeneratedExercise task = GenerateExercise(Random(k), 0);
        Solved optimum = Solve(task.Grids, false);
        SolveState& s = optimum.State;
        BasisForest basis(s);
        const auto carries = [&s](int cell) { return s.At(cell).Cargo > 0; };
        if (basis.Count() != s.m + s.n - 1 || !basis.Root() ||
            !std::all_of(basis.Cells().begin(), basis.Cells().end(), carries)) {
            continue;  // a degenerate plan has room for one more cell
        }
        for (int cell = 0; cell < s.CellCount(); ++cell) {
            const int i = cell / s.n;
            const int j = cell % s.n;
            if (basis.Contains(cell) || i >= task.Grids.Suppliers() || j >= task.Grids.Consumers())
                continue;
            std::vector<int> cycle = {cell};
            basis.AppendCycle(cell, cycle);
            bool reachesFictitious = false;
            std::int32_t theta = INT32_MAX;
            for (std::size_t t = 0; t < cycle.size(); ++t) {
                reachesFictitious |= cycle[t] / s.n >= task.Grids.Suppliers() ||
                                     cycle[t] % s.n >= task.Grids.Consumers();
                if (t % 2 == 1) theta = std::min(theta, s.At(cycle[t]).Cargo);
            }
            if (reachesFictitious || theta < 2) continue;
            PlanQuantities plan = optimum.Plan;
            for (std::size_t t = 0; t < cycle.size(); ++t) {
                plan[At(cycle[t] / s.n)][At(cycle[t] % s.n)] += t % 2 == 0 ? 1 : -1;
            }
            SCOPED_TRACE(k);
            const PlanVerdict v = CheckPlan(task.Grids, false, plan, std::nullopt);
            std::set<std::string> expected = {"too-many-cells", "cycle"};
            if (Cost(task.Grids, plan) > optimum.F) expected.insert("not-optimal");
            EXPECT_EQ(Kinds(v), expected);
            EXPECT_EQ(v.Occupied, v.Rows + v.Columns);
            EXPECT_NE(
                TextOf(v, "too-many-cells").find(Format("m+n-1 = %d", v.Rows + v.Columns - 1)),
                std::string::npos);
            ExpectValidCycle(v.Cycle, plan);
            ++planted;
            break;
        }
    }
    EXPECT_GE(planted, 15);
}

TEST(CheckPlan, NamesAWrongF) {
    for (unsigned k = 0; k < 10; ++k) {
        const GeneratedExercise task = GenerateExercise(Random(k), 0);
        const Solved optimum = Solve(task.Grids, false);
        const PlanVerdict v = CheckPlan(task.Grids, false, optimum.Plan, optimum.F + 7);
        EXPECT_EQ(Kinds(v), (std::set<std::string>{"stated-f"}));
        EXPECT_EQ(v.StatedFRight, std::optional<bool>(false));
        EXPECT_EQ(TextOf(v, "stated-f"),
                  Format("Указано F = %lld, а стоимость плана F = %lld.",
                         static_cast<long long>(optimum.F + 7), static_cast<long long>(optimum.F)));
        EXPECT_TRUE(v.Optimal);  // the plan itself is right
    }
}

// The north-west plan, when it is not optimal: named so, with potentials that hold on the basis
// and a cell whose estimate is below zero by them.
TEST(CheckPlan, ShowsWhyABasicPlanIsNotOptimal) {
    int shown = 0;
    for (unsigned k = 0; k < 40; ++k) {
        SCOPED_TRACE(k);
        const GeneratedExercise task = GenerateExercise(Random(k), 0);
        const Solved first = Solve(task.Grids, false, true, kPlanNorthWestCorner);
        const Solved optimum = Solve(task.Grids, false);
        const PlanVerdict v = CheckPlan(task.Grids, false, first.Plan, std::nullopt);
        EXPECT_TRUE(v.Basic);
        if (first.F == optimum.F) {
            EXPECT_TRUE(v.Optimal);
            continue;
        }
        EXPECT_EQ(Kinds(v), (std::set<std::string>{"not-optimal"}));
        EXPECT_EQ(v.OptimalF, std::optional<std::int64_t>(optimum.F));
        ASSERT_TRUE(v.Evidence);
        const PlanEvidence& e = *v.Evidence;
        const auto tariff = [&](int i, int j) {
            const bool real = i < task.Grids.Suppliers() && j < task.Grids.Consumers();
            return real ? std::int64_t{TextToNumber(task.Grids.Tarif.At(j + 1, i + 1))}
                        : std::int64_t{0};
        };
        std::set<std::pair<int, int>> basic(v.AddedZeros.begin(), v.AddedZeros.end());
        for (int i = 0; i < task.Grids.Suppliers(); ++i) {
            for (int j = 0; j < task.Grids.Consumers(); ++j) {
                if (first.Plan[At(i)][At(j)] > 0) basic.insert({i, j});
            }
        }
        for (const auto& [i, j] : basic)
            EXPECT_EQ(e.U[At(i)] + e.V[At(j)], tariff(i, j)) << i << "," << j;
        EXPECT_FALSE(basic.contains({e.Row, e.Column}));
        EXPECT_EQ(e.Estimate, tariff(e.Row, e.Column) - e.U[At(e.Row)] - e.V[At(e.Column)]);
        EXPECT_LT(e.Estimate, 0);
        EXPECT_EQ(e.U[0], 0);
        ++shown;
    }
    EXPECT_GE(shown, 20);
}

// With limits: an optimal plan moved by one unit round a rectangle, within every limit, is
// named not optimal exactly when it costs more; the cell shown lowers F by its estimate's sign.
TEST(CheckPlan, JudgesPlansWithLimitsByTheirCost) {
    int dearer = 0;
    for (unsigned k = 0; k < 30; ++k) {
        const GeneratedExercise task = GenerateExercise(Random(k, 60), 0);
        const Solved optimum = Solve(task.Grids, true);
        const TaskGrids& g = task.Grids;
        const auto limit = [&g](int i, int j) {
            const std::string& text = g.Restriction.At(j + 1, i + 1);
            return IsNoLimitText(text) ? std::int64_t{1} << 40 : std::int64_t{TextToNumber(text)};
        };
        PlanQuantities plan = optimum.Plan;
        bool moved = false;
        for (int i = 1; i < g.Suppliers() && !moved; ++i) {
            for (int j = 1; j < g.Consumers() && !moved; ++j) {
                if (plan[0][0] < limit(0, 0) && plan[At(i)][At(j)] < limit(i, j) &&
                    plan[0][At(j)] > 0 && plan[At(i)][0] > 0) {
                    ++plan[0][0], ++plan[At(i)][At(j)], --plan[0][At(j)], --plan[At(i)][0];
                    moved = true;
                }
            }
        }
        if (!moved) continue;
        SCOPED_TRACE(k);
        const PlanVerdict v = CheckPlan(g, true, plan, std::nullopt);
        EXPECT_TRUE(v.Balanced && v.WithinLimits);
        EXPECT_EQ(Kinds(v).contains("not-optimal"), Cost(g, plan) > optimum.F);
        if (v.Evidence) {
            EXPECT_EQ(v.Evidence->Estimate > 0, v.Evidence->AtLimit);
            EXPECT_NE(v.Evidence->Estimate, 0);
        }
        dearer += Cost(g, plan) > optimum.F;
    }
    EXPECT_GE(dearer, 5);
}

TEST(CheckPlan, JudgesNoPlanThatDoesNotFitTheTask) {
    const GeneratedExercise task = GenerateExercise(Random(0), 0);
    const PlanVerdict v = CheckPlan(task.Grids, false, {{1, 2}, {3, 4}}, std::nullopt);
    EXPECT_NE(v.Refusal, "");
    EXPECT_EQ(PlanVerdictJson(v), "{\"refusal\": \"" + v.Refusal + "\"}\n");
}

TEST(CheckPlan, RefusesTasksToMaximiseWithMandatoryShipmentsOrOpenForbiddenRoutes) {
    const GeneratedExercise task = GenerateExercise(Random(4), 0);
    const PlanQuantities plan = Solve(task.Grids, false).Plan;
    TaskGrids profits = task.Grids;
    profits.Goal = TaskGoal::Maximise;
    TaskGrids mandatory = task.Grids;
    mandatory.Mandatory.At(1, 1) = "1";
    TaskGrids forbidden = task.Grids;
    forbidden.Tarif.At(1, 1) = "M";
    for (const TaskGrids& grids : {profits, mandatory, forbidden}) {
        EXPECT_EQ(CheckPlan(grids, false, plan, std::nullopt).Refusal,
                  "План проверяется только в задаче на минимум стоимости без обязательных поставок; "
                  "тариф M допускается лишь при решении с ограничениями (тогда маршрут закрыт).");
    }
    // With the limits a forbidden route is closed, and a plan that uses it is judged.
    for (int i = 1; i <= forbidden.Suppliers(); ++i) {
        for (int j = 1; j <= forbidden.Consumers(); ++j) forbidden.Restriction.At(j, i) = "M";
    }
    const PlanVerdict closed = CheckPlan(forbidden, true, plan, std::nullopt);
    EXPECT_EQ(closed.Refusal, "");
    EXPECT_EQ(Kinds(closed).contains("closed-route"), plan[0][0] > 0);
}

TEST(CheckPlan, NamesNegativeQuantities) {
    const GeneratedExercise task = GenerateExercise(Random(3), 0);
    PlanQuantities plan = Solve(task.Grids, false).Plan;
    plan[0][0] = -4;
    const PlanVerdict v = CheckPlan(task.Grids, false, plan, std::nullopt);
    EXPECT_TRUE(Kinds(v).contains("negative"));
    EXPECT_EQ(TextOf(v, "negative"),
              "Перевозка X<sub>1,1</sub> = -4 отрицательна: перевозки не бывают меньше нуля.");
    EXPECT_FALSE(v.Optimal);
}

TEST(PlanText, ReadsValuesSeparatedAsInTaskFiles) {
    PlanQuantities plan;
    EXPECT_EQ(ParsePlanText("\xEF\xBB\xBF# план\r\n20;;10\r\n\r\n0 ; 30; 5\r\n", 2, 3, plan), "");
    EXPECT_EQ(plan, (PlanQuantities{{20, 0, 10}, {0, 30, 5}}));
    EXPECT_EQ(ParsePlanText("1\t2\n3\t4\n", 2, 2, plan), "");
    EXPECT_EQ(plan, (PlanQuantities{{1, 2}, {3, 4}}));
    const struct {
        const char* text;
        const char* message;
    } faults[] = {
        {"", "Строка 1, столбец 1: в файле нет плана."},
        {"1;2\n", "Строка 2, столбец 1: в плане 1 строк, а нужно 2: по строке на поставщика."},
        {"1;2\n3;4\n5;6\n",
         "Строка 3, столбец 1: в плане 3 строк, а нужно 2: по строке на поставщика."},
        {"1;2\n3\n",
         "Строка 2, столбец 2: в строке плана 1 значений, а нужно 2: по значению на потребителя."},
        {"1;2\n3;x4\n", "Строка 2, столбец 2: \"x4\" - не целое число."},
    };
    for (const auto& fault : faults)
        EXPECT_EQ(ParsePlanText(fault.text, 2, 2, plan), fault.message) << fault.text;
}

TEST(PlanVerdictJson, GivesEveryFieldForScripts) {
    const GeneratedExercise task = GenerateExercise(Random(0), 0);
    const Solved optimum = Solve(task.Grids, false);
    PlanVerdict v = CheckPlan(task.Grids, false, optimum.Plan, std::nullopt);
    EXPECT_EQ(
        PlanVerdictJson(v),
        Format("{\"balanced\": true, \"within-limits\": true, \"basic\": true, \"cost\": %lld, "
               "\"stated-f-right\": null, \"optimal\": true, \"optimal-f\": %lld, \"mistakes\": []}\n",
               static_cast<long long>(optimum.F), static_cast<long long>(optimum.F)));
    v = CheckPlan(task.Grids, false, optimum.Plan, optimum.F + 1);
    EXPECT_NE(
        PlanVerdictJson(v).find("\"mistakes\": [{\"kind\": \"stated-f\", \"text\": \"Указано F = "),
        std::string::npos);
    PlanQuantities negative = optimum.Plan;
    negative[0][0] = -1;
    // Texts for scripts carry no markup.
    EXPECT_NE(PlanVerdictJson(CheckPlan(task.Grids, false, negative, std::nullopt))
                  .find("Перевозка X1,1 = -1"),
              std::string::npos);
}

// The report names each check and what it found; as a Word document it keeps its words.
TEST(PlanCheckHtml, ReportsEveryCheck) {
    const GeneratedExercise task = GenerateExercise(Random(1), 0);
    const Solved first = Solve(task.Grids, false, true, kPlanNorthWestCorner);
    const PlanVerdict v = CheckPlan(task.Grids, false, first.Plan, first.F);
    const std::string html = PlanCheckHtml(v, task.Grids, false, first.Plan, "задача <1>.tab");
    EXPECT_NE(html.find("<h3>Проверка плана: задача &lt;1&gt;.tab</h3>"), std::string::npos);
    for (const char* section : {"1. Запасы и потребности.", "2. Опорность плана.",
                                "3. Целевая функция.", "4. Оптимальность."}) {
        EXPECT_NE(html.find(section), std::string::npos) << section;
    }
    EXPECT_NE(html.find("Указанное значение F = " + std::to_string(first.F)), std::string::npos);
    const DocxText text = ReadDocxText(HtmlToDocx(html));
    EXPECT_EQ(Words(text.Body), WordsOfHtml(html));
}

}  // namespace
}  // namespace kargolo::testing
