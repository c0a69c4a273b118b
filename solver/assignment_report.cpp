#include "solver/assignment_report.h"

#include "solver/report_buffer.h"
#include "solver/report_texts.h"

namespace kargolo {
namespace {

constexpr char kLineColour[] = " bgcolor=\"#DAD6D8\"";
constexpr char kCrossingColour[] = " bgcolor=\"#B8B4B6\"";
constexpr char kAssignedColour[] = " bgcolor=\"#66FF99\"";

std::size_t At(int index) { return static_cast<std::size_t>(index); }

bool Flag(const std::vector<std::uint8_t>& flags, int index) {
    return At(index) < flags.size() && flags[At(index)] != 0;
}

void AppendValue(ReportBuffer& out, const MatrixPicture& p, int k) {
    const ZeroMark mark = p.Marks.empty() ? ZeroMark::None : p.Marks[At(k)];
    if (p.Forbidden[At(k)] != 0) {
        out.Append("<b>M</b>");
    } else if (mark == ZeroMark::Star) {
        out.Append(kBlueSpan);
        out.AppendInt(p.Values[At(k)]);
        out.Append("<sup>*</sup>");
        out.Append(kSpanEnd);
    } else if (mark == ZeroMark::Prime) {
        out.Append(kRedSpan);
        out.AppendInt(p.Values[At(k)]);
        out.Append("'");
        out.Append(kSpanEnd);
    } else if (mark == ZeroMark::Assigned) {
        out.Append("<b>");
        out.AppendInt(p.Values[At(k)]);
        out.Append("</b>");
    } else {
        out.AppendInt(p.Values[At(k)]);
    }
}

const char* CellColour(const MatrixPicture& p, int i, int j) {
    const int k = i * p.Columns + j;
    if (!p.Marks.empty() && p.Marks[At(k)] == ZeroMark::Assigned) return kAssignedColour;
    const bool row = Flag(p.RowLines, i);
    const bool column = Flag(p.ColumnLines, j);
    if (row && column) return kCrossingColour;
    if (row || column) return kLineColour;
    return "";
}

}  // namespace

void WriteAssignmentMatrix(ReportBuffer& out, const MatrixPicture& p) {
    const bool lines = !p.RowLines.empty();
    out.MarkTableBegin();
    out.Append("<P><table border=1 cellPadding=3 cellSpacing=0><tr align=center><td>&nbsp;</td>");
    for (int j = 1; j <= p.Columns; ++j) out.Appendf("<td class=cellA>B%i</td>", j);
    if (lines) out.Append("<td>&nbsp;</td>");
    out.Append("</tr>\n");
    out.MarkTableHeaderEnd();
    for (int i = 0; i < p.Rows; ++i) {
        out.MarkTableRow(i);
        out.Appendf("<tr align=center nowrap><td class=cellA>A%i</td>", i + 1);
        for (int j = 0; j < p.Columns; ++j) {
            out.Appendf("<td%s>", CellColour(p, i, j));
            AppendValue(out, p, i * p.Columns + j);
            out.Append("</td>");
        }
        if (lines) out.Append(Flag(p.RowLines, i) ? "<td><b>+</b></td>" : "<td>&nbsp;</td>");
        out.Append("</tr>\n");
    }
    if (lines) {
        out.Append("<tr align=center><td>&nbsp;</td>");
        for (int j = 0; j < p.Columns; ++j) {
            out.Append(Flag(p.ColumnLines, j) ? "<td><b>+</b></td>" : "<td>&nbsp;</td>");
        }
        out.Append("<td>&nbsp;</td></tr>\n");
    }
    out.Append("</table>");
    out.MarkTableEnd();
}

}  // namespace kargolo
