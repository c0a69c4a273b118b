#include <algorithm>

#include "documents/grids_to_state.h"
#include "documents/html_scanner.h"
#include "documents/html_text.h"
#include "documents/json_text.h"
#include "documents/plan_check.h"
#include "documents/plan_check_texts.h"
#include "solver/report_buffer.h"
#include "solver/report_texts.h"
#include "solver/report_writer.h"
#include "solver/solve_hooks.h"
#include "solver/solve_state.h"

namespace kargolo {
namespace {

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

// The text of a mistake without its markup, for scripts.
std::string PlainText(std::string_view html) {
    std::string text;
    bool inTag = false;
    for (const char c : html) {
        if (c == '<') inTag = true;
        if (!inTag) text += c;
        if (c == '>') inTag = false;
    }
    return DecodeHtmlEntities(text);
}

bool OfKinds(const PlanMistake& mistake, std::initializer_list<std::string_view> kinds) {
    return std::find(kinds.begin(), kinds.end(), mistake.Kind) != kinds.end();
}

// The mistakes of the kinds, one line each in red; empty when there are none.
std::string MistakeLines(const PlanVerdict& v, std::initializer_list<std::string_view> kinds) {
    std::string html;
    for (const PlanMistake& mistake : v.Mistakes) {
        if (OfKinds(mistake, kinds))
            html += (html.empty() ? "" : "<br>") + std::string(kRedSpan) + mistake.Text + kSpanEnd;
    }
    return html;
}

std::string Section(const std::string& title, const std::string& body) {
    return "<p><b>" + title + ".</b> " + body + "</p>";
}

// The plan in the report's transport table: tariffs, limits, the quantities (and the basis
// zeros a degenerate plan may take), the cycle named marked with signs.
std::string PlanTable(const PlanVerdict& v, const TaskGrids& grids, bool limits,
                      const PlanQuantities& plan) {
    SolveState s;
    GridsToSolveState(grids, limits, s);
    for (int i = 0; i < s.m; ++i) {
        for (int j = 0; j < s.n; ++j) {
            TaskCell& c = s.Cell(i, j);
            const std::int64_t x = plan[At(i)][At(j)];
            c.Cargo = x > 0 ? static_cast<std::int32_t>(x) : kFreeCargo;
            c.Basic = x > 0 && (!HasLimit(c) || x < c.Limit) ? 1 : 0;
        }
    }
    for (const auto& [i, j] : v.AddedZeros) {
        if (i < s.m && j < s.n) {
            s.Cell(i, j).Cargo = 0;
            s.Cell(i, j).Basic = 1;
        }
    }
    for (std::size_t k = 0; k < v.Cycle.size(); ++k) {
        const auto [i, j] = v.Cycle[k];
        if (i < s.m && j < s.n) s.Cell(i, j).Sign = k % 2 == 0 ? '+' : '-';
    }
    SilentHooks quiet;
    WriteTransportTable(s, quiet);
    return s.Report.Text();
}

std::string BalanceSection(const PlanVerdict& v) {
    const std::string wrong = MistakeLines(v, {"negative", "row-balance", "column-balance"});
    if (!wrong.empty()) return wrong;
    if (v.FictitiousConsumer)
        return Format(kSurplusRight, static_cast<long long>(v.Remainder),
                      static_cast<unsigned>(v.Columns));
    if (v.FictitiousSupplier)
        return Format(kDeficitRight, static_cast<long long>(v.Remainder),
                      static_cast<unsigned>(v.Rows));
    return kBalanceRight;
}

std::string CellList(const std::vector<std::pair<int, int>>& cells) {
    std::string text;
    for (const auto& [i, j] : cells)
        text += (text.empty() ? "" : " ") + Format("(%d,%d)", i + 1, j + 1);
    return text;
}

std::string BasisSection(const PlanVerdict& v, bool limits) {
    if (!v.Basic) return MistakeLines(v, {"too-many-cells", "cycle"});
    std::string what = limits ? kInteriorCells : "";
    if (v.FictitiousConsumer)
        what += Format(kWithFictitiousConsumer, static_cast<unsigned>(v.Columns));
    if (v.FictitiousSupplier)
        what += Format(kWithFictitiousSupplier, static_cast<unsigned>(v.Rows));
    const auto needed = static_cast<unsigned>(v.Rows + v.Columns - 1);
    if (v.AddedZeros.empty())
        return Format(kBasicRight, static_cast<unsigned>(v.Occupied), what.c_str(), needed);
    return Format(v.AddedZeros.size() == 1 ? kBasicDegenerateOneZero : kBasicDegenerate,
                  static_cast<unsigned>(v.Occupied), what.c_str(), needed,
                  CellList(v.AddedZeros).c_str());
}

std::string CostSection(const PlanVerdict& v) {
    std::string html = Format(kCost, static_cast<long long>(v.Cost));
    if (v.StatedFRight && *v.StatedFRight)
        html += " " + Format(kStatedFRight, static_cast<long long>(*v.StatedF));
    const std::string wrong = MistakeLines(v, {"stated-f"});
    return wrong.empty() ? html : html + "<br>" + wrong;
}

std::string PotentialsText(const PlanEvidence& e) {
    std::string text;
    for (std::size_t i = 0; i < e.U.size(); ++i) {
        text += Format("%su<sub>%zu</sub> = %lld", i == 0 ? "" : ", ", i + 1,
                       static_cast<long long>(e.U[i]));
    }
    text += ";";
    for (std::size_t j = 0; j < e.V.size(); ++j) {
        text += Format(" v<sub>%zu</sub> = %lld%s", j + 1, static_cast<long long>(e.V[j]),
                       j + 1 < e.V.size() ? "," : "");
    }
    return text;
}

std::string EvidenceText(const PlanVerdict& v) {
    if (!v.Evidence) return kNoPotentials;
    const PlanEvidence& e = *v.Evidence;
    const auto i = static_cast<unsigned>(e.Row + 1);
    const auto j = static_cast<unsigned>(e.Column + 1);
    std::string html =
        Format(kPotentials, v.AddedZeros.empty() ? "" : kWithZeros, PotentialsText(e).c_str());
    html += "<br>" +
            Format(e.AtLimit ? kEstimateAboveZero : kEstimateBelowZero, i, j, i, j, i, j, i, j,
                   static_cast<long long>(e.Tariff), static_cast<long long>(e.U[At(e.Row)]),
                   static_cast<long long>(e.V[At(e.Column)]), static_cast<long long>(e.Estimate));
    return html;
}

std::string OptimumSection(const PlanVerdict& v) {
    if (!v.OptimalF) return kTaskUnsolvable;
    const std::string wrong = MistakeLines(v, {"not-optimal"});
    if (!wrong.empty()) return wrong + "<br>" + EvidenceText(v);
    return v.Optimal ? kOptimalRight : kNotJudged;
}

}  // namespace

std::string PlanVerdictJson(const PlanVerdict& v) {
    if (!v.Refusal.empty()) return JsonObject().Add("refusal", v.Refusal).Text() + '\n';
    std::vector<std::string> mistakes;
    for (const PlanMistake& mistake : v.Mistakes) {
        mistakes.push_back(
            JsonObject().Add("kind", mistake.Kind).Add("text", PlainText(mistake.Text)).Text());
    }
    JsonObject json;
    json.Add("balanced", v.Balanced)
        .Add("within-limits", v.WithinLimits)
        .Add("basic", v.Basic)
        .Add("cost", v.Cost);
    if (v.StatedFRight) {
        json.Add("stated-f-right", *v.StatedFRight);
    } else {
        json.AddRaw("stated-f-right", "null");
    }
    json.Add("optimal", v.Optimal);
    if (v.OptimalF) {
        json.Add("optimal-f", *v.OptimalF);
    } else {
        json.AddRaw("optimal-f", "null");
    }
    return json.AddRaw("mistakes", JsonArray(mistakes)).Text() + '\n';
}

std::string PlanCheckHtml(const PlanVerdict& v, const TaskGrids& grids, bool limits,
                          const PlanQuantities& plan, std::string_view taskName) {
    std::string html = kReportHead;
    html += Format(kCheckHeading, HtmlEscaped(taskName).c_str());
    if (!v.Refusal.empty())
        return html + "<p>" + HtmlEscaped(v.Refusal) + "</p>" + kReportFooter + kDocumentEnd;
    html += Format(kCheckedPlanCaption, limits ? kLimitsInCaption : "");
    if (!v.Cycle.empty()) html.insert(html.size() - 4, kCycleMarked);
    html += PlanTable(v, grids, limits, plan);
    unsigned section = 1;
    html += Section(kSectionBalance, BalanceSection(v));
    if (limits) {
        const std::string wrong = MistakeLines(v, {"limit", "closed-route"});
        html += Section(kSectionLimits, wrong.empty() ? std::string(kLimitsRight) : wrong);
        ++section;
    }
    html += Section(Format(kSectionBasis, ++section), BasisSection(v, limits));
    html += Section(Format(kSectionCost, ++section), CostSection(v));
    html += Section(Format(kSectionOptimum, ++section), OptimumSection(v));
    html += v.Mistakes.empty() && v.Optimal
                ? std::string(kAllRight)
                : Format(kMistakesCount, static_cast<unsigned>(v.Mistakes.size()));
    return html + kReportFooter + kDocumentEnd;
}

}  // namespace kargolo
