#pragma once

// The program works in UTF-8; reports leave it in windows-1251. A character that windows-1251
// lacks becomes a numeric HTML entity ("&#8364;" style), so nothing is lost. Bytes that are not
// valid UTF-8 become '?'.

#include <string>
#include <string_view>

namespace kargolo {

std::string EncodeWindows1251(std::string_view utf8);

// The same encoding for a text that arrives in pieces: a character split between two pieces
// is held back until its last byte arrives. Feeding the pieces and then Finish() gives exactly
// EncodeWindows1251 of the whole text.
// Whether text is well-formed UTF-8 throughout.
bool IsValidUtf8(std::string_view text);

// Appends the UTF-8 form of a character; a surrogate or a code beyond U+10FFFF becomes U+FFFD.
void AppendUtf8(char32_t code, std::string& out);

// The UTF-8 text of windows-1251 bytes; the one unassigned byte (0x98) becomes U+FFFD.
std::string DecodeWindows1251(std::string_view bytes);

class Windows1251Encoder {
public:
    // Appends the encoding of the next piece to out.
    void Encode(std::string_view utf8, std::string& out);
    // Appends what an unfinished character at the end of the text becomes ('?').
    void Finish(std::string& out);

private:
    std::string m_carry;  // the first bytes of a character that is not complete yet
};

}  // namespace kargolo
