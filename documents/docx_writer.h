#pragma once

// Word documents (.docx: WordprocessingML in a zip container of stored entries) of the HTML the
// program writes: its reports (whole or edited in the report window), the comparison of methods,
// the sheets of variants and the check of a plan. The markup taken is the reports' own:
// paragraphs and line breaks, bold, italic, underline, sub- and superscripts, colours and sizes
// (font, span styles), rules, and tables with spans, cell colours and tables inside cells; the
// report's classes (cellA, cellC, cellR, cellX, cellXR, sign, cargo, mtable) look as its style
// block makes them look. Other tags are left out and their text kept. A paragraph or block styled
// "page-break-before: always" begins a new page.
//
// The HTML arrives in pieces as it is read or written; the document grows with it. The page is
// A4, turned on its side when a table would not fit upright. A document estimated at more pages
// than the limit (or whose tables would make one that large) is refused: the writer stops
// taking text and writes nothing.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "documents/zip_archive.h"

namespace kargolo {

// Beyond this a document is no longer something to read or print.
constexpr unsigned kMostDocxPages = 2000;

class DocxWriter {
public:
    explicit DocxWriter(unsigned mostPages = kMostDocxPages);
    ~DocxWriter();
    DocxWriter(const DocxWriter&) = delete;
    DocxWriter& operator=(const DocxWriter&) = delete;

    // Takes the next piece of the HTML (UTF-8), cut anywhere.
    void Feed(std::string_view html);
    // The document has outgrown the limit; what is fed from now on is dropped.
    bool TooLarge() const;
    // Pages of the document so far, as estimated from its lines and tables.
    unsigned EstimatedPages() const;
    // Writes the .docx file; false when it is too large (nothing is written) or when the bytes
    // could not be written.
    bool Finish(const ZipArchive::ByteWriter& write);

private:
    class Builder;
    std::unique_ptr<Builder> m_builder;
};

// The .docx file of a whole HTML text, or nothing when it is too large.
std::string HtmlToDocx(std::string_view html, unsigned mostPages = kMostDocxPages);

// Why a document was not written.
std::string DocxTooLargeText(unsigned mostPages = kMostDocxPages);

}  // namespace kargolo
