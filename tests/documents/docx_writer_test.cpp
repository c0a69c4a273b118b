#include "documents/docx_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "documents/windows1251.h"
#include "documents/zip_archive.h"
#include "tests/support/docx_reader.h"

namespace kargolo::testing {
namespace {

const std::filesystem::path kGolden =
    std::filesystem::path(KARGOLO_SOURCE_DIR) / "tests" / "golden";

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string DocumentXml(const std::string& docx) {
    std::string error;
    const auto entries = ReadZip(docx, error);
    EXPECT_EQ(error, "");
    const auto found = entries.find("word/document.xml");
    return found == entries.end() ? std::string() : found->second;
}

// A document of a few paragraphs in a body: the writer's document as the reader sees it.
DocxText Converted(const std::string& body) {
    const std::string docx = HtmlToDocx("<html><body>" + body + "</body></html>");
    DocxText text = ReadDocxText(docx);
    EXPECT_EQ(text.Error, "") << body;
    return text;
}

std::vector<std::string> Paragraphs(const DocxText& text) {
    std::vector<std::string> paragraphs;
    for (const TextBlock& block : text.Body) {
        if (!block.Table) paragraphs.push_back(block.Text);
    }
    return paragraphs;
}

// Where two word sequences part: empty when they are equal.
std::string FirstDifference(const std::vector<std::string>& written,
                            const std::vector<std::string>& shown) {
    std::size_t k = 0;
    while (k < written.size() && k < shown.size() && written[k] == shown[k]) ++k;
    if (k == written.size() && k == shown.size()) return {};
    std::string text = "word " + std::to_string(k) + ":";
    for (const auto* words : {&written, &shown}) {
        text += "\n  ";
        for (std::size_t w = k >= 3 ? k - 3 : 0; w < std::min(words->size(), k + 4); ++w)
            text += "[" + (*words)[w] + "]";
    }
    return text;
}

TEST(Crc32, MatchesTheCheckValuesOfTheStandard) {
    EXPECT_EQ(Crc32(""), 0u);
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc32("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
    EXPECT_EQ(Crc32("fox jumps over the lazy dog", Crc32("The quick brown ")),
              0x414FA339u);  // in pieces
}

// Entries come back byte for byte, binary ones and empty ones too; the same contents make the
// same archive.
TEST(ZipArchive, KeepsEveryEntryAsItWasGiven) {
    std::string binary;
    for (int k = 0; k < 300; ++k) binary += static_cast<char>(k * 7);
    const std::pair<std::string, std::string> files[] = {
        {"[Content_Types].xml", "<Types/>"}, {"word/empty.xml", ""}, {"bin/data", binary}};
    ZipInMemory zip;
    for (const auto& [name, contents] : files) ASSERT_TRUE(zip.Add(name, contents));
    const std::string archive = zip.Finish();
    std::string error;
    const auto entries = ReadZip(archive, error);
    ASSERT_EQ(error, "");
    ASSERT_EQ(entries.size(), 3u);
    for (const auto& [name, contents] : files) EXPECT_EQ(entries.at(name), contents) << name;
    ZipInMemory again;
    for (const auto& [name, contents] : files) again.Add(name, contents);
    EXPECT_EQ(again.Finish(), archive);
}

TEST(ZipArchive, StopsWhenItsBytesCannotBeWritten) {
    int writes = 0;
    ZipArchive zip([&writes](std::string_view) { return ++writes < 2; });
    EXPECT_FALSE(zip.Add("a.xml", "text"));
}

TEST(DocxWriter, WritesAPackageWordExpects) {
    const std::string docx =
        HtmlToDocx("<html><head><Title>Отчет &amp; план</title></head><body>x</body></html>");
    std::string error;
    const auto entries = ReadZip(docx, error);
    ASSERT_EQ(error, "");
    for (const char* part :
         {"[Content_Types].xml", "_rels/.rels", "word/document.xml", "word/_rels/document.xml.rels",
          "word/styles.xml", "word/settings.xml", "docProps/core.xml", "docProps/app.xml"}) {
        EXPECT_EQ(entries.count(part), 1u) << part;
    }
    EXPECT_NE(entries.at("docProps/core.xml").find("<dc:title>Отчет &amp; план</dc:title>"),
              std::string::npos);
    // Every style a paragraph or table names is defined.
    const std::string& styles = entries.at("word/styles.xml");
    for (const char* style : {"KgCellA", "KgCellC", "KgCellR", "KgCellX", "KgCellXR", "KgSign",
                              "KgTight", "KgGrid", "KgPlain", "KgPlanCell"}) {
        EXPECT_NE(styles.find(std::string("w:styleId=\"") + style + "\""), std::string::npos)
            << style;
    }
}

// Text flows as in a browser: blanks collapse, a break at a block's end makes no line, two make
// an empty one, a break before any text opens with an empty line, <p> starts a paragraph.
TEST(DocxWriter, BreaksLinesAndParagraphsAsABrowserDoes) {
    const struct {
        const char* html;
        std::vector<std::string> paragraphs;
    } cases[] = {
        {"one  \n two<br>three<BR>", {"one two\nthree"}},
        {"a<br><br>b", {"a\n\nb"}},
        {"<br>after a table", {"\nafter a table"}},
        {"text<p>para</p>tail", {"text", "para", "tail"}},
        {"<p></p><p>  lead and trail  </p>", {"lead and trail"}},
        {"x <b>bold</b> <i> y</i>", {"x bold y"}},
        {"&lt;&amp;&gt; &nbsp;&mdash;&#8364;&#x20AC;",
         {"<&> \xC2\xA0\xE2\x80\x94\xE2\x82\xAC\xE2\x82\xAC"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.html);
        EXPECT_EQ(Paragraphs(Converted(c.html)), c.paragraphs);
    }
}

// The report's formats reach Word: checked in the document's XML.
TEST(DocxWriter, KeepsTheFormatsOfTheReport) {
    const struct {
        const char* html;
        const char* xml;
    } cases[] = {
        {"X<sub>i,j</sub>", "<w:vertAlign w:val=\"subscript\"/></w:rPr><w:t>i,j</w:t>"},
        {"A<sup>*</sup>", "<w:vertAlign w:val=\"superscript\"/></w:rPr><w:t>*</w:t>"},
        {"<SPAN STYLE=\"color:red; font-weight: bold\">S</SPAN>",
         "<w:rPr><w:b/><w:color w:val=\"FF0000\"/></w:rPr><w:t>S</w:t>"},
        {"<b><font color = \"#0000FF\">e</font></b>",
         "<w:rPr><w:b/><w:color w:val=\"0000FF\"/></w:rPr><w:t>e</w:t>"},
        {"<p align=center><font size=\"+1\"><b>Этап 1</b></font></p>",
         "<w:jc w:val=\"center\"/></w:pPr><w:r><w:rPr><w:b/><w:sz w:val=\"27\"/><w:szCs "
         "w:val=\"27\"/></w:rPr>"},
        {"<span style=\"font-size: 10.5pt\">s</span>", "<w:sz w:val=\"21\"/>"},
        {"<span style=\"font-size:16px\">s</span>", "<w:sz w:val=\"24\"/>"},
        {"<span style=\"font-size: .5pt\">s</span>", "<w:sz w:val=\"1\"/>"},
        {"<i>a</i><u>b</u>",
         "<w:rPr><w:i/></w:rPr><w:t>a</w:t></w:r><w:r><w:rPr><w:u "
         "w:val=\"single\"/></w:rPr><w:t>b</w:t>"},
        {"<HR>", "<w:pBdr><w:bottom w:val=\"single\""},
        {"<div style=\"page-break-before: always\">Вариант 2</div>", "<w:pageBreakBefore/>"},
        {"<table border=1><tr><td bgcolor=\"#66FF99\">+</td></tr></table>",
         "<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"66FF99\"/>"},
        {"<table><tr><td class=\"cargo\">25</td></tr></table>", "w:fill=\"999999\""},
        {"<table><tr><td class=\"cellXR\">5-2e</td></tr></table>",
         "<w:pStyle w:val=\"KgCellXR\"/></w:pPr><w:r><w:t>5-2e</w:t>"},
        {"<table class=\"mtable\"><tr><td>1</td></tr></table>",
         "<w:tblStyle w:val=\"KgPlanCell\"/>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.html);
        const std::string xml = DocumentXml(HtmlToDocx(c.html));
        EXPECT_NE(xml.find(c.xml), std::string::npos) << xml;
    }
}

// Spans become Word's merged cells, so that each cell stands in its column; a cell inside a
// cell holds its own table and the cell still ends with a paragraph.
TEST(DocxWriter, LaysOutSpansAndTablesInsideCells) {
    const std::string html =
        "<table border=1><tr><td rowspan=2>Поставщик</td><td colspan=2>Потребитель</td></tr>"
        "<tr><td>B1</td><td>B2</td></tr>"
        "<tr><td>A1</td><td><table "
        "class=\"mtable\"><tr><td>+</td><td>4</td></tr><tr><td>10</td><td>M</td></tr>"
        "</table></td><td>&nbsp;</td></tr></table>";
    const DocxText text = Converted(html);
    ASSERT_EQ(text.Body.size(), 1u);
    const TextTable& table = *text.Body[0].Table;
    ASSERT_EQ(table.Rows.size(), 3u);
    ASSERT_EQ(table.Rows[1].size(), 3u);  // the merged cell goes on below
    EXPECT_TRUE(table.Rows[1][0].Continues);
    EXPECT_EQ(BodyTableCells(text.Body), HtmlTableCells(html));
    const TextCell& planCell = table.Rows[2][1];
    ASSERT_EQ(planCell.Blocks.size(), 2u);
    EXPECT_TRUE(planCell.Blocks[0].Table);
    EXPECT_FALSE(planCell.Blocks[1].Table);
    const std::string xml = DocumentXml(HtmlToDocx(html));
    EXPECT_NE(xml.find("<w:gridSpan w:val=\"2\"/>"), std::string::npos);
    EXPECT_NE(xml.find("<w:vMerge w:val=\"restart\"/>"), std::string::npos);
    // Two tables one under the other stay two tables in Word.
    const DocxText two =
        Converted("<table><tr><td>1</td></tr></table><P><table><tr><td>2</td></tr></table>");
    ASSERT_EQ(two.Body.size(), 3u);
    EXPECT_FALSE(two.Body[1].Table);
}

// Every report of the golden set: the Word document holds the same words in the same order,
// and its tables the same cells, as the browser shows.
TEST(DocxWriter, KeepsEveryWordAndCellOfTheReports) {
    int reports = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kGolden)) {
        SCOPED_TRACE(entry.path().filename().string());
        const std::string html = DecodeWindows1251(ReadBytes(entry.path()));
        const DocxText text = ReadDocxText(HtmlToDocx(html));
        ASSERT_EQ(text.Error, "");
        EXPECT_EQ(FirstDifference(Words(text.Body), WordsOfHtml(html)), "");
        EXPECT_EQ(BodyTableCells(text.Body), HtmlTableCells(html));
        ++reports;
    }
    EXPECT_GE(reports, 16);
}

// The HTML arrives as the run writes it: cut anywhere (inside a tag, an entity, a letter), it
// makes the same document.
TEST(DocxWriter, GivesTheSameDocumentWhereverTheTextIsCut) {
    const std::string html =
        DecodeWindows1251(ReadBytes(kGolden / "limits-blocked-detailed-both.html"));
    const std::string whole = HtmlToDocx(html);
    for (const std::size_t piece : {1u, 3u, 7u, 4096u}) {
        SCOPED_TRACE(piece);
        DocxWriter writer;
        for (std::size_t at = 0; at < html.size(); at += piece)
            writer.Feed(std::string_view(html).substr(at, piece));
        std::string bytes;
        ASSERT_TRUE(writer.Finish([&bytes](std::string_view b) {
            bytes += b;
            return true;
        }));
        EXPECT_EQ(bytes, whole);
    }
}

// Markup a browser's editor or a hand may leave still makes a document Word reads.
TEST(DocxWriter, MakesAWellFormedDocumentOfBrokenMarkup) {
    const char* const pieces[] = {
        "<b>open to the end",
        "</td></tr></table>stray ends",
        "<table><tr><td>cell<td>next</table>",
        "<table>text outside cells<tr><td>in</td></tr></table>",
        "<table><tr><td><table><tr><td>deep",
        "bad \xFF\xFE bytes \x01 and \xE2\x82 cut",
        "<p align=\"center\" unknown=x>a<unknown>b</unknown>c</P>",
        "&unknown; &#0; &#99999999; & alone",
        "<!-- a comment --><? xml ?><!DOCTYPE html>after",
        "< not a tag > 3 < 4",
    };
    for (const char* piece : pieces) {
        SCOPED_TRACE(piece);
        const DocxText text = Converted(piece);
        EXPECT_FALSE(Words(text.Body).empty());
    }
    EXPECT_EQ(Words(Converted("<table><tr><td>cell<td>next</table>").Body),
              (std::vector<std::string>{"cell", "next"}));
    EXPECT_EQ(Paragraphs(Converted("&unknown; & alone")),
              (std::vector<std::string>{"&unknown; & alone"}));
    EXPECT_EQ(Paragraphs(Converted("< not a tag > 3 < 4")),
              (std::vector<std::string>{"< not a tag > 3 < 4"}));
}

// A report past the limit is refused, not written: the writer stops taking text early, and a
// table too wide to print counts by the pages it would fill.
TEST(DocxWriter, RefusesADocumentOfTooManyPages) {
    DocxWriter writer(10);
    unsigned pages = 0;
    for (int k = 0; k < 1000 && !writer.TooLarge(); ++k) {
        writer.Feed("<p>Строка отчета номер " + std::to_string(k) + "</p>");
        EXPECT_GE(writer.EstimatedPages(), pages);
        pages = writer.EstimatedPages();
    }
    EXPECT_TRUE(writer.TooLarge());
    EXPECT_EQ(pages, 11u);
    int writes = 0;
    EXPECT_FALSE(writer.Finish([&writes](std::string_view) { return ++writes > 0; }));
    EXPECT_EQ(writes, 0);

    DocxWriter wide(10);
    wide.Feed("<table border=1>");
    for (int row = 0; row < 100 && !wide.TooLarge(); ++row) {
        std::string cells = "<tr>";
        for (int column = 0; column < 400; ++column)
            cells += "<td>" + std::to_string(column) + "</td>";
        wide.Feed(cells + "</tr>");
    }
    EXPECT_TRUE(wide.TooLarge());
    EXPECT_NE(DocxTooLargeText(10).find("10 страниц"), std::string::npos);
}

// The page estimate is near what the report takes: one page of a small report, and pages in
// proportion for a long one.
TEST(DocxWriter, EstimatesThePagesOfAReport) {
    DocxWriter small;
    small.Feed(DecodeWindows1251(ReadBytes(kGolden / "limits-plan-only.html")));
    EXPECT_LE(small.EstimatedPages(), 2u);
    DocxWriter lines;
    for (int k = 0; k < 500; ++k) lines.Feed("Строка " + std::to_string(k) + "<br>");
    EXPECT_GE(lines.EstimatedPages(), 8u);  // 500 lines of 10 pt: 9 or 10 pages of A4
    EXPECT_LE(lines.EstimatedPages(), 12u);
}

}  // namespace
}  // namespace kargolo::testing
