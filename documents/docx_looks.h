#pragma once

// How the HTML of the program's documents becomes WordprocessingML: the report's classes, colours,
// font sizes, alignments and inline formats, text as XML, and the measures that estimate widths
// and pages (in twips, 1/20 pt). Parts of DocxWriter.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "documents/html_scanner.h"

namespace kargolo::docx {

// A class of the report's style block as a paragraph style (and a cell colour).
struct ClassLook {
    std::string_view Class;
    std::string_view Style;  // paragraph style of the cell's text, or empty
    int HalfPoints;          // its size, for measuring
    bool Bold;
    std::string_view Fill;  // the cell's background, or empty
    int Narrowest;          // the least width of its cells
};

// The look of the tag's class, or null.
const ClassLook* FindClassLook(const HtmlTag& tag);

// The text without blanks around it, in lower case.
std::string LowerTrimmed(std::string_view text);
// "#rgb", "#rrggbb" or a colour's name as six upper-case hex digits; empty when unknown.
std::string ColourHex(std::string_view text);
// The size of <font size=...>: 1 to 7, or relative to 3 ("+1", "-1"), in half points; 0 if none.
int FontSizeHalfPoints(std::string_view text);
// A CSS length of a font in half points ("12pt", "16px"); 0 when it is neither.
int CssSizeHalfPoints(std::string_view text);
// The declarations of a style attribute: ("color", "red"), ...
std::vector<std::pair<std::string, std::string>> CssDeclarations(std::string_view style);
// The tag's style begins a new page.
bool BreaksPageBefore(const HtmlTag& tag);
// The block stays on the page of what follows it: a heading, or a style that avoids a break
// after it.
bool KeepsWithNext(const HtmlTag& tag);
// A paragraph's alignment in Word's words from an align attribute or a text-align style, or empty.
std::string Alignment(const HtmlTag& tag);
// A cell's vertical alignment in Word's words from a valign value: nothing given is the middle,
// as in HTML; the top (Word's own default) is empty.
std::string VerticalAlignment(const std::string* value);

// Appends text as XML character data: markup characters escaped, characters XML cannot hold
// and bytes that are not UTF-8 replaced by U+FFFD.
void AppendXmlText(std::string& out, std::string_view text);
std::size_t CharacterCount(std::string_view utf8);

struct RunFormat {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int Script = 0;      // 1 subscript, 2 superscript
    std::string Colour;  // six hex digits, or empty: the paragraph's
    int HalfPoints = 0;  // 0: the paragraph's

    friend bool operator==(const RunFormat&, const RunFormat&) = default;
};

// The run's properties (w:rPr), or empty when it has none of its own.
std::string RunProperties(const RunFormat& f);
// The format an inline tag gives to the text inside it.
void ApplyInlineTag(const HtmlTag& tag, RunFormat& f);
bool IsInlineTag(std::string_view name);

// The width of a character and the height of a line of a size, in twips.
int CharacterWidth(int halfPoints, bool bold, int script);
int LineHeight(int halfPoints);
int DivideUp(std::int64_t value, std::int64_t by);

}  // namespace kargolo::docx
