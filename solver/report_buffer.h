#pragma once

// The report being written: one growing UTF-8 text. Writers only ever append; the text is
// encoded to windows-1251 where it leaves the program.

#include <cstdint>
#include <string>
#include <string_view>

#if defined(__GNUC__) || defined(__clang__)
#define PRINTF_LIKE(formatIndex, firstArgIndex) \
    __attribute__((format(printf, formatIndex, firstArgIndex)))
#else
#define PRINTF_LIKE(formatIndex, firstArgIndex)
#endif

namespace kargolo {

class ReportBuffer {
public:
    // Appends printf-style formatted text (member function: the format is argument 2).
    PRINTF_LIKE(2, 3) void Appendf(const char* format, ...);
    void Append(std::string_view text) { m_text.append(text); }
    // "%i" of value, without going through a format string (tables write millions of these).
    void AppendInt(std::int64_t value);

    void Assign(std::string_view text) { m_text.assign(text); }
    void Clear() { m_text.clear(); }
    const std::string& Text() const { return m_text; }
    std::size_t Size() const { return m_text.size(); }

private:
    std::string m_text;
};

// printf-style formatting into a new string, for status lines and messages.
PRINTF_LIKE(1, 2) std::string Format(const char* format, ...);

}  // namespace kargolo
