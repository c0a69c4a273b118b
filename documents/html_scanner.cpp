#include "documents/html_scanner.h"

#include <array>
#include <cctype>
#include <charconv>
#include <utility>

#include "documents/windows1251.h"

namespace kargolo {
namespace {

constexpr std::size_t kNone = std::string_view::npos;
constexpr std::size_t kLongestEntity = 12;  // "&#x0010FFFF;"

constexpr std::array<std::pair<std::string_view, char32_t>, 38> kNamedEntities = {{
    {"nbsp", 0xA0},     {"lt", '<'},       {"gt", '>'},       {"amp", '&'},      {"quot", '"'},
    {"apos", '\''},     {"mdash", 0x2014}, {"ndash", 0x2013}, {"laquo", 0xAB},   {"raquo", 0xBB},
    {"hellip", 0x2026}, {"copy", 0xA9},    {"times", 0xD7},   {"minus", 0x2212}, {"le", 0x2264},
    {"ge", 0x2265},     {"ne", 0x2260},    {"infin", 0x221E}, {"deg", 0xB0},     {"middot", 0xB7},
    {"bull", 0x2022},   {"sup2", 0xB2},    {"shy", 0xAD},     {"euro", 0x20AC},  {"numero", 0x2116},
    {"rarr", 0x2192},   {"Sigma", 0x3A3},  {"Delta", 0x394},  {"alpha", 0x3B1},  {"beta", 0x3B2},
    {"gamma", 0x3B3},   {"delta", 0x3B4},  {"epsilon", 0x3B5}, {"theta", 0x3B8}, {"lambda", 0x3BB},
    {"mu", 0x3BC},      {"pi", 0x3C0},     {"sigma", 0x3C3},
}};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
bool IsLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The character of the entity's name ("nbsp", "#160", "#xA0"), or 0 for none.
char32_t EntityCharacter(std::string_view name) {
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string_view digits = name.substr(hex ? 2 : 1);
        std::uint32_t code = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
            return 0;
        return code == 0 || code > 0x10FFFF ? 0xFFFD : static_cast<char32_t>(code);
    }
    for (const auto& [entity, code] : kNamedEntities) {
        if (entity == name) return code;
    }
    return 0;
}

// Decodes the entity at text[at] == '&' into out; the bytes it took, or 0 when it is none.
std::size_t DecodeEntityAt(std::string_view text, std::size_t at, std::string& out) {
    const std::size_t end = text.find(';', at + 1);
    if (end == kNone || end - at > kLongestEntity) return 0;
    const char32_t code = EntityCharacter(text.substr(at + 1, end - at - 1));
    if (code == 0) return 0;
    AppendUtf8(code, out);
    return end - at + 1;
}

}  // namespace

const std::string* HtmlTag::Find(std::string_view name) const {
    for (const HtmlAttribute& a : Attributes) {
        if (a.Name == name) return &a.Value;
    }
    return nullptr;
}

std::string DecodeHtmlEntities(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t k = 0; k < text.size();) {
        if (text[k] == '&') {
            if (const std::size_t taken = DecodeEntityAt(text, k, out); taken > 0) {
                k += taken;
                continue;
            }
        }
        out += text[k++];
    }
    return out;
}

void HtmlScanner::Feed(std::string_view html) {
    m_held += html;
    Scan(false);
}

void HtmlScanner::Finish() {
    Scan(true);
    if (!m_held.empty() && m_rawElement.empty()) m_handler.OnText(DecodeHtmlEntities(m_held));
    m_held.clear();
}

void HtmlScanner::Scan(bool atEnd) {
    std::size_t at = 0;
    while (at < m_held.size()) {
        std::size_t next = kNone;
        if (!m_rawElement.empty()) {
            next = ScanRawText(at, atEnd);
        } else if (m_held[at] == '<') {
            next = ScanMarkup(at, atEnd);
        } else {
            next = ScanText(at, atEnd);
        }
        if (next == kNone) break;
        at = next;
    }
    m_held.erase(0, at);
}

std::size_t HtmlScanner::ScanText(std::size_t at, bool atEnd) {
    std::size_t end = m_held.find('<', at);
    if (end == kNone) {
        end = m_held.size();
        // An entity cut at the end of the piece waits for the rest.
        const std::size_t amp = m_held.rfind('&');
        if (!atEnd && amp != kNone && amp >= at && end - amp < kLongestEntity &&
            m_held.find(';', amp) == kNone) {
            end = amp;
        }
        if (end == at) return kNone;
    }
    m_handler.OnText(DecodeHtmlEntities(std::string_view(m_held).substr(at, end - at)));
    return end;
}

std::size_t HtmlScanner::ScanMarkup(std::size_t at, bool atEnd) {
    const std::string_view held(m_held);
    if (held.substr(at).starts_with("<!--")) {
        const std::size_t end = held.find("-->", at + 4);
        return end == kNone ? (atEnd ? held.size() : kNone) : end + 3;
    }
    if (at + 1 >= held.size()) return atEnd ? ScanText(at, atEnd) : kNone;
    const char next = held[at + 1];
    if (next == '!' || next == '?') {
        const std::size_t end = held.find('>', at);
        return end == kNone ? (atEnd ? held.size() : kNone) : end + 1;
    }
    if (IsLetter(next) || (next == '/' && at + 2 < held.size() && IsLetter(held[at + 2]))) {
        return ScanTag(at, atEnd);
    }
    if (next == '/' && at + 2 >= held.size() && !atEnd) return kNone;
    m_handler.OnText("<");  // a '<' that opens no tag is text
    return at + 1;
}

std::size_t HtmlScanner::ScanRawText(std::size_t at, bool atEnd) {
    const std::string closing = "</" + m_rawElement;
    const std::string lower = Lower(std::string_view(m_held).substr(at));
    const std::size_t end = lower.find(closing);
    if (end == kNone) {
        // Keep what may be the start of the closing tag.
        const std::size_t keep = atEnd ? 0 : std::min(lower.size(), closing.size());
        if (m_rawElement == "title") m_title += m_held.substr(at, lower.size() - keep);
        return lower.size() - keep == 0 ? kNone : m_held.size() - keep;
    }
    if (m_rawElement == "title")
        m_title += DecodeHtmlEntities(std::string_view(m_held).substr(at, end));
    m_rawElement.clear();
    return at + end;  // the closing tag is read as a tag
}

std::size_t HtmlScanner::ScanTag(std::size_t at, bool atEnd) {
    const std::string_view held(m_held);
    // The tag's end: the first '>' outside a quoted value.
    char quote = 0;
    std::size_t end = at + 1;
    for (; end < held.size(); ++end) {
        const char c = held[end];
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            break;
        }
    }
    if (end >= held.size()) return atEnd ? held.size() : kNone;
    HtmlTag tag;
    std::size_t k = at + 1;
    if (held[k] == '/') {
        tag.Closing = true;
        ++k;
    }
    const std::size_t nameBegin = k;
    while (k < end && !IsBlank(held[k]) && held[k] != '/') ++k;
    tag.Name = Lower(held.substr(nameBegin, k - nameBegin));
    while (k < end) {
        while (k < end && (IsBlank(held[k]) || held[k] == '/')) ++k;
        const std::size_t attributeBegin = k;
        while (k < end && !IsBlank(held[k]) && held[k] != '=' && held[k] != '/') ++k;
        if (k == attributeBegin) break;
        HtmlAttribute attribute{Lower(held.substr(attributeBegin, k - attributeBegin)), {}};
        std::size_t look = k;
        while (look < end && IsBlank(held[look])) ++look;
        if (look < end && held[look] == '=') {
            k = look + 1;
            while (k < end && IsBlank(held[k])) ++k;
            std::size_t valueBegin = k;
            if (k < end && (held[k] == '"' || held[k] == '\'')) {
                const char q = held[k];
                valueBegin = ++k;
                while (k < end && held[k] != q) ++k;
                attribute.Value = DecodeHtmlEntities(held.substr(valueBegin, k - valueBegin));
                if (k < end) ++k;
            } else {
                while (k < end && !IsBlank(held[k])) ++k;
                attribute.Value = DecodeHtmlEntities(held.substr(valueBegin, k - valueBegin));
            }
        }
        tag.Attributes.push_back(std::move(attribute));
    }
    if (!tag.Closing && (tag.Name == "style" || tag.Name == "script" || tag.Name == "title")) {
        m_rawElement = tag.Name;
    }
    m_handler.OnTag(tag);
    return end + 1;
}

}  // namespace kargolo
