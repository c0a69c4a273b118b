#pragma once

// The report being written: one growing UTF-8 text. Writers only ever append; the text is
// encoded to windows-1251 where it leaves the program. A detailed report of a mid-sized task
// runs to tens of megabytes, so the text is kept in large chunks that are never moved (one
// string doubling its capacity would copy it again and again); Text() joins them once.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
    void Append(std::string_view text) { Tail(text.size()).append(text); }
    // "%i" of value, without going through a format string (tables write millions of these).
    void AppendInt(std::int64_t value);

    void Assign(std::string_view text);
    void Clear();
    // The whole text, joined from the chunks when it has grown since the last call.
    const std::string& Text() const;
    std::size_t Size() const;

private:
    // The chunk to append `length` more bytes to, without moving what it holds.
    std::string& Tail(std::size_t length);

    std::vector<std::string> m_chunks;
    mutable std::string m_joined;  // Text() of more than one chunk
};

// printf-style formatting into a new string, for status lines and messages.
PRINTF_LIKE(1, 2) std::string Format(const char* format, ...);

}  // namespace kargolo
