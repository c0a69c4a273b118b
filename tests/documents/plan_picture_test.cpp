#include <gtest/gtest.h>

#include <regex>

#include "documents/exercise_generator.h"
#include "documents/grids_to_state.h"
#include "documents/plan_picture.h"
#include "documents/solve_run.h"
#include "documents/table_file.h"
#include "solver/solve_hooks.h"

namespace kargolo::testing {
namespace {

const std::filesystem::path kTables = std::filesystem::path(KARGOLO_SOURCE_DIR) / "examples" / "tables";

// The tooltips of the picture's arrows: "A1 → B2: 30" for each route drawn.
std::multiset<std::string> RouteTitles(const std::string& svg) {
    std::multiset<std::string> titles;
    const std::regex title("<g class=\"route[^\"]*\"><title>([^<]*)</title>");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), title); it != std::sregex_iterator(); ++it) {
        titles.insert((*it)[1]);
    }
    return titles;
}

std::size_t Count(const std::string& text, const std::string& piece) {
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
    return count;
}

struct Solved {
    SolveState State;
    SolveRunResult Run;
    TableFileContents Task;
};

std::unique_ptr<Solved> Solve(const std::filesystem::path& file, bool limits) {
    auto solved = std::make_unique<Solved>();
    EXPECT_TRUE(ReadTableFile(file, solved->Task).Ok());
    SolveSettings settings;
    settings.SolveMode = kSolveModeChecking;
    SilentHooks quiet;
    solved->Run = RunSolve(solved->Task.Grids, limits, false, settings, quiet, solved->State);
    return solved;
}

TEST(PlanPicture, DrawsEveryRouteThatCarriesCargoWithItsQuantity) {
    for (const auto& [file, limits] : {std::pair{"open-surplus-3x3.tab", false}, std::pair{"open-deficit-3x3.tab", false},
                                      std::pair{"capacity-limits-3x4.tab", true}}) {
        SCOPED_TRACE(file);
        const auto solved = Solve(kTables / file, limits);
        const SolveState& s = solved->State;
        const TaskGrids& grids = solved->Task.Grids;
        const std::string svg = PlanSvg(SketchOfPlan(s, file));
        std::multiset<std::string> expected;
        for (int i = 0; i < s.m; ++i) {
            for (int j = 0; j < s.n; ++j) {
                const TaskCell& c = s.Cell(i, j);
                const std::string route = "A" + std::to_string(i + 1) + " \u2192 B" + std::to_string(j + 1) + ": ";
                if (c.Cargo > 0) {
                    expected.insert(route + std::to_string(c.Cargo));
                    EXPECT_NE(svg.find("font-weight=\"bold\">" + std::to_string(c.Cargo) + "</text>"), std::string::npos);
                } else if (limits && c.Limit == 0) {
                    expected.insert(route + "маршрут закрыт");
                }
            }
        }
        EXPECT_EQ(RouteTitles(svg), expected);
        EXPECT_NE(svg.find("Целевая функция F = " + std::to_string(s.ObjectiveF) + "<"), std::string::npos);
        EXPECT_EQ(Count(svg, "<g"), Count(svg, "</g>"));
        // A fictitious consumer or supplier is drawn apart.
        EXPECT_EQ(Count(svg, "(фикт.)"), static_cast<std::size_t>(s.m - grids.Suppliers() + s.n - grids.Consumers()));
    }
}

struct LabelBox {
    int Left, Top, Width;
};

std::vector<LabelBox> Labels(const std::string& svg) {
    std::vector<LabelBox> boxes;
    const std::regex label("<rect class=\"label\" x=\"(-?\\d+)\" y=\"(-?\\d+)\" width=\"(\\d+)\"");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), label); it != std::sregex_iterator(); ++it) {
        boxes.push_back({std::stoi((*it)[1]), std::stoi((*it)[2]), std::stoi((*it)[3])});
    }
    return boxes;
}

// Quantities stay readable: no label covers another, up to the sizes a class solves by hand.
TEST(PlanPicture, LabelsDoNotCoverOneAnother) {
    int pictures = 0;
    for (int size = 3; size <= 8; ++size) {
        ExerciseOptions options;
        options.Suppliers = size;
        options.Consumers = size + 1;
        options.Type = size % 2 == 0 ? ExerciseType::Surplus : ExerciseType::Closed;
        for (unsigned k = 0; k < 10; ++k) {
            SCOPED_TRACE(::testing::Message() << size << " " << k);
            SolveState s;
            SolveSettings settings;
            settings.SolveMode = kSolveModeChecking;
            SilentHooks quiet;
            ASSERT_EQ(RunSolve(GenerateExercise(options, k).Grids, false, false, settings, quiet, s).Refusal, "");
            const std::vector<LabelBox> boxes = Labels(PlanSvg(SketchOfPlan(s, "")));
            ASSERT_FALSE(boxes.empty());
            for (std::size_t a = 0; a < boxes.size(); ++a) {
                for (std::size_t b = a + 1; b < boxes.size(); ++b) {
                    const bool apart = boxes[a].Left + boxes[a].Width <= boxes[b].Left ||
                                       boxes[b].Left + boxes[b].Width <= boxes[a].Left ||
                                       boxes[a].Top + 16 <= boxes[b].Top || boxes[b].Top + 16 <= boxes[a].Top;
                    EXPECT_TRUE(apart) << "labels " << a << " and " << b;
                }
            }
            ++pictures;
        }
    }
    EXPECT_EQ(pictures, 60);
}

TEST(PlanPicture, SaysWhenAPictureIsTooLargeToLabel) {
    PlanSketch sketch;
    for (int k = 0; k < kReadableSide + 5; ++k) {
        sketch.Suppliers.push_back({"A" + std::to_string(k + 1), "10"});
        sketch.Consumers.push_back({"B" + std::to_string(k + 1), "10"});
        sketch.Routes.push_back({k, k, "10"});
    }
    sketch.Caption = "a < b & c";
    const std::string svg = PlanSvg(sketch);
    EXPECT_NE(svg.find("Поставщиков или потребителей больше 15"), std::string::npos);
    EXPECT_EQ(RouteTitles(svg).size(), sketch.Routes.size());
    EXPECT_EQ(svg.find("font-weight=\"bold\">10</text>"), std::string::npos);
    EXPECT_NE(svg.find("a &lt; b &amp; c"), std::string::npos);
    sketch.Unsolvable = true;
    EXPECT_NE(PlanSvg(sketch).find("Задача неразрешима из-за наложенных ограничений"), std::string::npos);
}

}  // namespace
}  // namespace kargolo::testing
