#pragma once

// Reading documents back in tests, with code of their own: the entries of a zip archive of
// stored entries (each checked against the CRC-32 and the sizes its headers give), the text of a
// Word document's body as paragraphs and tables, and, from the HTML a document was made of, the
// same text as a browser shows it. The HTML is read the simple way (tags between '<' and '>',
// a short list of entities), so that a fault of the program's reader is not copied here.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kargolo::testing {

// The entries of an archive by name; a message in error when it is not a well-formed archive.
std::map<std::string, std::string> ReadZip(std::string_view bytes, std::string& error);

struct TextTable;

// A paragraph's text ('\n' for a line break) or a table.
struct TextBlock {
    std::string Text;
    std::shared_ptr<TextTable> Table;
};

struct TextCell {
    std::vector<TextBlock> Blocks;
    bool Continues = false;  // the lower part of a cell spanning rows (Word's vMerge)
};

struct TextTable {
    std::vector<std::vector<TextCell>> Rows;
};

struct DocxText {
    std::vector<TextBlock> Body;
    std::string Error;  // the archive or the XML is malformed: unbalanced tags, no body
};

// The body of word/document.xml of a .docx file.
DocxText ReadDocxText(std::string_view docx);

// Every word of the blocks in document order, nested tables included (a paragraph's and a
// cell's end part words as blanks do).
std::vector<std::string> Words(const std::vector<TextBlock>& blocks);
std::vector<std::string> WordsOfHtml(std::string_view html);

// The texts of the cells of each table of the body (its own cells' words joined by one blank,
// tables inside them included), row by row; the continuations of cells spanning rows left out.
using CellTexts = std::vector<std::vector<std::string>>;
std::vector<CellTexts> BodyTableCells(const std::vector<TextBlock>& body);
std::vector<CellTexts> HtmlTableCells(std::string_view html);

}  // namespace kargolo::testing
