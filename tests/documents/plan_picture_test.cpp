#include <gtest/gtest.h>

#include <regex>

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
