#include "solver/report_writer.h"

#include <charconv>
#include <cstring>

#include "solver/internal_error.h"
#include "solver/m_value.h"
#include "solver/method_texts.h"
#include "solver/report_texts.h"
#include "solver/solve_hooks.h"
#include "solver/solve_state.h"

namespace kargolo {
namespace {

// The text of one table cell, put together on the stack and appended to the report at once:
// a large table has millions of cells, and each append to the report costs a little.
class CellText {
public:
    void Append(std::string_view text) {
        SOLVER_CHECK(m_size + text.size() <= sizeof m_text);
        std::memcpy(m_text + m_size, text.data(), text.size());
        m_size += text.size();
    }
    void AppendInt(std::int64_t value) {
        m_size = static_cast<std::size_t>(std::to_chars(m_text + m_size, m_text + sizeof m_text, value).ptr - m_text);
    }
    std::string_view View() const { return {m_text, m_size}; }

private:
    char m_text[512];  // a cell's text has at most about 250 characters
    std::size_t m_size = 0;
};

template <typename Out>
void AppendEpsCoefficient(Out& out, std::int32_t eps, bool withSign) {
    if (eps == 1) {
        out.Append(withSign ? "+e" : "e");
    } else if (eps == -1) {
        out.Append("-e");
    } else {
        if (withSign && eps > 0) out.Append("+");
        out.AppendInt(eps);
        out.Append("e");
    }
}

template <typename Out>
void AppendEpsText(Out& out, EpsValue value) {
    if (value.Num != 0) {
        out.AppendInt(value.Num);
        if (value.Eps != 0) AppendEpsCoefficient(out, value.Eps, true);
    } else if (value.Eps == 0) {
        out.Append("0");
    } else {
        AppendEpsCoefficient(out, value.Eps, false);
    }
}

std::string_view CellOpening(const TaskCell& c, bool restricted, CellMark mark) {
    if ((restricted && IsClosedRoute(c)) || mark == CellMark::CrossedOut) {
        return "<td bgcolor=\"#DAD6D8\">";
    }
    if (c.Sign == '+') return "<td bgcolor=\"#66FF99\">";
    if (c.Sign == '-') return "<td bgcolor=\"#FFCCCC\">";
    return "<td>";
}

// One cell of the transport table: an inner 2x2 table with the sign and the tariff on top, the
// plan quantity and the limit below.
void AppendTransportCell(ReportBuffer& out, const TaskCell& c, bool restricted, CellMark mark) {
    CellText text;
    text.Append(CellOpening(c, restricted, mark));
    text.Append("<table class=\"mtable\" nowrap><tr valign=top><td class=\"sign\">");
    if (c.Sign == '+' || c.Sign == '-') {
        text.Append(std::string_view(&c.Sign, 1));
    } else if (mark == CellMark::CrossedOut) {
        text.Append("&times;");
    } else {
        text.Append("&nbsp;");
    }
    text.Append("</td><td class=\"cellC\">");
    if (mark == CellMark::Longest) text.Append(kRedSpan);
    if (c.TariffM != 0) {
        text.Append("<b>M</b>");
    } else {
        text.AppendInt(c.Tariff);
    }
    if (mark == CellMark::Longest) text.Append(kSpanEnd);
    text.Append("</td></tr><tr valign=bottom>");
    const bool blue = restricted ? c.Basic != 0 : c.Cargo >= 0;
    text.Append(blue ? "<td class=\"cellXR\">" : "<td class=\"cellX\">");
    if (InBasis(c)) {
        AppendEpsText(text, PlanQuantity(c));
    } else {
        text.Append("&nbsp;");
    }
    text.Append("</td><td class=\"cellR\">");
    if (restricted && c.Limit == kNoLimit) {
        text.Append("M");
    } else if (restricted) {
        text.AppendInt(c.Limit);
    }
    text.Append("</td></tr></table></td>");
    out.Append(text.View());
}

void AppendCargoCell(ReportBuffer& out, const RimEntry& rim) {
    CellText text;
    text.Append("<td class=\"cargo\">");
    AppendEpsText(text, AsEpsValue(rim));
    text.Append("</td>");
    out.Append(text.View());
}

void AppendClassicalEstimate(ReportBuffer& out, const TaskCell& c) {
    if (InBasis(c)) {
        out.Append("<td>&nbsp;</td>");
        return;
    }
    out.Appendf("<td %s>%lli</td>", c.Estimate < 0 ? "bgcolor=\"#ffcccc\"" : "",
                static_cast<long long>(c.Estimate));
}

// A free cell at its lower bound with S < 0, or at its upper bound with S > 0, could improve
// the plan; the upper-bound colour wins when both apply.
const char* BoundedEstimateColour(const TaskCell& c) {
    const char* colour = "";
    const MValue estimate{c.EstimateM, c.Estimate};
    if (AtZero(c) && IsNegative(estimate)) colour = "bgcolor=\"#66ccff\"";
    if (AtLimit(c) && InBasis(c) && IsPositive(estimate)) {
        colour = "bgcolor=\"#ffcccc\"";
    }
    return colour;
}

void AppendBoundedEstimate(ReportBuffer& out, const TaskCell& c) {
    if (c.Basic != 0) {
        out.Append("<td>&nbsp;</td>");
    } else if (IsClosedRoute(c)) {
        out.Append("<td bgcolor=\"#DAD6D8\">&nbsp;</td>");
    } else {
        out.Appendf("<td %s>%s</td>", BoundedEstimateColour(c),
                    FormatEstimate({c.EstimateM, c.Estimate}).c_str());
    }
}

}  // namespace

void AppendEpsValue(ReportBuffer& out, EpsValue value) { AppendEpsText(out, value); }

std::string FormatEpsValue(EpsValue value) {
    ReportBuffer text;
    AppendEpsValue(text, value);
    return text.Text();
}

void WriteTransportTable(SolveState& s, SolveHooks& hooks) { WriteTransportTable(s, hooks, {}); }

// Without marks (an empty vector) every cell is written as the plain table has it.
void WriteTransportTable(SolveState& s, SolveHooks& hooks, const std::vector<CellMark>& marks) {
    ReportBuffer& out = s.Report;
    out.MarkTableBegin();
    out.Appendf(
        "<P><table border=1 cellPadding=1 cellSpacing=0 id=main><tr><td rowspan=2 align=center "
        "valign=middle>Поставщик</td> <td colspan=%i align=center>Потребитель</td><td rowspan=2 "
        "align=center valign=middle>Запасы <br>груза</td></tr><tr align=center>\n",
        s.n);
    for (int j = 1; j <= s.n; ++j) {
        out.Append("<td  class=cellA>B");
        out.AppendInt(j);
        out.Append("</td>");
    }
    out.Append("\n</tr>\n");
    out.MarkTableHeaderEnd();
    hooks.AddStatusLine(" ");
    for (int i = 0; i < s.m; ++i) {
        hooks.ReplaceStatusLine(Format(kTableProgressLine, i + 1, s.m));
        out.MarkTableRow(i);
        out.Append("<tr nowrap><td class=\"cellA\">A");
        out.AppendInt(i + 1);
        out.Append("</td>");
        for (int j = 0; j < s.n; ++j) {
            const std::size_t k = static_cast<std::size_t>(i * s.n + j);
            const CellMark mark = k < marks.size() ? marks[k] : CellMark::None;
            AppendTransportCell(out, s.Cell(i, j), s.RestrictedTask, mark);
        }
        AppendCargoCell(out, s.Supplies[static_cast<std::size_t>(i)]);
        out.Append("</tr>");
    }
    out.Append("<tr align=middle nowrap><td>Потребность</td>");
    for (const RimEntry& demand : s.Demands) AppendCargoCell(out, demand);
    out.Append("<td class=\"cargo\">&nbsp;</td></tr></table>");
    out.MarkTableEnd();
}

void WriteEstimatesTable(SolveState& s) {
    ReportBuffer& out = s.Report;
    out.MarkTableBegin();
    out.Append("<table border=1 cellpadding=2 cellspacing=0><tr><td>&nbsp;</td>\n");
    for (int j = 1; j <= s.n; ++j) out.Appendf("<td class=cellA>B%u</td>", j);
    out.Append("\n</tr>\n");
    out.MarkTableHeaderEnd();
    for (int i = 0; i < s.m; ++i) {
        out.MarkTableRow(i);
        out.Appendf("<tr nowrap><td class=cellA>A%u</td>", i + 1);
        for (int j = 0; j < s.n; ++j) {
            const TaskCell& c = s.Cell(i, j);
            if (s.RestrictedTask) {
                AppendBoundedEstimate(out, c);
            } else {
                AppendClassicalEstimate(out, c);
            }
        }
        out.Append("</tr>");
    }
    out.Append("</table>");
    out.MarkTableEnd();
}

void BeginStage(SolveState& s, unsigned stage) {
    if (!WritesCourse(s)) return;
    if (s.ReportLimit != 0 && s.Report.Size() >= s.ReportLimit) {
        s.CourseCut = true;
        s.Report.Appendf(kCourseCutAtLimit, static_cast<unsigned>(s.ReportLimit >> 20), stage);
        return;
    }
    s.Report.MarkSection(ReportSectionKind::Stage, stage);
    s.Report.Appendf(kStageHeader, stage);
}

}  // namespace kargolo
