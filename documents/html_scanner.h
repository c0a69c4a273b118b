#pragma once

// Reads HTML as it arrives, in pieces cut anywhere, and hands on its text and its tags: the
// forgiving reading of the markup our documents use and a browser's editor leaves (tags in any
// case, attributes quoted or not, "a = b" with blanks). Entities become characters (&nbsp;,
// &lt;, &mdash;, &#8364;, &#x20AC; and a few more; an unknown one stays as written). Comments,
// doctypes and the contents of style and script are skipped; the title's text is kept apart.

#include <string>
#include <string_view>
#include <vector>

namespace kargolo {

struct HtmlAttribute {
    std::string Name;  // lower case
    std::string Value;
};

struct HtmlTag {
    std::string Name;  // lower case
    bool Closing = false;
    std::vector<HtmlAttribute> Attributes;

    // The attribute's value, or null when the tag has none of that name.
    const std::string* Find(std::string_view name) const;
};

class HtmlHandler {
public:
    virtual ~HtmlHandler() = default;
    // Text (UTF-8, entities decoded); one piece of text may come in several calls.
    virtual void OnText(std::string_view text) = 0;
    virtual void OnTag(const HtmlTag& tag) = 0;
};

class HtmlScanner {
public:
    explicit HtmlScanner(HtmlHandler& handler) : m_handler(handler) {}

    void Feed(std::string_view html);
    // The end of the document: what is held back is given as text.
    void Finish();
    const std::string& Title() const { return m_title; }

private:
    // Hands on what the held text allows; the rest waits for the next piece.
    void Scan(bool atEnd);
    // Each returns where scanning goes on, or npos when the held text ends too early.
    std::size_t ScanText(std::size_t at, bool atEnd);
    std::size_t ScanMarkup(std::size_t at, bool atEnd);
    std::size_t ScanRawText(std::size_t at, bool atEnd);
    std::size_t ScanTag(std::size_t at, bool atEnd);

    HtmlHandler& m_handler;
    std::string m_held;
    std::string m_rawElement;  // inside style, script or title: the element's name
    std::string m_title;
};

// The text with its entities decoded.
std::string DecodeHtmlEntities(std::string_view text);

}  // namespace kargolo
