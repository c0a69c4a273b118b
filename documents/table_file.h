#pragma once

// Table files (.tab): little-endian 32-bit integers back to back, with no magic number:
//   m, n, the m supplies, the n demands, the m*n tariffs (row-major), and optionally the m*n
//   capacity values followed by the m*n capacity flags (0 = no limit, else limited).
// The length alone tells the two forms apart. The writer always produces the longer form, and
// for a task with a variant (a profit to maximise, forbidden routes, mandatory shipments) a
// block after the capacity flags that readers of the older forms do not read: the magic "KRG+",
// version 1, the goal, and the sections of forbidden routes and of mandatory shipments. There a
// forbidden route's tariff is a stand-in far above the others. Other bytes after the capacity
// flags are not read.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "documents/task_grids.h"

namespace kargolo {

// The values are the codes the messages are known by.
enum class TableFileStatus {
    Ok = 0,
    ReadError = 1,        // the file is shorter than its header says
    ExpectedEnd = 2,      // complete capacity values, incomplete capacity flags
    OpenError = 4,        // the file cannot be opened for reading
    OutputOpenError = 5,  // the file cannot be opened for writing
    OutOfMemory = 6,
    CreateError = 7,      // a write failed
    BadSize = 9,          // the header claims a table that cannot be made
    ReadOnlyOutput = 10,  // the file to be replaced may not be written
};

struct TableFileResult {
    TableFileStatus Status = TableFileStatus::Ok;
    std::int32_t ClaimedRows = 0;     // with BadSize: m of the header
    std::int32_t ClaimedColumns = 0;  // with BadSize: n of the header

    bool Ok() const { return Status == TableFileStatus::Ok; }
};

struct TableFileContents {
    TaskGrids Grids;
    bool HasLimits = false;  // at least one route of the file is limited
};

// The message shown for a result; empty for success.
std::string FileErrorText(const TableFileResult& result);

// Reads the bytes of a table file. The sizes of the header are checked against the length of
// the data before anything is allocated for them.
TableFileResult ParseTableFile(std::span<const std::uint8_t> bytes, TableFileContents& contents);
TableFileResult ReadTableFile(const std::filesystem::path& path, TableFileContents& contents);

// The bytes of the long form for the grids; numbers are parsed from their texts.
std::vector<std::uint8_t> SerializeTableFile(const TaskGrids& grids);
// Writes a table file; the target is replaced only when every byte was written.
TableFileResult WriteTableFile(const std::filesystem::path& path, const TaskGrids& grids);
// Writes the bytes of a task file of either kind in the same way.
TableFileResult WriteTaskBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace kargolo
