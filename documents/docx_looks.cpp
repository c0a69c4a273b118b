#include "documents/docx_looks.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

#include "solver/report_buffer.h"

namespace kargolo::docx {
namespace {

constexpr std::array<ClassLook, 7> kClassLooks = {{
    {"cellA", "KgCellA", 20, true, "", 600},
    {"cellC", "KgCellC", 16, false, "", 0},
    {"cellR", "KgCellR", 16, false, "", 0},
    {"cellX", "KgCellX", 24, true, "", 0},
    {"cellXR", "KgCellXR", 24, true, "", 0},
    {"sign", "KgSign", 28, true, "", 0},
    {"cargo", "", 20, false, "999999", 0},
}};

constexpr std::array<std::pair<std::string_view, std::string_view>, 18> kNamedColours = {{
    {"black", "000000"},
    {"white", "FFFFFF"},
    {"red", "FF0000"},
    {"green", "008000"},
    {"blue", "0000FF"},
    {"gray", "808080"},
    {"grey", "808080"},
    {"silver", "C0C0C0"},
    {"maroon", "800000"},
    {"navy", "000080"},
    {"purple", "800080"},
    {"orange", "FFA500"},
    {"yellow", "FFFF00"},
    {"crimson", "DC143C"},
    {"darkred", "8B0000"},
    {"darkblue", "00008B"},
    {"darkgreen", "006400"},
    {"teal", "008080"},
}};

}  // namespace

const ClassLook* FindClassLook(const HtmlTag& tag) {
    const std::string* name = tag.Find("class");
    if (name == nullptr) return nullptr;
    for (const ClassLook& look : kClassLooks) {
        if (look.Class == *name) return &look;
    }
    return nullptr;
}

std::string LowerTrimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())) != 0)
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0)
        text.remove_suffix(1);
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// "#rgb", "#rrggbb" or a colour's name as six upper-case hex digits; empty when unknown.
std::string ColourHex(std::string_view text) {
    const std::string colour = LowerTrimmed(text);
    const auto hex = [](std::string_view digits) {
        return std::all_of(digits.begin(), digits.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) != 0;
        });
    };
    std::string result;
    if (colour.size() == 7 && colour[0] == '#' && hex(std::string_view(colour).substr(1))) {
        result = colour.substr(1);
    } else if (colour.size() == 4 && colour[0] == '#' && hex(std::string_view(colour).substr(1))) {
        for (std::size_t k = 1; k < 4; ++k) result += std::string(2, colour[k]);
    } else {
        for (const auto& [name, value] : kNamedColours) {
            if (name == colour) return std::string(value);
        }
        return {};
    }
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

// The size of <font size=...>: 1 to 7, or relative to 3 ("+1", "-1"), in half points.
int FontSizeHalfPoints(std::string_view text) {
    constexpr int kSizes[] = {15, 20, 24, 27, 36, 48, 72};
    const std::string size = LowerTrimmed(text);
    if (size.empty()) return 0;
    const bool relative = size[0] == '+' || size[0] == '-';
    int value = 0;
    const char* begin = size.data() + (size[0] == '+' ? 1 : 0);
    if (std::from_chars(begin, size.data() + size.size(), value).ec != std::errc()) return 0;
    if (relative) value += 3;
    return kSizes[std::clamp(value, 1, 7) - 1];
}

// A CSS length of a font in half points ("12pt", "16px"); 0 when it is neither.
// The number is read by hand: not every standard library reads a double with from_chars.
int CssSizeHalfPoints(std::string_view text) {
    const std::string size = LowerTrimmed(text);
    const char* end = size.data();
    const char* const last = size.data() + size.size();
    int whole = 0;
    if (end != last && *end != '.') {
        const auto read = std::from_chars(end, last, whole);
        if (read.ec != std::errc()) return 0;
        end = read.ptr;
    }
    double value = whole;
    if (end != last && *end == '.') {
        double place = 0.1;
        for (++end; end != last && *end >= '0' && *end <= '9'; ++end, place /= 10) value += (*end - '0') * place;
    }
    if (value <= 0 || value > 400) return 0;
    const std::string_view unit(end, static_cast<std::size_t>(last - end));
    if (unit == "pt") return static_cast<int>(value * 2 + 0.5);
    if (unit == "px") return static_cast<int>(value * 1.5 + 0.5);
    return 0;
}

// The declarations of a style attribute: ("color", "red"), ...
std::vector<std::pair<std::string, std::string>> CssDeclarations(std::string_view style) {
    std::vector<std::pair<std::string, std::string>> declarations;
    while (!style.empty()) {
        const std::size_t end = std::min(style.find(';'), style.size());
        const std::string_view declaration = style.substr(0, end);
        const std::size_t colon = declaration.find(':');
        if (colon != std::string_view::npos) {
            declarations.emplace_back(LowerTrimmed(declaration.substr(0, colon)),
                                      LowerTrimmed(declaration.substr(colon + 1)));
        }
        style.remove_prefix(std::min(style.size(), end + 1));
    }
    return declarations;
}

namespace {

// Whether the tag's style has page-break-<side> or break-<side> with one of the values.
bool StyleBreaks(const HtmlTag& tag, std::string_view side, std::string_view oldValue,
                 std::string_view newValue) {
    const std::string* style = tag.Find("style");
    if (style == nullptr) return false;
    for (const auto& [name, value] : CssDeclarations(*style)) {
        if ((name == "page-break-" + std::string(side) && value == oldValue) ||
            (name == "break-" + std::string(side) && value == newValue)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool BreaksPageBefore(const HtmlTag& tag) {
    return StyleBreaks(tag, "before", "always", "page");
}

bool KeepsWithNext(const HtmlTag& tag) {
    const std::string& name = tag.Name;
    const bool heading = name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6';
    return heading || StyleBreaks(tag, "after", "avoid", "avoid");
}

// The paragraph alignment of an align attribute or a text-align style, or empty.
std::string Alignment(const HtmlTag& tag) {
    std::string align;
    if (const std::string* value = tag.Find("align")) align = LowerTrimmed(*value);
    if (const std::string* style = tag.Find("style")) {
        for (const auto& [name, value] : CssDeclarations(*style)) {
            if (name == "text-align") align = value;
        }
    }
    if (align == "center" || align == "middle") return "center";
    if (align == "right") return "right";
    if (align == "left") return "left";
    if (align == "justify") return "both";
    return {};
}

// ---- Text
// ------------------------------------------------------------------------------------------

// Appends text as XML character data: markup characters escaped, characters XML cannot hold
// and bytes that are not UTF-8 replaced by U+FFFD.
void AppendXmlText(std::string& out, std::string_view text) {
    constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    for (std::size_t k = 0; k < text.size();) {
        const auto byte = static_cast<unsigned char>(text[k]);
        if (byte < 0x80) {
            if (byte == '&')
                out += "&amp;";
            else if (byte == '<')
                out += "&lt;";
            else if (byte == '>')
                out += "&gt;";
            else if (byte >= 0x20 || byte == '\t')
                out += static_cast<char>(byte);
            ++k;
            continue;
        }
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC2 ? 2 : 0;
        bool good = length > 0 && byte < 0xF5 && k + length <= text.size();
        for (std::size_t t = 1; good && t < length; ++t)
            good = (static_cast<unsigned char>(text[k + t]) & 0xC0) == 0x80;
        if (good && length == 3) {
            const auto second = static_cast<unsigned char>(text[k + 1]);
            const auto third = static_cast<unsigned char>(text[k + 2]);
            good = !(byte == 0xE0 && second < 0xA0) && !(byte == 0xED && second >= 0xA0) &&
                   !(byte == 0xEF && second == 0xBF && third >= 0xBE);  // U+FFFE, U+FFFF
        }
        if (good && length == 4) {
            const auto second = static_cast<unsigned char>(text[k + 1]);
            good = !(byte == 0xF0 && second < 0x90) && !(byte == 0xF4 && second >= 0x90);
        }
        if (good) {
            out += text.substr(k, length);
            k += length;
        } else {
            out += kReplacement;
            ++k;
        }
    }
}

std::size_t CharacterCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// ---- Runs
// ------------------------------------------------------------------------------------------

std::string RunProperties(const RunFormat& f) {
    std::string xml;
    if (f.Bold) xml += "<w:b/>";
    if (f.Italic) xml += "<w:i/>";
    if (!f.Colour.empty()) xml += "<w:color w:val=\"" + f.Colour + "\"/>";
    if (f.HalfPoints > 0)
        xml += Format("<w:sz w:val=\"%d\"/><w:szCs w:val=\"%d\"/>", f.HalfPoints, f.HalfPoints);
    if (f.Underline) xml += "<w:u w:val=\"single\"/>";
    if (f.Script != 0)
        xml += f.Script == 1 ? "<w:vertAlign w:val=\"subscript\"/>"
                             : "<w:vertAlign w:val=\"superscript\"/>";
    return xml.empty() ? xml : "<w:rPr>" + xml + "</w:rPr>";
}

// The format an inline tag gives to the text inside it.
void ApplyInlineTag(const HtmlTag& tag, RunFormat& f) {
    const std::string& name = tag.Name;
    if (name == "b" || name == "strong") f.Bold = true;
    if (name == "i" || name == "em") f.Italic = true;
    if (name == "u") f.Underline = true;
    if (name == "sub") f.Script = 1;
    if (name == "sup") f.Script = 2;
    if (name == "a" && tag.Find("href") != nullptr) {
        f.Underline = true;
        f.Colour = "0000FF";
    }
    if (name == "font") {
        if (const std::string* colour = tag.Find("color");
            colour != nullptr && !ColourHex(*colour).empty()) {
            f.Colour = ColourHex(*colour);
        }
        if (const std::string* size = tag.Find("size");
            size != nullptr && FontSizeHalfPoints(*size) > 0) {
            f.HalfPoints = FontSizeHalfPoints(*size);
        }
    }
    if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6') {
        constexpr int kHeadings[] = {32, 28, 26, 24, 20, 18};
        f.Bold = true;
        f.HalfPoints = kHeadings[name[1] - '1'];
    }
    if (const std::string* style = tag.Find("style")) {
        for (const auto& [property, value] : CssDeclarations(*style)) {
            if (property == "color" && !ColourHex(value).empty()) f.Colour = ColourHex(value);
            if (property == "font-weight") {
                int weight = 0;
                std::from_chars(value.data(), value.data() + value.size(), weight);
                f.Bold = value == "bold" || value == "bolder" || weight >= 600;
            }
            if (property == "font-style") f.Italic = value == "italic" || value == "oblique";
            if (property == "font-size" && CssSizeHalfPoints(value) > 0)
                f.HalfPoints = CssSizeHalfPoints(value);
            if (property == "text-decoration" && value.find("underline") != std::string::npos)
                f.Underline = true;
        }
    }
}

bool IsInlineTag(std::string_view name) {
    constexpr std::string_view kInline[] = {"b",   "strong", "i", "em",   "u",
                                            "sub", "sup",    "a", "font", "span"};
    return std::find(std::begin(kInline), std::end(kInline), name) != std::end(kInline);
}

// ---- Measures
// -------------------------------------------------------------------------------------

// Arial's characters (Cyrillic ones most) are about 0.6 em wide, bold ones a twentieth wider; sub-
// and superscripts are two thirds of the size.
int CharacterWidth(int halfPoints, bool bold, int script) {
    const int size = script != 0 ? halfPoints * 2 / 3 : halfPoints;
    const int width = size * 6;
    return bold ? width * 21 / 20 : width;
}

int LineHeight(int halfPoints) {
    return halfPoints * 23 / 2;
}

int DivideUp(std::int64_t value, std::int64_t by) {
    return static_cast<int>((value + by - 1) / by);
}

// A cell's vertical alignment in Word's words; a cell says nothing: in the middle, as in HTML.
std::string VerticalAlignment(const std::string* value) {
    const std::string align = value == nullptr ? std::string("middle") : LowerTrimmed(*value);
    if (align == "middle" || align == "center") return "center";
    if (align == "bottom") return "bottom";
    return {};
}

}  // namespace kargolo::docx
