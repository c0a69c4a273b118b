#include "solver/hungarian.h"

#include <algorithm>
#include <limits>

#include "solver/assignment_report.h"
#include "solver/driver_texts.h"
#include "solver/hungarian_texts.h"
#include "solver/internal_error.h"
#include "solver/report_writer.h"
#include "solver/solve_hooks.h"
#include "solver/solve_state.h"

namespace kargolo {
namespace {

constexpr std::int64_t kNoMinimum = std::numeric_limits<std::int64_t>::max();
// A longer sum is written as its value alone.
constexpr std::size_t kMostSummands = 20;

std::size_t At(int index) { return static_cast<std::size_t>(index); }

// "A<sub>4</sub>, A<sub>5</sub>": the labels of lines first..last (from 0) of a kind.
std::string LineLabels(char letter, int first, int last) {
    std::string text;
    for (int k = first; k <= last; ++k) {
        if (!text.empty()) text += ", ";
        text += Format("%c<sub>%i</sub>", letter, k + 1);
    }
    return text;
}

std::string LabelsOf(char letter, const std::vector<int>& lines) {
    std::string text;
    for (const int k : lines) {
        if (!text.empty()) text += ", ";
        text += Format("%c<sub>%i</sub>", letter, k + 1);
    }
    return text;
}

class HungarianRun {
public:
    HungarianRun(const AssignmentTask& task, SolveState& s, SolveHooks& hooks)
        : m_task(task), m_s(s), m_hooks(hooks), m_n(std::max(task.Rows, task.Columns)) {}

    AssignmentResult Run();

private:
    bool Detailed() const { return WritesCourse(m_s); }
    std::size_t Cell(int i, int j) const { return At(i) * At(m_n) + At(j); }
    bool Allowed(int i, int j) const { return m_allowed[Cell(i, j)] != 0; }
    std::int64_t Value(int i, int j) const { return m_base[Cell(i, j)] - m_u[At(i)] - m_v[At(j)]; }

    void Prepare();
    void WriteTask();
    void WriteTransformations();
    bool FindFullAssignment();
    void WriteNoFullAssignment(const std::vector<int>& columnMatch, int unmatchedRow);
    void Reduce(bool rows);
    void StarGreedily();
    void RunStage();
    void FindRowMinima();
    int FirstUncoveredZeroRow() const;
    void UncoverColumn(int c);
    void ChangeMatrix();
    std::string SwapAlongChain(int r, int c);
    void WriteAnswer();
    std::string TotalText() const;
    MatrixPicture Picture(bool lines) const;
    MatrixPicture TaskPicture() const;

    const AssignmentTask& m_task;
    SolveState& m_s;
    SolveHooks& m_hooks;
    int m_n;  // the side of the square matrix
    AssignmentResult m_result;
    std::vector<std::int64_t> m_base;  // costs after the transformations, 0 where forbidden
    std::vector<std::uint8_t> m_allowed;
    std::vector<std::int64_t> m_u;  // taken from each row so far
    std::vector<std::int64_t> m_v;  // taken from each column so far
    std::vector<int> m_starOfRow;
    std::vector<int> m_starOfColumn;
    std::vector<int> m_primeOfRow;
    std::vector<std::uint8_t> m_rowCovered;
    std::vector<std::uint8_t> m_columnCovered;
    // Per uncovered row: its smallest element in the uncovered columns and the first column
    // holding it.
    std::vector<std::int64_t> m_rowMin;
    std::vector<int> m_rowArg;
    int m_stars = 0;
    std::int64_t m_largest = 0;  // C of a maximisation
};

void HungarianRun::Prepare() {
    const int rows = m_task.Rows;
    const int columns = m_task.Columns;
    bool anyAllowed = false;
    for (std::size_t k = 0; k < m_task.Values.size(); ++k) {
        if (m_task.Forbidden[k] != 0) continue;
        m_largest = anyAllowed ? std::max<std::int64_t>(m_largest, m_task.Values[k]) : m_task.Values[k];
        anyAllowed = true;
    }
    m_base.assign(At(m_n) * At(m_n), 0);
    m_allowed.assign(At(m_n) * At(m_n), 1);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            const std::size_t k = At(i) * At(columns) + At(j);
            if (m_task.Forbidden[k] != 0) {
                m_allowed[Cell(i, j)] = 0;
            } else {
                m_base[Cell(i, j)] = m_task.Maximise ? m_largest - m_task.Values[k] : m_task.Values[k];
            }
        }
    }
    m_u.assign(At(m_n), 0);
    m_v.assign(At(m_n), 0);
    m_starOfRow.assign(At(m_n), -1);
    m_starOfColumn.assign(At(m_n), -1);
    m_primeOfRow.assign(At(m_n), -1);
    m_rowCovered.assign(At(m_n), 0);
    m_columnCovered.assign(At(m_n), 0);
}

MatrixPicture HungarianRun::TaskPicture() const {
    MatrixPicture p;
    p.Rows = m_task.Rows;
    p.Columns = m_task.Columns;
    p.Values.assign(m_task.Values.begin(), m_task.Values.end());
    p.Forbidden = m_task.Forbidden;
    return p;
}

// The current square matrix, with its stars and primes, and with lines when asked.
MatrixPicture HungarianRun::Picture(bool lines) const {
    MatrixPicture p;
    p.Rows = m_n;
    p.Columns = m_n;
    p.Values.resize(At(m_n) * At(m_n));
    p.Forbidden.resize(p.Values.size());
    p.Marks.assign(p.Values.size(), ZeroMark::None);
    for (int i = 0; i < m_n; ++i) {
        for (int j = 0; j < m_n; ++j) {
            p.Forbidden[Cell(i, j)] = Allowed(i, j) ? 0 : 1;
            p.Values[Cell(i, j)] = Value(i, j);
        }
        if (m_starOfRow[At(i)] >= 0) p.Marks[Cell(i, m_starOfRow[At(i)])] = ZeroMark::Star;
        if (m_primeOfRow[At(i)] >= 0) p.Marks[Cell(i, m_primeOfRow[At(i)])] = ZeroMark::Prime;
    }
    if (lines) {
        p.RowLines = m_rowCovered;
        p.ColumnLines = m_columnCovered;
    }
    return p;
}

void HungarianRun::WriteTask() {
    ReportBuffer& out = m_s.Report;
    out.Appendf(m_task.Maximise ? kAssignmentEffects : kAssignmentCosts, m_task.Rows, m_task.Columns);
    const bool forbidden = std::any_of(m_task.Forbidden.begin(), m_task.Forbidden.end(),
                                       [](std::uint8_t f) { return f != 0; });
    if (forbidden) out.Append(kAssignmentForbiddenNote);
    out.Append(kAssignmentMatrix);
    WriteAssignmentMatrix(out, TaskPicture());
}

void HungarianRun::WriteTransformations() {
    ReportBuffer& out = m_s.Report;
    const bool forbidden = std::find(m_allowed.begin(), m_allowed.end(), 0) != m_allowed.end();
    if (m_task.Maximise) {
        out.Appendf(kAssignmentToMinimum, static_cast<long long>(m_largest),
                    forbidden ? kAssignmentForbiddenStay : "");
        MatrixPicture p = TaskPicture();
        for (std::size_t k = 0; k < p.Values.size(); ++k) {
            if (p.Forbidden[k] == 0) p.Values[k] = m_largest - p.Values[k];
        }
        WriteAssignmentMatrix(out, p);
    }
    if (m_task.Rows == m_task.Columns) return;
    const bool one = m_n - std::min(m_task.Rows, m_task.Columns) == 1;
    if (m_task.Rows < m_task.Columns) {
        out.Appendf(one ? kAssignmentExtraRow : kAssignmentExtraRows, m_task.Rows, m_task.Columns,
                    LineLabels('A', m_task.Rows, m_n - 1).c_str());
    } else {
        out.Appendf(one ? kAssignmentExtraColumn : kAssignmentExtraColumns, m_task.Rows, m_task.Columns,
                    LineLabels('B', m_task.Columns, m_n - 1).c_str());
    }
    MatrixPicture p = Picture(false);
    p.Marks.clear();
    WriteAssignmentMatrix(out, p);
}

// A maximum matching of the allowed cells (augmenting paths, breadth first); when it is not
// full, the verdict.
bool HungarianRun::FindFullAssignment() {
    std::vector<int> columnMatch(At(m_n), -1);
    std::vector<int> rowMatch(At(m_n), -1);
    std::vector<int> columnFrom(At(m_n));
    std::vector<int> queue;
    for (int root = 0; root < m_n; ++root) {
        std::fill(columnFrom.begin(), columnFrom.end(), -2);
        queue.assign(1, root);
        int freeColumn = -1;
        for (std::size_t head = 0; head < queue.size() && freeColumn < 0; ++head) {
            const int r = queue[head];
            for (int c = 0; c < m_n && freeColumn < 0; ++c) {
                if (!Allowed(r, c) || columnFrom[At(c)] != -2) continue;
                columnFrom[At(c)] = r;
                if (columnMatch[At(c)] < 0) {
                    freeColumn = c;
                } else {
                    queue.push_back(columnMatch[At(c)]);
                }
            }
        }
        if (freeColumn < 0) {
            m_s.Report.MarkSection(ReportSectionKind::Answer);
            m_s.Report.SetSectionEnding(RunEnding::Unsolvable, 0);
            WriteNoFullAssignment(columnMatch, root);
            return false;
        }
        for (int c = freeColumn; c >= 0;) {  // flip the path back to the root
            const int r = columnFrom[At(c)];
            const int next = rowMatch[At(r)];
            rowMatch[At(r)] = c;
            columnMatch[At(c)] = r;
            c = next;
        }
    }
    return true;
}

// The rows that the alternating paths from an unmatched row reach have fewer allowed columns
// between them than they are.
void HungarianRun::WriteNoFullAssignment(const std::vector<int>& columnMatch, int unmatchedRow) {
    std::vector<std::uint8_t> rowReached(At(m_n), 0);
    std::vector<std::uint8_t> columnReached(At(m_n), 0);
    std::vector<int> queue{unmatchedRow};
    rowReached[At(unmatchedRow)] = 1;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        for (int c = 0; c < m_n; ++c) {
            if (!Allowed(queue[head], c) || columnReached[At(c)] != 0) continue;
            columnReached[At(c)] = 1;
            const int r = columnMatch[At(c)];
            SOLVER_CHECK(r >= 0);
            if (rowReached[At(r)] == 0) {
                rowReached[At(r)] = 1;
                queue.push_back(r);
            }
        }
    }
    std::vector<int> rows;
    std::vector<int> columns;
    for (int k = 0; k < m_n; ++k) {
        if (rowReached[At(k)] != 0) rows.push_back(k);
        if (columnReached[At(k)] != 0) columns.push_back(k);
    }
    ReportBuffer& out = m_s.Report;
    if (columns.empty()) {
        out.Appendf(kAssignmentNoJobsAtAll, LabelsOf('A', rows).c_str());
    } else {
        out.Appendf(kAssignmentUnsolvable, LabelsOf('A', rows).c_str(), static_cast<unsigned>(rows.size()),
                    LabelsOf('B', columns).c_str(), static_cast<unsigned>(columns.size()));
    }
}

// Takes from each row (or column) its smallest allowed element.
void HungarianRun::Reduce(bool rows) {
    std::vector<std::int64_t>& taken = rows ? m_u : m_v;
    std::string terms;
    bool changed = false;
    for (int line = 0; line < m_n; ++line) {
        std::int64_t least = kNoMinimum;
        for (int k = 0; k < m_n; ++k) {
            const int i = rows ? line : k;
            const int j = rows ? k : line;
            if (Allowed(i, j)) least = std::min(least, Value(i, j));
        }
        SOLVER_CHECK(least != kNoMinimum);
        taken[At(line)] = least;
        changed = changed || least != 0;
        if (Detailed()) {
            if (!terms.empty()) terms += ", ";
            terms += Format(kReductionTerm, rows ? kRowWord : kColumnWord, line + 1, static_cast<long long>(least));
        }
    }
    if (!Detailed()) return;
    if (!changed) {
        m_s.Report.Append(rows ? kRowsHaveZeros : kColumnsHaveZeros);
        return;
    }
    m_s.Report.Appendf(rows ? kRowReduction : kColumnReduction, terms.c_str());
    MatrixPicture p = Picture(false);
    p.Marks.clear();
    WriteAssignmentMatrix(m_s.Report, p);
}

void HungarianRun::StarGreedily() {
    for (int i = 0; i < m_n; ++i) {
        for (int j = 0; j < m_n; ++j) {
            if (!Allowed(i, j) || Value(i, j) != 0 || m_starOfColumn[At(j)] >= 0) continue;
            m_starOfRow[At(i)] = j;
            m_starOfColumn[At(j)] = i;
            ++m_stars;
            break;
        }
    }
    if (!Detailed()) return;
    m_s.Report.Appendf(kStarZeros, m_stars, m_n);
    WriteAssignmentMatrix(m_s.Report, Picture(false));
}

// Every row is uncovered when a stage starts.
void HungarianRun::FindRowMinima() {
    m_rowMin.assign(At(m_n), kNoMinimum);
    m_rowArg.assign(At(m_n), -1);
    for (int i = 0; i < m_n; ++i) {
        for (int j = 0; j < m_n; ++j) {
            if (m_columnCovered[At(j)] != 0 || !Allowed(i, j)) continue;
            const std::int64_t value = Value(i, j);
            if (value < m_rowMin[At(i)]) {
                m_rowMin[At(i)] = value;
                m_rowArg[At(i)] = j;
            }
        }
    }
}

int HungarianRun::FirstUncoveredZeroRow() const {
    for (int i = 0; i < m_n; ++i) {
        if (m_rowCovered[At(i)] == 0 && m_rowMin[At(i)] == 0) return i;
    }
    return -1;
}

void HungarianRun::UncoverColumn(int c) {
    m_columnCovered[At(c)] = 0;
    for (int i = 0; i < m_n; ++i) {
        if (m_rowCovered[At(i)] != 0 || !Allowed(i, c)) continue;
        const std::int64_t value = Value(i, c);
        if (value < m_rowMin[At(i)] || (value == m_rowMin[At(i)] && c < m_rowArg[At(i)])) {
            m_rowMin[At(i)] = value;
            m_rowArg[At(i)] = c;
        }
    }
}

// No uncovered zero is left: h, the smallest uncovered element, leaves every uncovered row and
// joins every covered column.
void HungarianRun::ChangeMatrix() {
    std::int64_t h = kNoMinimum;
    for (int i = 0; i < m_n; ++i) {
        if (m_rowCovered[At(i)] == 0) h = std::min(h, m_rowMin[At(i)]);
    }
    SOLVER_CHECK(h != kNoMinimum && h > 0);
    if (Detailed()) {
        m_s.Report.Appendf(kNoUncoveredZero, m_stars);
        WriteAssignmentMatrix(m_s.Report, Picture(true));
        m_s.Report.Appendf(kChangeMatrix, static_cast<long long>(h));
    }
    for (int i = 0; i < m_n; ++i) {
        if (m_rowCovered[At(i)] != 0) continue;
        m_u[At(i)] += h;
        if (m_rowMin[At(i)] != kNoMinimum) m_rowMin[At(i)] -= h;
    }
    for (int j = 0; j < m_n; ++j) {
        if (m_columnCovered[At(j)] != 0) m_v[At(j)] -= h;
    }
    if (Detailed()) WriteAssignmentMatrix(m_s.Report, Picture(true));
}

// The chain from the prime at (r, c): the star in its column, the prime in that star's row, and
// so on. Its stars lose their mark and its primes become stars; every other prime and every
// cover goes. Returns the chain's text.
std::string HungarianRun::SwapAlongChain(int r, int c) {
    std::vector<std::pair<int, int>> primes{{r, c}};
    std::vector<std::pair<int, int>> stars;
    std::string text = Format(kChainPrime, r + 1, c + 1);
    for (int column = c; m_starOfColumn[At(column)] >= 0;) {
        const int row = m_starOfColumn[At(column)];
        stars.emplace_back(row, column);
        column = m_primeOfRow[At(row)];
        SOLVER_CHECK(column >= 0);
        primes.emplace_back(row, column);
        text += kChainArrow + Format(kChainStar, row + 1, stars.back().second + 1);
        text += kChainArrow + Format(kChainPrime, row + 1, column + 1);
    }
    for (const auto& [row, column] : stars) {
        m_starOfRow[At(row)] = -1;
        m_starOfColumn[At(column)] = -1;
    }
    for (const auto& [row, column] : primes) {
        m_starOfRow[At(row)] = column;
        m_starOfColumn[At(column)] = row;
    }
    ++m_stars;
    std::fill(m_primeOfRow.begin(), m_primeOfRow.end(), -1);
    std::fill(m_rowCovered.begin(), m_rowCovered.end(), 0);
    std::fill(m_columnCovered.begin(), m_columnCovered.end(), 0);
    return text;
}

// One stage: from the covered columns of the stars to one more star. Each pass primes a zero
// (covering a row) or changes the matrix (which uncovers a new zero), so a stage takes at most
// 2n passes.
void HungarianRun::RunStage() {
    for (int j = 0; j < m_n; ++j) m_columnCovered[At(j)] = m_starOfColumn[At(j)] >= 0 ? 1 : 0;
    if (Detailed()) {
        m_s.Report.Appendf(kCoverColumns, m_stars, m_n);
        WriteAssignmentMatrix(m_s.Report, Picture(true));
    }
    FindRowMinima();
    for (int pass = 0; pass <= 2 * m_n; ++pass) {
        const int r = FirstUncoveredZeroRow();
        if (r < 0) {
            ChangeMatrix();
            continue;
        }
        const int c = m_rowArg[At(r)];
        m_primeOfRow[At(r)] = c;
        const int star = m_starOfRow[At(r)];
        if (star < 0) {
            if (Detailed()) {
                m_s.Report.Appendf(kPrimeEndsSearch, r + 1, c + 1, r + 1);
                WriteAssignmentMatrix(m_s.Report, Picture(true));
            }
            const bool lone = m_starOfColumn[At(c)] < 0;
            const std::string chain = SwapAlongChain(r, c);
            if (!Detailed()) return;
            if (lone) {
                m_s.Report.Appendf(kLoneStar, c + 1, m_stars);
            } else {
                m_s.Report.Appendf(kChainSwap, r + 1, c + 1, chain.c_str(), m_stars);
            }
            WriteAssignmentMatrix(m_s.Report, Picture(false));
            return;
        }
        if (Detailed()) m_s.Report.Appendf(kPrimeInStarredRow, r + 1, c + 1, r + 1, star + 1, r + 1, star + 1);
        m_rowCovered[At(r)] = 1;
        UncoverColumn(star);
    }
    SOLVER_CHECK(false);  // a stage that never ends
}

std::string HungarianRun::TotalText() const {
    const std::string total = Format("%lld", static_cast<long long>(m_result.Total));
    std::string sum;
    std::size_t summands = 0;
    for (int i = 0; i < m_task.Rows; ++i) {
        const int j = m_result.ColumnOfRow[At(i)];
        if (j < 0) continue;
        const std::int32_t value = m_task.Values[At(i) * At(m_task.Columns) + At(j)];
        if (summands++ > 0) sum += " + ";
        sum += Format(value < 0 ? "(%i)" : "%i", value);
    }
    if (summands < 2 || summands > kMostSummands) return total;
    return sum + " = " + total;
}

void HungarianRun::WriteAnswer() {
    ReportBuffer& out = m_s.Report;
    m_result.ColumnOfRow.assign(At(m_task.Rows), -1);
    for (int i = 0; i < m_task.Rows; ++i) {
        const int j = m_starOfRow[At(i)];
        if (j < 0 || j >= m_task.Columns) continue;
        m_result.ColumnOfRow[At(i)] = j;
        m_result.Total += m_task.Values[At(i) * At(m_task.Columns) + At(j)];
    }
    if (Detailed()) out.Appendf(kAssignmentReached, m_n);
    out.Append(kAssignmentOnTask);
    MatrixPicture p = TaskPicture();
    p.Marks.assign(p.Values.size(), ZeroMark::None);
    for (int i = 0; i < m_task.Rows; ++i) {
        const int j = m_result.ColumnOfRow[At(i)];
        if (j >= 0) p.Marks[At(i) * At(m_task.Columns) + At(j)] = ZeroMark::Assigned;
    }
    WriteAssignmentMatrix(out, p);
    out.Append("<BR>");
    for (int i = 0; i < m_n; ++i) {
        const int j = m_starOfRow[At(i)];
        if (i < m_task.Rows && j < m_task.Columns) {
            const std::int32_t value = m_task.Values[At(i) * At(m_task.Columns) + At(j)];
            out.Appendf(kAssignedPair, i + 1, j + 1, i + 1, j + 1, static_cast<long long>(value));
        } else if (i >= m_task.Rows) {
            out.Appendf(kJobLeft, j + 1, i + 1);
        } else {
            out.Appendf(kPerformerLeft, i + 1, j + 1);
        }
    }
    out.Appendf(m_task.Maximise ? kLargestTotal : kLeastTotal, TotalText().c_str());
}

AssignmentResult HungarianRun::Run() {
    m_hooks.AddStatusLine(kStatusHungarian);
    m_s.Report.MarkSection(ReportSectionKind::Task);
    Prepare();
    m_s.Report.Append(kAssignmentTitle);
    if (Detailed()) {
        WriteTask();
        WriteTransformations();
    }
    if (!FindFullAssignment()) {
        m_result.Solvable = false;
        return m_result;
    }
    if (Detailed()) m_s.Report.Append(kHungarianMethod);
    Reduce(true);
    Reduce(false);
    StarGreedily();
    while (m_stars < m_n) {
        BeginStage(m_s, ++m_result.Stages);
        if (m_hooks.StopRequested()) {
            m_result.Completed = false;
            m_s.Report.MarkSection(ReportSectionKind::Answer);
            m_s.Report.SetSectionEnding(RunEnding::Stopped, m_result.Stages);
            m_s.Report.Append(kAssignmentStopped);
            return m_result;
        }
        m_hooks.AddStatusLine(Format(kStatusAssignmentStage, m_result.Stages, m_stars, m_n));
        RunStage();
    }
    m_hooks.AddStatusLine(kStatusFinished);
    m_s.Report.MarkSection(ReportSectionKind::Answer);
    WriteAnswer();
    return m_result;
}

}  // namespace

std::string CheckAssignmentTask(const AssignmentTask& task) {
    if (task.Rows < 1 || task.Columns < 1) return kAssignmentEmpty;
    if (task.Rows > kLargestAssignmentSide || task.Columns > kLargestAssignmentSide) {
        return Format(kAssignmentTooLarge, task.Rows, task.Columns, kLargestAssignmentSide);
    }
    const std::size_t cells = static_cast<std::size_t>(task.Rows) * static_cast<std::size_t>(task.Columns);
    SOLVER_CHECK(task.Values.size() == cells && task.Forbidden.size() == cells);
    return {};
}

AssignmentResult SolveAssignment(const AssignmentTask& task, SolveState& s, SolveHooks& hooks) {
    return HungarianRun(task, s, hooks).Run();
}

}  // namespace kargolo
