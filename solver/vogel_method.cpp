#include <algorithm>
#include <cstdlib>

#include "solver/plan_common.h"
#include "solver/plan_rule_texts.h"
#include "solver/plan_rules.h"

namespace kargolo {
namespace {

// The open cells of every row and every column, each line kept as a doubly linked list in the
// order FindMinTariffCell would pick them (by tariff, ties by position in the line). The two
// cheapest open cells of a line are then its first two entries, and closing a cell unlinks it
// from its row and its column instead of leaving it to be skipped at every stage. A whole line
// that closes is only marked: its cells leave the lists that cross it when a walk along such a
// list meets them, so that each cell is unlinked at most once.
class OpenLines {
public:
    explicit OpenLines(const SolveState& s);

    int FirstInRow(int i) { return m_rowClosed[Index(i)] ? kNoCell : Open(m_rowHead[Index(i)], m_rowHead[Index(i)], true); }
    int FirstInColumn(int j) {
        return m_columnClosed[Index(j)] ? kNoCell : Open(m_columnHead[Index(j)], m_columnHead[Index(j)], false);
    }
    int NextInRow(int k) { return Open(m_rowNext[Index(k)], m_rowHead[Index(k / m_n)], true); }
    int NextInColumn(int k) { return Open(m_columnNext[Index(k)], m_columnHead[Index(k % m_n)], false); }

    void Close(SolveState& s, int k);
    void CloseRow(int i) { m_rowClosed[Index(i)] = 1; }
    void CloseColumn(int j) { m_columnClosed[Index(j)] = 1; }

private:
    static std::size_t Index(int k) { return static_cast<std::size_t>(k); }
    static void Link(const std::vector<int>& cells, int& head, std::vector<int>& next,
                     std::vector<int>& previous);
    static void Unlink(int k, int& head, std::vector<int>& next, std::vector<int>& previous);
    // The first cell from `k` on along a row (or a column) whose crossing line is open; the
    // cells passed leave the list (whose head is `head`).
    int Open(int k, int& head, bool row);

    int m_n;
    std::vector<int> m_rowHead, m_rowNext, m_rowPrevious;
    std::vector<int> m_columnHead, m_columnNext, m_columnPrevious;
    std::vector<char> m_rowClosed, m_columnClosed;
};

OpenLines::OpenLines(const SolveState& s)
    : m_n(s.n),
      m_rowHead(Index(s.m), kNoCell),
      m_rowNext(Index(s.CellCount()), kNoCell),
      m_rowPrevious(Index(s.CellCount()), kNoCell),
      m_columnHead(Index(s.n), kNoCell),
      m_columnNext(Index(s.CellCount()), kNoCell),
      m_columnPrevious(Index(s.CellCount()), kNoCell),
      m_rowClosed(Index(s.m), 0),
      m_columnClosed(Index(s.n), 0) {
    std::vector<int> cells;
    for (int i = 0; i < s.m; ++i) {
        cells.clear();
        for (int k = i * s.n; k < (i + 1) * s.n; ++k) {
            if (s.UsingFlag[Index(k)] == kCellOpen) cells.push_back(k);
        }
        SortByTariff(s, cells);
        Link(cells, m_rowHead[Index(i)], m_rowNext, m_rowPrevious);
    }
    for (int j = 0; j < s.n; ++j) {
        cells.clear();
        for (int k = j; k < s.CellCount(); k += s.n) {
            if (s.UsingFlag[Index(k)] == kCellOpen) cells.push_back(k);
        }
        SortByTariff(s, cells);
        Link(cells, m_columnHead[Index(j)], m_columnNext, m_columnPrevious);
    }
}

void OpenLines::Link(const std::vector<int>& cells, int& head, std::vector<int>& next,
                     std::vector<int>& previous) {
    head = cells.empty() ? kNoCell : cells.front();
    for (std::size_t p = 0; p + 1 < cells.size(); ++p) {
        next[Index(cells[p])] = cells[p + 1];
        previous[Index(cells[p + 1])] = cells[p];
    }
}

void OpenLines::Unlink(int k, int& head, std::vector<int>& next, std::vector<int>& previous) {
    const int before = previous[Index(k)];
    const int after = next[Index(k)];
    if (before == kNoCell) {
        head = after;
    } else {
        next[Index(before)] = after;
    }
    if (after != kNoCell) previous[Index(after)] = before;
}

int OpenLines::Open(int k, int& head, bool row) {
    while (k != kNoCell && (row ? m_columnClosed[Index(k % m_n)] : m_rowClosed[Index(k / m_n)])) {
        const int after = row ? m_rowNext[Index(k)] : m_columnNext[Index(k)];
        if (row) {
            Unlink(k, head, m_rowNext, m_rowPrevious);
        } else {
            Unlink(k, head, m_columnNext, m_columnPrevious);
        }
        k = after;
    }
    return k;
}

void OpenLines::Close(SolveState& s, int k) {
    if (s.UsingFlag[Index(k)] == kCellUsed) return;
    s.UsingFlag[Index(k)] = kCellUsed;
    Unlink(k, m_rowHead[Index(k / m_n)], m_rowNext, m_rowPrevious);
    Unlink(k, m_columnHead[Index(k % m_n)], m_columnNext, m_columnPrevious);
}

// A line's penalty: its cheapest open cell and the difference to the second cheapest (0 when
// the cell is the line's only open one). Cell kNoCell: the line has no open cell.
struct Penalty {
    int Cell = kNoCell;
    std::int64_t Difference = 0;
};

Penalty PenaltyOf(SolveState& s, Scope scope, int cheapest, int next, int number) {
    const bool explain = WritesCourse(s);
    const bool row = scope == Scope::Row;
    if (cheapest == kNoCell) {
        if (explain) s.Report.Appendf(row ? kRowWithoutOpenCells : kColumnWithoutOpenCells, number);
        return {};
    }
    const int second = next == kNoCell ? cheapest : next;
    const Penalty penalty{cheapest, std::llabs(std::int64_t{s.At(cheapest).Tariff} -
                                               s.At(second).Tariff)};
    if (explain) {
        s.Report.Appendf(row ? kRowDifference : kColumnDifference, number, cheapest / s.n + 1, cheapest % s.n + 1, second / s.n + 1,
                         second % s.n + 1, static_cast<long long>(penalty.Difference));
    }
    return penalty;
}

// The line with the largest penalty; on equal penalties a later line wins only when its
// cheapest cell has a strictly smaller tariff. kNoCell when no line has an open cell.
int BestLine(const SolveState& s, const std::vector<Penalty>& penalties) {
    int best = kNoCell;
    for (int line = 0; line < static_cast<int>(penalties.size()); ++line) {
        const Penalty& p = penalties[static_cast<std::size_t>(line)];
        if (p.Cell == kNoCell) continue;
        if (best == kNoCell) {
            best = line;
            continue;
        }
        const Penalty& b = penalties[static_cast<std::size_t>(best)];
        if (p.Difference > b.Difference ||
            (p.Difference == b.Difference && s.At(p.Cell).Tariff < s.At(b.Cell).Tariff)) {
            best = line;
        }
    }
    return best;
}

// The cell to fill: the cheapest cell of the line with the larger penalty; on equal penalties
// the row's cell only when its tariff is strictly smaller than the column's.
int CellToFill(const SolveState& s, const Penalty* row, const Penalty* column) {
    if (column == nullptr) return row->Cell;
    if (row == nullptr) return column->Cell;
    if (row->Difference != column->Difference) {
        return row->Difference > column->Difference ? row->Cell : column->Cell;
    }
    return s.At(row->Cell).Tariff < s.At(column->Cell).Tariff ? row->Cell : column->Cell;
}

// One stage: penalties of every row and column, the choice, the placement. False when
// nothing was open any more.
bool RunStage(SolveState& s, OpenLines& lines, PlanRests& rests, std::vector<Penalty>& rows,
              std::vector<Penalty>& columns) {
    const bool explain = WritesCourse(s);
    for (int i = 0; i < s.m; ++i) {
        const int first = lines.FirstInRow(i);
        rows[static_cast<std::size_t>(i)] =
            PenaltyOf(s, Scope::Row, first, first == kNoCell ? kNoCell : lines.NextInRow(first),
                      i + 1);
    }
    for (int j = 0; j < s.n; ++j) {
        const int first = lines.FirstInColumn(j);
        columns[static_cast<std::size_t>(j)] =
            PenaltyOf(s, Scope::Column, first,
                      first == kNoCell ? kNoCell : lines.NextInColumn(first), j + 1);
    }
    const int bestRow = BestLine(s, rows);
    const int bestColumn = BestLine(s, columns);
    if (bestRow == kNoCell && bestColumn == kNoCell) return false;
    if (explain) {
        s.Report.Append(kVogelTieRule);
        if (bestRow != kNoCell) s.Report.Appendf(kBestRow, bestRow + 1);
        if (bestColumn != kNoCell) s.Report.Appendf(kBestColumn, bestColumn + 1);
    }
    const int k = CellToFill(s, bestRow == kNoCell ? nullptr : &rows[static_cast<std::size_t>(bestRow)],
                             bestColumn == kNoCell ? nullptr : &columns[static_cast<std::size_t>(bestColumn)]);
    const int i = k / s.n;
    const int j = k % s.n;
    rests.Place(s, k);
    if (explain) s.Report.Appendf(kFillCheapestOfLine, i + 1, j + 1);
    lines.Close(s, k);
    if (rests.Row(i) == 0) lines.CloseRow(i);
    if (rests.Column(j) == 0) lines.CloseColumn(j);
    return true;
}

}  // namespace

void VogelMethod(SolveState& s) {
    StartFlags(s);
    ExcludeFictitious(s);
    OpenLines lines(s);
    PlanRests rests(s);
    std::vector<Penalty> rows(static_cast<std::size_t>(s.m));
    std::vector<Penalty> columns(static_cast<std::size_t>(s.n));
    for (unsigned stage = 1;; ++stage) {
        if (WritesCourse(s)) s.Report.Appendf(kVogelStage, stage);
        if (!RunStage(s, lines, rests, rows, columns)) break;
    }
    DistributeFictitious(s, rests);
    FreeUnfilledCells(s);
    ReleaseFlags(s);
}

}  // namespace kargolo
