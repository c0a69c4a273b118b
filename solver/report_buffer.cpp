#include "solver/report_buffer.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdio>

namespace kargolo {
namespace {

// Chunks grow with the text, from a few kilobytes for a short text to 4 MB for a long one.
constexpr std::size_t kFirstChunk = std::size_t{4} << 10;
constexpr std::size_t kLargestChunk = std::size_t{4} << 20;

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
    if (m_chunks.empty() || m_chunks.back().size() + length > m_chunks.back().capacity()) {
        const std::size_t grown = m_chunks.empty() ? kFirstChunk : 2 * m_chunks.back().capacity();
        m_chunks.emplace_back().reserve(std::max(std::min(grown, kLargestChunk), length));
    }
    return m_chunks.back();
}

void ReportBuffer::Appendf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list probe;
    va_copy(probe, args);
    const int length = std::vsnprintf(nullptr, 0, format, probe);
    va_end(probe);
    // One more byte for the NUL that vsnprintf writes before it is cut off again.
    if (length > 0) AppendFormatted(Tail(static_cast<std::size_t>(length) + 1), format, args);
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
    m_chunks.clear();
    m_joined.clear();
}

std::size_t ReportBuffer::Size() const {
    std::size_t size = 0;
    for (const std::string& chunk : m_chunks) size += chunk.size();
    return size;
}

const std::string& ReportBuffer::Text() const {
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

std::string Format(const char* format, ...) {
    std::string text;
    va_list args;
    va_start(args, format);
    AppendFormatted(text, format, args);
    va_end(args);
    return text;
}

}  // namespace kargolo
