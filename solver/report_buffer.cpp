#include "solver/report_buffer.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>

namespace kargolo {
namespace {

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

void ReportBuffer::Appendf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    AppendFormatted(m_text, format, args);
    va_end(args);
}

void ReportBuffer::AppendInt(std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    m_text.append(digits, result.ptr);
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
