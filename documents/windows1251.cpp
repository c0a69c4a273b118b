#include "documents/windows1251.h"

#include <array>
#include <cstdint>

namespace kargolo {
namespace {

// Code points of the windows-1251 bytes 0x80..0xBF; 0 marks the one unassigned byte (0x98).
constexpr std::array<char32_t, 64> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one UTF-8 sequence at text[pos], advancing pos; kInvalid for a malformed one.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t code = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, code = lead & 0x1Fu, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, code = lead & 0x0Fu, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, code = lead & 0x07u, smallest = 0x10000;
    } else {
        return kInvalid;
    }
    for (int k = 0; k < extra; ++k) {
        if (pos >= text.size()) return kInvalid;
        const auto next = static_cast<unsigned char>(text[pos]);
        if ((next & 0xC0) != 0x80) return kInvalid;
        code = (code << 6) | (next & 0x3Fu);
        ++pos;
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return kInvalid;
    return code;
}

// The windows-1251 byte of a code point, or -1 when the code page lacks it.
int Windows1251Byte(char32_t code) {
    if (code < 0x80) return static_cast<int>(code);
    if (code >= 0x0410 && code <= 0x044F) return static_cast<int>(code - 0x0410 + 0xC0);
    for (std::size_t k = 0; k < kHighHalf.size(); ++k) {
        if (kHighHalf[k] == code && code != 0) return static_cast<int>(0x80 + k);
    }
    return -1;
}

}  // namespace

std::string EncodeWindows1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[pos]);
        if (lead < 0x80) {  // the bulk of a report is markup: copy ASCII straight through
            out.push_back(static_cast<char>(lead));
            ++pos;
            continue;
        }
        const char32_t code = DecodeUtf8(utf8, pos);
        if (code == kInvalid) {
            out.push_back('?');
            continue;
        }
        if (const int byte = Windows1251Byte(code); byte >= 0) {
            out.push_back(static_cast<char>(byte));
        } else {
            out += "&#" + std::to_string(static_cast<std::uint32_t>(code)) + ";";
        }
    }
    return out;
}

}  // namespace kargolo
