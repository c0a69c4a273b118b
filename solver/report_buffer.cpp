#include "solver/report_buffer.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdio>

#include "solver/internal_error.h"

namespace kargolo {
namespace {

// Chunks grow with the text, from a few kilobytes for a short text to 4 MB for a long one.
constexpr std::size_t kFirstChunk = std::size_t{4} << 10;
constexpr std::size_t kLargestChunk = std::size_t{4} << 20;
// What a buffer with a sink holds at most before it hands the text on.
constexpr std::size_t kHeldWithSink = std::size_t{1} << 20;

PRINTF_LIKE(2, 0) void AppendFormatted(std::string& out, const char* format, va_list args) {
    va_list probe;
    va_copy(probe, args);
    const int length = std::vsnprintf(nullptr, 0, format, probe);
    va_end(probe);
    if (length <= 0) return;
    const std::size_t oldSize = out.size();
    out.resize(oldSize + static_cast<std::size_t>(length) + 1);  // room for vsnprintf's NUL
    std::vsnprintf(out.data() + oldSize, static_cast<std::size_t>(length) + 1, format, args);
    out.resize(oldSize + static_cast<std::size_t>(length));
}

}  // namespace

std::string& ReportBuffer::Tail(std::size_t length) {
    if (m_sink != nullptr && m_held > 0 && m_held + length > kHeldWithSink) Spill();
    if (m_chunks.empty() || m_chunks.back().size() + length > m_chunks.back().capacity()) {
        const std::size_t grown = m_chunks.empty() ? kFirstChunk : 2 * m_chunks.back().capacity();
        m_chunks.emplace_back().reserve(std::max(std::min(grown, kLargestChunk), length));
    }
    m_held += length;
    m_size += length;
    return m_chunks.back();
}

void ReportBuffer::Spill() {
    for (const std::string& chunk : m_chunks) {
        if (!chunk.empty()) m_sink->Write(chunk);
    }
    m_chunks.resize(1);
    m_chunks.front().clear();
    m_held = 0;
    m_spilled = true;
}

void ReportBuffer::Appendf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    // Most texts are short: formatted once on the stack, and only a long one a second time.
    char local[512];
    const int length = std::vsnprintf(local, sizeof local, format, args);
    if (length > 0 && static_cast<std::size_t>(length) < sizeof local) {
        Append(std::string_view(local, static_cast<std::size_t>(length)));
    } else if (length > 0) {
        std::string text;
        AppendFormatted(text, format, again);
        Append(text);
    }
    va_end(again);
    va_end(args);
}

void ReportBuffer::AppendInt(std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    Tail(static_cast<std::size_t>(result.ptr - digits)).append(digits, result.ptr);
}

void ReportBuffer::Assign(std::string_view text) {
    Clear();
    Append(text);
}

void ReportBuffer::Clear() {
    SOLVER_CHECK(!m_spilled);
    m_chunks.clear();
    m_joined.clear();
    m_held = 0;
    m_size = 0;
    m_index = {};
    m_lastBreak = 0;
}

const std::string& ReportBuffer::Text() const {
    SOLVER_CHECK(!m_spilled);
    if (m_chunks.size() == 1) return m_chunks.front();
    // The chunks only grow at the end, so the text joined so far is a prefix of the new one.
    std::size_t joined = m_joined.size();
    for (const std::string& chunk : m_chunks) {
        if (joined >= chunk.size()) {
            joined -= chunk.size();
            continue;
        }
        m_joined.append(chunk, joined);
        joined = 0;
    }
    return m_joined;
}

void ReportBuffer::StreamTo(ReportSink& sink) {
    m_sink = &sink;
    m_chunks.clear();
    m_chunks.emplace_back().reserve(kHeldWithSink);
}

void ReportBuffer::Flush() {
    if (m_sink != nullptr) Spill();
}

std::uint64_t ReportBuffer::Here() {
    if (m_sink == nullptr) return m_size;
    Spill();
    return m_sink->StoredSize();
}

void ReportBuffer::MarkBodyBegin() { m_index.BodyBegin = Here(); }

void ReportBuffer::MarkBodyEnd() { m_index.BodyEnd = Here(); }

void ReportBuffer::MarkSection(ReportSectionKind kind, unsigned stage) {
    m_index.Sections.push_back({kind, stage, RunEnding::Optimal, Here(), false, 0});
    m_lastBreak = m_size;
}

void ReportBuffer::SetSectionEnding(RunEnding ending, unsigned stage) {
    if (m_index.Sections.empty()) return;
    m_index.Sections.back().Ending = ending;
    m_index.Sections.back().Stage = stage;
}

void ReportBuffer::SetSectionObjective(std::int64_t f) {
    if (m_index.Sections.empty()) return;
    m_index.Sections.back().HasObjective = true;
    m_index.Sections.back().ObjectiveF = f;
}

void ReportBuffer::SetSectionProfit(std::int64_t profit) {
    SetSectionObjective(profit);
    if (!m_index.Sections.empty()) m_index.Sections.back().ObjectiveIsProfit = true;
}

void ReportBuffer::MarkBreak() {
    if (!BreakDue()) return;
    m_index.Breaks.push_back({Here(), -1, 0});
    m_lastBreak = m_size;
}

void ReportBuffer::MarkTableBegin() {
    m_table = {};
    m_table.Begin = Here();
    m_tableBreaks = m_index.Breaks.size();
}

void ReportBuffer::MarkTableHeaderEnd() { m_table.HeaderEnd = Here(); }

void ReportBuffer::MarkTableRow(int row) {
    m_table.Rows = row + 1;
    if (!BreakDue()) return;
    m_index.Breaks.push_back({Here(), static_cast<int>(m_index.Tables.size()), row});
    m_lastBreak = m_size;
}

void ReportBuffer::MarkTableEnd() {
    if (m_index.Breaks.size() == m_tableBreaks) return;  // short enough to stay whole
    m_table.End = Here();
    m_index.Tables.push_back(m_table);
}

std::string Format(const char* format, ...) {
    std::string text;
    va_list args;
    va_start(args, format);
    AppendFormatted(text, format, args);
    va_end(args);
    return text;
}

}  // namespace kargolo
