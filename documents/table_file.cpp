#include "documents/table_file.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <new>

#include "documents/atomic_file.h"
#include "documents/document_texts.h"
#include "documents/task_editing.h"
#include "documents/text_numbers.h"
#include "solver/report_buffer.h"

namespace kargolo {
namespace {

constexpr std::int64_t kLargestCellCount = 2147483647;

std::int32_t ReadInt32LE(std::span<const std::uint8_t> bytes, std::size_t offset) {
    const std::uint32_t value = std::uint32_t{bytes[offset]} |
                                std::uint32_t{bytes[offset + 1]} << 8 |
                                std::uint32_t{bytes[offset + 2]} << 16 |
                                std::uint32_t{bytes[offset + 3]} << 24;
    return static_cast<std::int32_t>(value);  // two's complement
}

void AppendInt32LE(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
}

// The block of a task's variant after the capacity flags, which readers of the older forms never
// read: the magic "KRG+", the version 1, the goal (0 minimum, 1 maximum), a set of sections
// (kForbiddenSection, kMandatorySection, kKindSection) and those sections in that order, of m*n
// values each but the kind's single value (1 the time criterion, 2 the assignment problem).
constexpr std::uint8_t kVariantMagic[4] = {'K', 'R', 'G', '+'};
constexpr std::int32_t kVariantVersion = 1;
constexpr std::int32_t kForbiddenSection = 1;  // 1 for a forbidden route (tariff M), else 0
constexpr std::int32_t kMandatorySection = 2;  // the mandatory shipments
constexpr std::int32_t kKindSection = 4;       // the kind of task, when not the transportation task
constexpr std::int32_t kKnownSections = kForbiddenSection | kMandatorySection | kKindSection;
constexpr std::int32_t kVariantHeaderSize = 16;

// Where the sections of a file with the header (m, n) end, in bytes.
struct Layout {
    std::int64_t m = 0;
    std::int64_t n = 0;
    std::int64_t TariffsEnd = 0;
    std::int64_t ValuesEnd = 0;
    std::int64_t FlagsEnd = 0;
    std::int64_t VariantEnd = 0;  // the longest variant block

    Layout(std::int32_t rows, std::int32_t columns) : m(rows), n(columns) {
        TariffsEnd = 8 + 4 * (m + n + m * n);
        ValuesEnd = TariffsEnd + 4 * m * n;
        FlagsEnd = ValuesEnd + 4 * m * n;
        VariantEnd = FlagsEnd + kVariantHeaderSize + 8 * m * n + 4;
    }
    std::size_t Offset(std::int64_t base, std::int64_t item) const {
        return static_cast<std::size_t>(base + 4 * item);
    }
};

bool SizeIsAcceptable(std::int32_t m, std::int32_t n) {
    return m >= 2 && n >= 2 && static_cast<double>(m) * n <= kLargestCellCount;
}

std::string AbsoluteText(std::int32_t value) { return NumberToText(std::llabs(value)); }

void FillGrids(std::span<const std::uint8_t> bytes, const Layout& at, bool hasSection,
               TableFileContents& contents) {
    const int m = static_cast<int>(at.m);
    const int n = static_cast<int>(at.n);
    TaskGrids& grids = contents.Grids;
    for (int i = 1; i <= m; ++i) {
        const std::string text = AbsoluteText(ReadInt32LE(bytes, at.Offset(8, i - 1)));
        grids.Tarif.At(n + 1, i) = text;
        grids.Restriction.At(n + 1, i) = text;
    }
    for (int j = 1; j <= n; ++j) {
        const std::string text = AbsoluteText(ReadInt32LE(bytes, at.Offset(8 + 4 * at.m, j - 1)));
        grids.Tarif.At(j, m + 1) = text;
        grids.Restriction.At(j, m + 1) = text;
    }
    const std::int64_t tariffsStart = 8 + 4 * (at.m + at.n);
    contents.HasLimits = false;
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j) {
            const std::int64_t k = std::int64_t{i} * at.n + j;
            grids.Tarif.At(j + 1, i + 1) = NumberToText(ReadInt32LE(bytes, at.Offset(tariffsStart, k)));
            const bool limited = hasSection && ReadInt32LE(bytes, at.Offset(at.ValuesEnd, k)) != 0;
            grids.Restriction.At(j + 1, i + 1) =
                limited ? AbsoluteText(ReadInt32LE(bytes, at.Offset(at.TariffsEnd, k))) : "M";
            contents.HasLimits = contents.HasLimits || limited;
        }
    }
    CopyRim(grids, GridKind::Tarif);  // the other grids' supplies and demands
}

// Reads the variant block, when the file has one; false when it is cut short or unknown.
bool ReadVariant(std::span<const std::uint8_t> bytes, const Layout& at, TaskGrids& grids) {
    const auto length = static_cast<std::int64_t>(bytes.size());
    if (length < at.FlagsEnd + 4 || !std::equal(kVariantMagic, kVariantMagic + 4, bytes.begin() + at.FlagsEnd)) {
        return true;  // none: bytes after the capacity flags are not ours
    }
    if (length < at.FlagsEnd + kVariantHeaderSize) return false;
    const auto header = static_cast<std::size_t>(at.FlagsEnd);
    const std::int32_t sections = ReadInt32LE(bytes, header + 12);
    if (ReadInt32LE(bytes, header + 4) != kVariantVersion || (sections & ~kKnownSections) != 0) {
        return false;
    }
    grids.Goal = ReadInt32LE(bytes, header + 8) == 1 ? TaskGoal::Maximise : TaskGoal::Minimise;
    std::int64_t next = at.FlagsEnd + kVariantHeaderSize;
    for (const std::int32_t section : {kForbiddenSection, kMandatorySection}) {
        if ((sections & section) == 0) continue;
        if (length < next + 4 * at.m * at.n) return false;
        for (int i = 0; i < at.m; ++i) {
            for (int j = 0; j < at.n; ++j) {
                const std::int32_t value = ReadInt32LE(bytes, at.Offset(next, std::int64_t{i} * at.n + j));
                if (value == 0) continue;  // a route as before; no mandatory shipment
                std::string text = section == kForbiddenSection ? std::string(1, 'M') : NumberToText(value);
                (section == kForbiddenSection ? grids.Tarif : grids.Mandatory).At(j + 1, i + 1).swap(text);
            }
        }
        next += 4 * at.m * at.n;
    }
    if ((sections & kKindSection) == 0) return true;
    if (length < next + 4) return false;
    switch (ReadInt32LE(bytes, static_cast<std::size_t>(next))) {
        case 1: grids.Kind = TaskKind::Time; return true;
        case 2: grids.Kind = TaskKind::Assignment; return true;
        default: return false;
    }
}

// What a reader of the older forms finds in place of a tariff M: far above every tariff of the
// task (a thousand times the largest, at least a million), so that it solves about the same task.
std::int32_t StandInForM(const TaskGrids& grids) {
    std::int64_t largest = 0;
    for (int i = 1; i <= grids.Suppliers(); ++i) {
        for (int j = 1; j <= grids.Consumers(); ++j) {
            const std::string& tariff = grids.Tarif.At(j, i);
            if (!IsMText(tariff)) largest = std::max<std::int64_t>(largest, std::llabs(TextToNumber(tariff)));
        }
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(1000 * largest, 1000000, std::int64_t{1} << 30));
}

void AppendVariant(std::vector<std::uint8_t>& out, const TaskGrids& grids) {
    const int m = grids.Suppliers();
    const int n = grids.Consumers();
    bool forbidden = false;
    bool mandatory = false;
    for (int i = 1; i <= m; ++i) {
        for (int j = 1; j <= n; ++j) {
            forbidden = forbidden || IsMText(grids.Tarif.At(j, i));
            mandatory = mandatory || TextToNumber(grids.Mandatory.At(j, i)) != 0;
        }
    }
    const bool kind = grids.Kind != TaskKind::Transport;
    if (!forbidden && !mandatory && !kind && grids.Goal == TaskGoal::Minimise) return;  // written as before
    out.insert(out.end(), kVariantMagic, kVariantMagic + 4);
    AppendInt32LE(out, kVariantVersion);
    AppendInt32LE(out, grids.Goal == TaskGoal::Maximise ? 1 : 0);
    AppendInt32LE(out, (forbidden ? kForbiddenSection : 0) | (mandatory ? kMandatorySection : 0) |
                           (kind ? kKindSection : 0));
    for (int i = 1; forbidden && i <= m; ++i) {
        for (int j = 1; j <= n; ++j) AppendInt32LE(out, IsMText(grids.Tarif.At(j, i)) ? 1 : 0);
    }
    for (int i = 1; mandatory && i <= m; ++i) {
        for (int j = 1; j <= n; ++j) AppendInt32LE(out, TextToNumber(grids.Mandatory.At(j, i)));
    }
    if (kind) AppendInt32LE(out, grids.Kind == TaskKind::Time ? 1 : 2);
}

}  // namespace

std::string FileErrorText(const TableFileResult& result) {
    switch (result.Status) {
        case TableFileStatus::Ok: return {};
        case TableFileStatus::ReadError: return kReadErrorText;
        case TableFileStatus::ExpectedEnd: return kExpectedEndText;
        case TableFileStatus::OpenError: return kOpenErrorText;
        case TableFileStatus::OutputOpenError: return kOutputOpenErrorText;
        case TableFileStatus::OutOfMemory: return kOutOfMemoryText;
        case TableFileStatus::CreateError: return kCreateErrorText;
        case TableFileStatus::ReadOnlyOutput: return kReadOnlyOutputText;
        case TableFileStatus::BadSize:
            return Format(kBadSizeText, result.ClaimedRows, result.ClaimedColumns);
    }
    return {};
}

TableFileResult ParseTableFile(std::span<const std::uint8_t> bytes, TableFileContents& contents) {
    if (bytes.size() < 8) return {TableFileStatus::ReadError};
    const std::int32_t m = ReadInt32LE(bytes, 0);
    const std::int32_t n = ReadInt32LE(bytes, 4);
    if (!SizeIsAcceptable(m, n)) return {TableFileStatus::BadSize, m, n};
    const Layout at(m, n);
    const auto length = static_cast<std::int64_t>(bytes.size());
    if (length < at.TariffsEnd) return {TableFileStatus::ReadError};
    if (length >= at.ValuesEnd && length < at.FlagsEnd) return {TableFileStatus::ExpectedEnd};
    try {
        contents.Grids = MakeTaskGrids(m, n);
    } catch (const std::bad_alloc&) {
        return {TableFileStatus::BadSize, m, n};
    }
    FillGrids(bytes, at, length >= at.FlagsEnd, contents);
    if (!ReadVariant(bytes, at, contents.Grids)) return {TableFileStatus::ReadError};
    if (contents.Grids.Kind == TaskKind::Assignment) WriteCaptions(contents.Grids);
    return {};
}

TableFileResult ReadTableFile(const std::filesystem::path& path, TableFileContents& contents) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return {TableFileStatus::OpenError};
    const std::streamoff fileLength = in.tellg();
    in.seekg(0);
    std::vector<std::uint8_t> bytes(8);
    if (fileLength < 8 || !in.read(reinterpret_cast<char*>(bytes.data()), 8)) {
        return {TableFileStatus::ReadError};
    }
    const std::int32_t m = ReadInt32LE(bytes, 0);
    const std::int32_t n = ReadInt32LE(bytes, 4);
    if (!SizeIsAcceptable(m, n)) return {TableFileStatus::BadSize, m, n};
    // Read no more than the file holds, and no more than its longest form needs.
    const std::int64_t wanted = std::min<std::int64_t>(fileLength, Layout(m, n).VariantEnd);
    try {
        bytes.resize(static_cast<std::size_t>(wanted));
    } catch (const std::bad_alloc&) {
        return {TableFileStatus::OutOfMemory};
    }
    in.read(reinterpret_cast<char*>(bytes.data()) + 8, static_cast<std::streamsize>(wanted - 8));
    bytes.resize(8 + static_cast<std::size_t>(in.gcount()));
    return ParseTableFile(bytes, contents);
}

std::vector<std::uint8_t> SerializeTableFile(const TaskGrids& grids) {
    const int m = grids.Suppliers();
    const int n = grids.Consumers();
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(Layout(m, n).FlagsEnd));
    AppendInt32LE(out, m);
    AppendInt32LE(out, n);
    for (int i = 1; i <= m; ++i) AppendInt32LE(out, TextToNumber(grids.Tarif.At(n + 1, i)));
    for (int j = 1; j <= n; ++j) AppendInt32LE(out, TextToNumber(grids.Tarif.At(j, m + 1)));
    const std::int32_t standInForM = StandInForM(grids);
    for (int i = 1; i <= m; ++i) {
        for (int j = 1; j <= n; ++j) {
            const std::string& tariff = grids.Tarif.At(j, i);
            AppendInt32LE(out, IsMText(tariff) ? standInForM : TextToNumber(tariff));
        }
    }
    for (int pass = 0; pass < 2; ++pass) {  // the capacity values, then the capacity flags
        for (int i = 1; i <= m; ++i) {
            for (int j = 1; j <= n; ++j) {
                const std::string& text = grids.Restriction.At(j, i);
                const bool limited = !IsNoLimitText(text);
                AppendInt32LE(out, pass == 0 ? (limited ? TextToNumber(text) : 0) : limited);
            }
        }
    }
    AppendVariant(out, grids);
    return out;
}

TableFileResult WriteTableFile(const std::filesystem::path& path, const TaskGrids& grids) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = SerializeTableFile(grids);
    } catch (const std::bad_alloc&) {
        return {TableFileStatus::OutOfMemory};
    }
    return WriteTaskBytes(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

TableFileResult WriteTaskBytes(const std::filesystem::path& path, std::string_view bytes) {
    switch (WriteFileAtomically(path, bytes)) {
        case AtomicWriteStatus::Ok: return {};
        case AtomicWriteStatus::OpenFailed: return {TableFileStatus::OutputOpenError};
        case AtomicWriteStatus::ReadOnly: return {TableFileStatus::ReadOnlyOutput};
        case AtomicWriteStatus::WriteFailed: return {TableFileStatus::CreateError};
    }
    return {TableFileStatus::CreateError};
}

}  // namespace kargolo
