#include "documents/windows1251.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

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

// How many bytes the sequence led by `lead` has; 1 for ASCII and for a byte that leads none.
std::size_t SequenceLength(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

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

void AppendEncoded(char32_t code, std::string& out) {
    if (code == kInvalid) {
        out.push_back('?');
    } else if (const int byte = Windows1251Byte(code); byte >= 0) {
        out.push_back(static_cast<char>(byte));
    } else {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits,
                                       static_cast<std::uint32_t>(code)).ptr;
        out += "&#";
        out.append(digits, end);
        out += ';';
    }
}

// Where the run of ASCII bytes from `pos` ends, looked for eight bytes at a time.
std::size_t AsciiEnd(std::string_view text, std::size_t pos) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    for (; pos + 8 <= text.size(); pos += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + pos, 8);
        if ((word & kHighBits) != 0) break;
    }
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) ++pos;
    return pos;
}

// Encodes utf8 onto out; the bulk of a report is markup, so runs of ASCII are copied whole.
void EncodeInto(std::string_view utf8, std::string& out) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t ascii = AsciiEnd(utf8, pos);
        out.append(utf8.data() + pos, ascii - pos);
        pos = ascii;
        if (pos < utf8.size()) AppendEncoded(DecodeUtf8(utf8, pos), out);
    }
}

// Where the last character of text starts when its bytes are not all there yet; text.size()
// when the text ends on a complete character (or on bytes that can never become one).
std::size_t UnfinishedTail(std::string_view text) {
    const std::size_t lookBack = text.size() < 3 ? text.size() : 3;
    for (std::size_t back = 1; back <= lookBack; ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        const std::size_t length = SequenceLength(byte);
        return length > back ? text.size() - back : text.size();
    }
    return text.size();
}

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

char32_t Windows1251Code(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return char32_t{0x0410} + (byte - 0xC0u);
    const char32_t code = kHighHalf[byte - 0x80u];
    return code == 0 ? char32_t{0xFFFD} : code;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (DecodeUtf8(text, pos) == kInvalid) return false;
    }
    return true;
}

std::string DecodeWindows1251(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) AppendUtf8(Windows1251Code(static_cast<unsigned char>(byte)), out);
    return out;
}

std::string EncodeWindows1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    EncodeInto(utf8, out);
    return out;
}

void Windows1251Encoder::Encode(std::string_view utf8, std::string& out) {
    if (!m_carry.empty()) {
        // Complete the held-back character first, with as many bytes as it still needs.
        const std::size_t wanted = SequenceLength(static_cast<unsigned char>(m_carry[0]));
        std::size_t taken = 0;
        while (m_carry.size() < wanted && taken < utf8.size() &&
               (static_cast<unsigned char>(utf8[taken]) & 0xC0) == 0x80) {
            m_carry.push_back(utf8[taken++]);
        }
        utf8.remove_prefix(taken);
        if (m_carry.size() < wanted && utf8.empty()) return;  // still not complete
        EncodeInto(m_carry, out);
        m_carry.clear();
    }
    const std::size_t complete = UnfinishedTail(utf8);
    EncodeInto(utf8.substr(0, complete), out);
    m_carry.assign(utf8.substr(complete));
}

void Windows1251Encoder::Finish(std::string& out) {
    EncodeInto(m_carry, out);
    m_carry.clear();
}

}  // namespace kargolo
