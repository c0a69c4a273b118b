#include <gtest/gtest.h>

#include "solver/report_writer.h"
#include "solver/solve_state.h"
#include "tests/support/plan_checks.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {

TEST(FormatEpsValue, WritesEpsilonTheWayTheReportShowsIt) {  // catches "5+1e", "0+e", "7+-2e"
    const struct {
        EpsValue Value;
        const char* Text;
    } cases[] = {
        {{5, 1}, "5+e"},  {{0, 2}, "2e"},   {{0, -3}, "-3e"}, {{7, -2}, "7-2e"}, {{0, 0}, "0"},
        {{0, 1}, "e"},    {{0, -1}, "-e"},  {{-4, -1}, "-4-e"}, {{12, 0}, "12"}, {{3, 5}, "3+5e"},
        {{-1, 0}, "-1"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatEpsValue(c.Value), c.Text);
}

TEST(EpsValue, OrdersByNumberThenEpsilonAndEpsMinKeepsTheFirstOnTies) {
    EXPECT_LT((EpsValue{4, 9}), (EpsValue{5, -9}));
    EXPECT_LT((EpsValue{5, -1}), (EpsValue{5, 0}));
    EXPECT_EQ(EpsMin({5, 1}, {5, 0}), (EpsValue{5, 0}));
    EXPECT_EQ(EpsMin({5, 0}, {5, 1}), (EpsValue{5, 0}));
    EXPECT_EQ(EpsMin({5, 1}, 5), (EpsValue{5, 0}));
    EXPECT_EQ(EpsMin({5, -1}, 5), (EpsValue{5, -1}));
}

// A 2x2 plan: (1,1) carries 5+e and is marked '+', (1,2) is a basis zero marked '-',
// (2,1) is free, (2,2) carries 7.
SolveState SmallPlan() {
    SolveState s = MakeState({"small", {5, 7}, {5, 7}, {3, -2, 4, 0}});
    s.Supplies[0].AmountEps = 1;
    SetPlanQuantity(s.Cell(0, 0), {5, 1});
    SetPlanQuantity(s.Cell(0, 1), {0, 0});
    SetPlanQuantity(s.Cell(1, 0), {kFreeCargo, 0});
    SetPlanQuantity(s.Cell(1, 1), {7, 0});
    s.Cell(0, 0).Sign = '+';
    s.Cell(0, 1).Sign = '-';
    return s;
}

TEST(WriteTransportTable, WritesTheWholeTableOfAPlan) {
    SolveState s = SmallPlan();
    RecordingHooks hooks;
    WriteTransportTable(s, hooks);
    const std::string cellTail = "</td></tr></table></td>";
    EXPECT_EQ(
        s.Report.Text(),
        "<P><table border=1 cellPadding=1 cellSpacing=0 id=main><tr><td rowspan=2 align=center "
        "valign=middle>Поставщик</td> <td colspan=2 align=center>Потребитель</td><td rowspan=2 "
        "align=center valign=middle>Запасы <br>груза</td></tr><tr align=center>\n"
        "<td  class=cellA>B1</td><td  class=cellA>B2</td>\n</tr>\n"
        "<tr nowrap><td class=\"cellA\">A1</td>"
        "<td bgcolor=\"#66FF99\"><table class=\"mtable\" nowrap><tr valign=top><td class=\"sign\">+"
        "</td><td class=\"cellC\">3</td></tr><tr valign=bottom><td class=\"cellXR\">5+e"
        "</td><td class=\"cellR\">" + cellTail +
        "<td bgcolor=\"#FFCCCC\"><table class=\"mtable\" nowrap><tr valign=top><td class=\"sign\">-"
        "</td><td class=\"cellC\">-2</td></tr><tr valign=bottom><td class=\"cellXR\">0"
        "</td><td class=\"cellR\">" + cellTail +
        "<td class=\"cargo\">5+e</td></tr>"
        "<tr nowrap><td class=\"cellA\">A2</td>"
        "<td><table class=\"mtable\" nowrap><tr valign=top><td class=\"sign\">&nbsp;"
        "</td><td class=\"cellC\">4</td></tr><tr valign=bottom><td class=\"cellX\">&nbsp;"
        "</td><td class=\"cellR\">" + cellTail +
        "<td><table class=\"mtable\" nowrap><tr valign=top><td class=\"sign\">&nbsp;"
        "</td><td class=\"cellC\">0</td></tr><tr valign=bottom><td class=\"cellXR\">7"
        "</td><td class=\"cellR\">" + cellTail +
        "<td class=\"cargo\">7</td></tr>"
        "<tr align=middle nowrap><td>Потребность</td><td class=\"cargo\">5</td>"
        "<td class=\"cargo\">7</td><td class=\"cargo\">&nbsp;</td></tr></table>");
    EXPECT_EQ(hooks.Lines, (std::vector<std::string>{"Вывод таблицы: строка 2 из 2"}));
}

TEST(WriteTransportTable, ShowsLimitsBasisFlagsClosedRoutesAndMTariffsWithLimits) {
    SolveState s = SmallPlan();
    s.RestrictedTask = true;
    s.Cell(0, 0).Limit = kNoLimit;
    s.Cell(0, 0).Basic = 1;
    s.Cell(0, 1).Limit = 0;  // closed: grey whatever its sign
    s.Cell(1, 0).Limit = 12;
    s.Cell(1, 0).TariffM = 1;
    s.Cell(1, 1).Limit = 9;  // carries cargo but is not flagged basic: black
    SilentHooks hooks;
    WriteTransportTable(s, hooks);
    const std::string& text = s.Report.Text();
    EXPECT_NE(text.find("<td class=\"cellXR\">5+e</td><td class=\"cellR\">M</td>"),
              std::string::npos);
    EXPECT_NE(text.find("<td bgcolor=\"#DAD6D8\"><table class=\"mtable\" nowrap><tr valign=top>"
                        "<td class=\"sign\">-</td>"),
              std::string::npos);
    EXPECT_NE(text.find("<td class=\"cellC\"><b>M</b></td>"), std::string::npos);
    EXPECT_NE(text.find("<td class=\"cellX\">&nbsp;</td><td class=\"cellR\">12</td>"),
              std::string::npos);
    EXPECT_NE(text.find("<td class=\"cellX\">7</td><td class=\"cellR\">9</td>"),
              std::string::npos);
}

TEST(WriteEstimatesTable, ColoursNegativeEstimatesOfFreeCells) {
    SolveState s = SmallPlan();
    s.Cell(1, 0).Estimate = -3;
    WriteEstimatesTable(s);
    EXPECT_EQ(s.Report.Text(),
              "<table border=1 cellpadding=2 cellspacing=0><tr><td>&nbsp;</td>\n"
              "<td class=cellA>B1</td><td class=cellA>B2</td>\n</tr>\n"
              "<tr nowrap><td class=cellA>A1</td><td>&nbsp;</td><td>&nbsp;</td></tr>"
              "<tr nowrap><td class=cellA>A2</td><td bgcolor=\"#ffcccc\">-3</td>"
              "<td>&nbsp;</td></tr></table>");
}

TEST(WriteEstimatesTable, MarksCellsAtEitherBoundThatCouldImproveAPlanWithLimits) {
    const struct {
        const char* Name;
        EpsValue Quantity;
        std::int32_t Limit;
        std::int32_t Estimate;
        std::int32_t EstimateM;
        const char* Entry;
    } cases[] = {
        {"free at zero, S < 0", {kFreeCargo, 0}, kNoLimit, -2, 0, "<td bgcolor=\"#66ccff\">-2</td>"},
        {"zero quantity, S = -M", {0, 0}, 5, 3, -1, "<td bgcolor=\"#66ccff\">3-1M</td>"},
        {"at its limit, S > 0", {5, 0}, 5, 4, 0, "<td bgcolor=\"#ffcccc\">4</td>"},
        {"at a zero limit", {0, 0}, 0, -4, 0, "<td bgcolor=\"#DAD6D8\">&nbsp;</td>"},
        {"at its limit, S < 0", {5, 0}, 5, -4, 0, "<td >-4</td>"},
        {"epsilon above zero", {0, 1}, 5, -4, 0, "<td >-4</td>"},
        {"M part decides", {kFreeCargo, 0}, kNoLimit, -9, 1, "<td >-9+1M</td>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SolveState s = MakeState({"one free cell", {1, 1}, {1, 1}, {}});
        s.RestrictedTask = true;
        for (TaskCell& cell : s.Cells) cell.Basic = 1;
        TaskCell& cell = s.Cell(1, 0);
        cell.Basic = 0;
        SetPlanQuantity(cell, c.Quantity);
        cell.Limit = c.Limit;
        cell.Estimate = c.Estimate;
        cell.EstimateM = c.EstimateM;
        WriteEstimatesTable(s);
        EXPECT_NE(s.Report.Text().find(std::string("<tr nowrap><td class=cellA>A2</td>") +
                                       c.Entry + "<td>&nbsp;</td></tr>"),
                  std::string::npos)
            << s.Report.Text();
    }
}

}  // namespace
}  // namespace kargolo::testing
