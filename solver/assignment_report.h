#pragma once

// The matrix of an assignment task as the report shows it: one row per performer A_i, one
// column per job B_j; a forbidden cell shows M, a starred zero 0* in blue, a primed zero 0' in
// red, an assigned cell on green. Covered rows and columns (the lines) are shaded, darker where
// two lines cross, and a + beside the row or under the column marks each line.

#include <cstdint>
#include <vector>

namespace kargolo {

class ReportBuffer;

enum class ZeroMark : std::uint8_t { None, Star, Prime, Assigned };

struct MatrixPicture {
    int Rows = 0;
    int Columns = 0;
    std::vector<std::int64_t> Values;      // row-major
    std::vector<std::uint8_t> Forbidden;   // 1: M
    std::vector<ZeroMark> Marks;           // empty: no marks
    std::vector<std::uint8_t> RowLines;    // empty: no lines
    std::vector<std::uint8_t> ColumnLines;
};

void WriteAssignmentMatrix(ReportBuffer& out, const MatrixPicture& picture);

}  // namespace kargolo
