#include "documents/docx_writer.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <numeric>
#include <vector>

#include "documents/docx_parts.h"
#include "documents/docx_tables.h"
#include "documents/html_scanner.h"
#include "solver/report_buffer.h"

namespace kargolo {
namespace {

using namespace docx;

// Lengths are in twips (1/20 pt). The text area of A4 with margins of 2 cm:
constexpr int kPortraitWidth = 11906 - 2 * 1134;
constexpr int kPortraitHeight = 16838 - 2 * 1134;
constexpr int kLandscapeWidth = kPortraitHeight;
constexpr int kLandscapeHeight = kPortraitWidth;
// The document.xml held at once; more is refused as too large even before the pages say so
// (a table of hundreds of columns makes few pages but would not fit in memory).
constexpr std::size_t kMostXmlBytes = std::size_t{256} << 20;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Where paragraphs go: the body or a table cell, each with the look its paragraphs start from.
struct Container {
    std::string Style;  // paragraph style id, or empty
    std::string Align;
    int BaseHalfPoints = 20;
    bool BaseBold = false;
    std::vector<std::pair<std::string, RunFormat>> Inline;  // open inline tags

    // The paragraph being written.
    bool Open = false;
    std::string ParagraphAlign;
    bool Spaced = false;  // a <p>: space above and below
    bool PageBreakBefore = false;
    bool PendingPageBreak = false;  // asked by a block that ended empty: the next one takes it
    bool KeepWithNext = false;
    bool Rule = false;  // <hr>: a line below
    std::string Runs;
    std::string RunText;
    RunFormat RunFmt;
    bool HasContent = false;
    bool LineHasText = false;
    bool PendingSpace = false;
    int PendingBreaks = 0;
    BlockMeasure Measure;
    int Line = 0;
    int Word = 0;  // the width of the word being written
    int Tallest = 0;

    bool LastIsTable = false;
    // A cell's contents so far (the body's go straight to the document).
    std::string Xml;
    std::vector<BlockMeasure> Blocks;

    RunFormat Current() const { return Inline.empty() ? RunFormat{} : Inline.back().second; }
};

struct TableBuild {
    TableContents Contents;
    bool RowOpen = false;
    std::string RowAlign;
    std::string RowVerticalAlignText;
    const std::string* RowVerticalAlign = nullptr;  // the row's valign attribute, or null
    bool CellOpen = false;
    Container Cell;
    CellBuild CellInfo;
    std::size_t Bytes = 0;
};

}  // namespace

// ---- The document
// -----------------------------------------------------------------------------------

class DocxWriter::Builder : public HtmlHandler {
public:
    explicit Builder(unsigned mostPages) : m_mostPages(mostPages), m_scanner(*this) {
        m_document = kXmlDeclaration;
        m_document += kDocumentStart;
    }

    void Feed(std::string_view html) {
        if (!m_tooLarge) m_scanner.Feed(html);
        Release();
    }
    bool TooLarge() const { return m_tooLarge; }
    unsigned Pages() const {
        const Container& b = m_body;
        const int openParagraph =
            b.Open ? static_cast<int>(b.Measure.Lines.size()) * LineHeight(b.Tallest) : 0;
        return static_cast<unsigned>(
            std::max(1, DivideUp(m_height + m_openTableHeight + openParagraph, PageHeight())));
    }
    bool Finish(const ZipArchive::ByteWriter& write);

    void OnText(std::string_view text) override;
    void OnTag(const HtmlTag& tag) override;

private:
    int PageHeight() const { return m_landscape ? kLandscapeHeight : kPortraitHeight; }
    // The container text goes to now, or null inside a table but outside its cells.
    Container* Current();
    void OpenParagraph(Container& c);
    void CloseRun(Container& c);
    void AppendText(Container& c, std::string_view text, const RunFormat& format);
    void PutPendingBreaks(Container& c);
    static void EndWord(Container& c) {
        c.Measure.LongestWord = std::max(c.Measure.LongestWord, c.Word);
        c.Word = 0;
    }
    static void EndLine(Container& c);
    void CloseParagraph(Container& c);
    void AddBlock(Container& c, const std::string& xml, const BlockMeasure& measure);
    void StartBlock(const HtmlTag& tag, bool spaced);
    void OnInlineTag(const HtmlTag& tag);
    void OnTableTag(const HtmlTag& tag);
    void OpenTable(const HtmlTag& tag);
    void OpenRow(TableBuild& table, const HtmlTag* tag);
    void OpenCell(TableBuild& table, const HtmlTag& tag);
    void CloseCell(TableBuild& table);
    void CloseRow(TableBuild& table);
    void CloseTable();
    void AddHeight(int height);
    void CheckSize();
    void GiveUp();
    void Release();

    unsigned m_mostPages;
    HtmlScanner m_scanner;
    std::string m_document;
    Container m_body;
    std::vector<std::unique_ptr<TableBuild>> m_tables;
    int m_height = 0;           // of the body so far
    int m_openTableHeight = 0;  // of the rows of the body's open table so far
    bool m_landscape = false;
    bool m_tooLarge = false;
};

Container* DocxWriter::Builder::Current() {
    if (m_tables.empty()) return &m_body;
    TableBuild& table = *m_tables.back();
    return table.CellOpen ? &table.Cell : nullptr;
}

void DocxWriter::Builder::OpenParagraph(Container& c) {
    if (c.Open) return;
    c.Open = true;
    c.Runs.clear();
    c.RunText.clear();
    c.HasContent = c.LineHasText = c.PendingSpace = false;
    c.PendingBreaks = 0;
    c.Measure = BlockMeasure();
    c.Line = c.Word = 0;
    c.Tallest = c.BaseHalfPoints;
    c.PageBreakBefore = c.PendingPageBreak;
    c.PendingPageBreak = false;
}

void DocxWriter::Builder::CloseRun(Container& c) {
    if (c.RunText.empty()) return;
    c.Runs += "<w:r>" + RunProperties(c.RunFmt);
    const bool keepBlanks = c.RunText.front() == ' ' || c.RunText.back() == ' ';
    c.Runs += keepBlanks ? "<w:t xml:space=\"preserve\">" : "<w:t>";
    AppendXmlText(c.Runs, c.RunText);
    c.Runs += "</w:t></w:r>";
    c.RunText.clear();
}

void DocxWriter::Builder::AppendText(Container& c, std::string_view text, const RunFormat& format) {
    if (format != c.RunFmt) CloseRun(c);
    c.RunFmt = format;
    c.RunText += text;
    const int size = format.HalfPoints > 0 ? format.HalfPoints : c.BaseHalfPoints;
    c.Tallest = std::max(c.Tallest, size);
    const int width = static_cast<int>(CharacterCount(text)) *
                      CharacterWidth(size, format.Bold || c.BaseBold, format.Script);
    c.Line += width;
    if (text == " ") {
        EndWord(c);
    } else {
        c.Word += width;
    }
    c.HasContent = c.LineHasText = true;
}

void DocxWriter::Builder::EndLine(Container& c) {
    EndWord(c);
    c.Measure.Lines.push_back(c.Line);
    c.Line = 0;
}

void DocxWriter::Builder::PutPendingBreaks(Container& c) {
    if (c.PendingBreaks == 0) return;
    CloseRun(c);
    for (; c.PendingBreaks > 0; --c.PendingBreaks) {
        c.Runs += "<w:r><w:br/></w:r>";
        EndLine(c);
    }
    c.HasContent = true;
    if (&c == &m_body) CheckSize();  // a long paragraph of lines counts as it grows
}

void DocxWriter::Builder::OnText(std::string_view text) {
    Container* c = Current();
    if (c == nullptr || m_tooLarge) return;
    const RunFormat format = c->Current();
    std::size_t k = 0;
    while (k < text.size()) {
        if (IsBlank(text[k])) {
            if (c->Open && c->LineHasText && c->PendingBreaks == 0) c->PendingSpace = true;
            ++k;
            continue;
        }
        std::size_t end = k;
        while (end < text.size() && !IsBlank(text[end])) ++end;
        OpenParagraph(*c);
        PutPendingBreaks(*c);
        if (c->PendingSpace) AppendText(*c, " ", format);
        c->PendingSpace = false;
        AppendText(*c, text.substr(k, end - k), format);
        k = end;
    }
}

void DocxWriter::Builder::CloseParagraph(Container& c) {
    if (!c.Open) return;
    c.Open = false;
    // A break at the end of a block makes no line of its own, as in a browser.
    const int breaks = std::max(0, c.PendingBreaks - 1);
    if (!c.HasContent && c.PendingBreaks == 0 && !c.Rule) {
        c.PendingPageBreak = c.PendingPageBreak || c.PageBreakBefore;
        c.Spaced = c.PageBreakBefore = c.KeepWithNext = false;
        c.ParagraphAlign.clear();
        return;
    }
    CloseRun(c);
    for (int k = 0; k < breaks; ++k) {
        c.Runs += "<w:r><w:br/></w:r>";
        EndLine(c);
    }
    EndLine(c);
    c.Measure.LineHeight = LineHeight(c.Tallest);
    std::string properties;
    if (!c.Style.empty()) properties += "<w:pStyle w:val=\"" + c.Style + "\"/>";
    if (c.KeepWithNext) properties += "<w:keepNext/>";
    if (c.PageBreakBefore) properties += "<w:pageBreakBefore/>";
    if (c.Rule)
        properties +=
            "<w:pBdr><w:bottom w:val=\"single\" w:sz=\"6\" w:space=\"1\" "
            "w:color=\"auto\"/></w:pBdr>";
    if (c.Spaced) {
        properties += "<w:spacing w:before=\"100\" w:after=\"100\"/>";
        c.Measure.Extra = 200;
    }
    const std::string& align = c.ParagraphAlign.empty() ? c.Align : c.ParagraphAlign;
    if (!align.empty()) properties += "<w:jc w:val=\"" + align + "\"/>";
    std::string xml = "<w:p>";
    if (!properties.empty()) xml += "<w:pPr>" + properties + "</w:pPr>";
    xml += c.Runs + "</w:p>";
    if (c.PageBreakBefore && &c == &m_body)
        m_height = DivideUp(m_height, PageHeight()) * PageHeight();
    c.Spaced = c.PageBreakBefore = c.Rule = c.KeepWithNext = false;
    c.ParagraphAlign.clear();
    c.Runs.clear();
    c.LastIsTable = false;
    AddBlock(c, xml, c.Measure);
}

void DocxWriter::Builder::AddBlock(Container& c, const std::string& xml,
                                   const BlockMeasure& measure) {
    if (&c == &m_body) {
        m_document += xml;
        AddHeight(measure.Height(m_landscape ? kLandscapeWidth : kPortraitWidth));
        return;
    }
    c.Xml += xml;
    c.Blocks.push_back(measure);
    m_tables.back()->Bytes += xml.size();
    CheckSize();
}

void DocxWriter::Builder::AddHeight(int height) {
    m_height += height;
    CheckSize();
}

void DocxWriter::Builder::CheckSize() {
    std::size_t bytes = m_document.size();
    for (const auto& table : m_tables) bytes += table->Bytes;
    if (Pages() > m_mostPages || bytes > kMostXmlBytes) GiveUp();
}

// Stops taking text; the memory goes once the scanner has returned (Release), as the callers up
// the stack still hold parts of it.
void DocxWriter::Builder::GiveUp() {
    m_tooLarge = true;
}

void DocxWriter::Builder::Release() {
    if (!m_tooLarge) return;
    std::string().swap(m_document);
    m_tables.clear();
}

void DocxWriter::Builder::StartBlock(const HtmlTag& tag, bool spaced) {
    Container* c = Current();
    if (c == nullptr) return;
    CloseParagraph(*c);
    OpenParagraph(*c);
    c->Spaced = spaced;
    c->PageBreakBefore = c->PageBreakBefore || BreaksPageBefore(tag);
    c->KeepWithNext = KeepsWithNext(tag);
    c->ParagraphAlign = Alignment(tag);
}

void DocxWriter::Builder::OnInlineTag(const HtmlTag& tag) {
    Container* c = Current();
    if (c == nullptr) return;
    if (!tag.Closing) {
        RunFormat format = c->Current();
        ApplyInlineTag(tag, format);
        c->Inline.emplace_back(tag.Name, format);
        return;
    }
    for (std::size_t k = c->Inline.size(); k > 0; --k) {
        if (c->Inline[k - 1].first == tag.Name) {
            c->Inline.resize(k - 1);
            return;
        }
    }
}

void DocxWriter::Builder::OnTag(const HtmlTag& tag) {
    if (m_tooLarge) return;
    const std::string& name = tag.Name;
    if (name == "table" || name == "tr" || name == "td" || name == "th") return OnTableTag(tag);
    if (IsInlineTag(name)) return OnInlineTag(tag);
    Container* c = Current();
    if (c == nullptr) return;
    const bool heading = name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6';
    if (name == "br" && !tag.Closing) {
        OpenParagraph(*c);
        ++c->PendingBreaks;
        c->PendingSpace = false;
    } else if (name == "hr" && !tag.Closing) {
        CloseParagraph(*c);
        OpenParagraph(*c);
        c->Rule = true;
        CloseParagraph(*c);
    } else if (name == "p" || name == "div" || name == "li" || heading) {
        if (tag.Closing) {
            CloseParagraph(*c);
            if (heading) OnInlineTag(tag);
            return;
        }
        StartBlock(tag, name == "p" || heading);
        if (heading) OnInlineTag(tag);
        if (name == "li") AppendText(*c, "\xE2\x80\xA2 ", c->Current());  // a bullet
    }
}

void DocxWriter::Builder::OnTableTag(const HtmlTag& tag) {
    const std::string& name = tag.Name;
    if (name == "table" && !tag.Closing) return OpenTable(tag);
    if (m_tables.empty()) return;
    TableBuild& table = *m_tables.back();
    if (name == "table") {
        CloseTable();
    } else if (name == "tr") {
        CloseRow(table);
        if (!tag.Closing) OpenRow(table, &tag);
    } else if (tag.Closing) {
        CloseCell(table);
    } else {
        OpenCell(table, tag);
    }
}

void DocxWriter::Builder::OpenTable(const HtmlTag& tag) {
    if (!m_tables.empty() && !m_tables.back()->CellOpen) {  // a table straight in a row
        TableBuild& outer = *m_tables.back();
        OpenCell(outer, HtmlTag{"td", false, {}});
    }
    Container* c = Current();
    CloseParagraph(*c);
    // Two tables one under the other stay two; a new page asked before the table starts it.
    if (c->LastIsTable || c->PendingPageBreak) {
        OpenParagraph(*c);
        c->PendingBreaks = 1;
        CloseParagraph(*c);
    }
    auto table = std::make_unique<TableBuild>();
    const std::string* border = tag.Find("border");
    const std::string* name = tag.Find("class");
    if (name != nullptr && *name == "mtable") {
        table->Contents.Style = "KgPlanCell";
        table->Contents.Margin = 20;
    } else {
        table->Contents.Style =
            border != nullptr && LowerTrimmed(*border) != "0" ? "KgGrid" : "KgPlain";
    }
    m_tables.push_back(std::move(table));
}

void DocxWriter::Builder::OpenRow(TableBuild& table, const HtmlTag* tag) {
    table.Contents.Rows.emplace_back();
    table.RowOpen = true;
    table.RowAlign = tag != nullptr ? Alignment(*tag) : std::string();
    table.RowVerticalAlignText =
        tag != nullptr && tag->Find("valign") != nullptr ? *tag->Find("valign") : std::string();
    table.RowVerticalAlign =
        tag != nullptr && tag->Find("valign") != nullptr ? &table.RowVerticalAlignText : nullptr;
}

void DocxWriter::Builder::OpenCell(TableBuild& table, const HtmlTag& tag) {
    CloseCell(table);
    if (!table.RowOpen) OpenRow(table, nullptr);
    table.CellOpen = true;
    table.Cell = Container();
    table.CellInfo = CellBuild();
    Container& c = table.Cell;
    CellBuild& cell = table.CellInfo;
    const auto span = [&tag](const char* attribute) {
        const std::string* value = tag.Find(attribute);
        int number = 1;
        if (value != nullptr) std::from_chars(value->data(), value->data() + value->size(), number);
        return std::clamp(number, 1, 1000);
    };
    cell.ColumnSpan = span("colspan");
    cell.RowSpan = span("rowspan");
    c.Align = Alignment(tag);
    if (c.Align.empty()) c.Align = table.RowAlign;
    cell.VerticalAlign = VerticalAlignment(tag.Find("valign") != nullptr ? tag.Find("valign")
                                                                         : table.RowVerticalAlign);
    if (const ClassLook* look = FindClassLook(tag)) {
        c.Style = look->Style;
        c.BaseHalfPoints = look->HalfPoints;
        c.BaseBold = look->Bold;
        cell.Fill = look->Fill;
        cell.Narrowest = look->Narrowest;
        cell.Header = look->Class == "cellA";
    }
    if (const std::string* colour = tag.Find("bgcolor");
        colour != nullptr && !ColourHex(*colour).empty()) {
        cell.Fill = ColourHex(*colour);
    }
    if (tag.Name == "th") {
        cell.Header = true;
        if (c.Align.empty()) c.Align = "center";
        RunFormat bold;
        bold.Bold = true;
        c.Inline.emplace_back("th", bold);
    }
}

void DocxWriter::Builder::CloseCell(TableBuild& table) {
    if (!table.CellOpen) return;
    Container& c = table.Cell;
    CloseParagraph(c);
    table.CellOpen = false;
    CellBuild cell = std::move(table.CellInfo);
    if (c.Blocks.empty() || c.LastIsTable) {
        // A cell ends with a paragraph: an empty one of its look, or the lowest after a table.
        const bool afterTable = !c.Blocks.empty();
        const std::string style = afterTable ? std::string("KgTight") : c.Style;
        c.Xml += style.empty() ? "<w:p/>"
                               : "<w:p><w:pPr><w:pStyle w:val=\"" + style + "\"/></w:pPr></w:p>";
        if (!afterTable) {
            BlockMeasure empty;
            empty.Lines.push_back(0);
            empty.LineHeight = LineHeight(c.BaseHalfPoints);
            c.Blocks.push_back(empty);
        }
    }
    cell.Content = std::move(c.Xml);
    cell.Blocks = std::move(c.Blocks);
    table.Contents.Rows.back().push_back(std::move(cell));
    table.Cell = Container();
}

void DocxWriter::Builder::CloseRow(TableBuild& table) {
    CloseCell(table);
    if (!table.RowOpen) return;
    table.RowOpen = false;
    if (m_tables.size() != 1) return;
    // A body table's rows count towards the pages as they come, so that a table too large
    // is given up before it is whole.
    int narrowest = 0;
    int tallest = LineHeight(20);
    for (const CellBuild& cell : table.Contents.Rows.back()) {
        narrowest += CellWidth(cell, table.Contents.Margin, true);
        int height = 30;
        for (const BlockMeasure& block : cell.Blocks) height += block.Height(block.NaturalWidth());
        if (cell.RowSpan == 1) tallest = std::max(tallest, height);
    }
    m_openTableHeight += tallest * std::max(1, DivideUp(narrowest, kLandscapeWidth));
    CheckSize();
}

void DocxWriter::Builder::CloseTable() {
    CloseRow(*m_tables.back());
    if (m_tooLarge) return;
    std::unique_ptr<TableBuild> table = std::move(m_tables.back());
    m_tables.pop_back();
    int columns = 0;
    const std::vector<std::vector<Slot>> grid = PlaceCells(table->Contents.Rows, columns);
    const int margin = table->Contents.Margin;
    const std::vector<int> natural = ColumnWidths(grid, columns, margin, false);
    const std::vector<int> narrowest = ColumnWidths(grid, columns, margin, true);
    const int naturalWidth = std::accumulate(natural.begin(), natural.end(), 0);
    const int narrowestWidth = std::accumulate(narrowest.begin(), narrowest.end(), 0);
    if (!m_tables.empty()) {
        BlockMeasure measure;
        measure.IsTable = true;
        measure.TableWidth = naturalWidth;
        measure.TableNarrowest = narrowestWidth;
        measure.TableHeight = TableHeight(grid, natural, margin);
        Container& cell = m_tables.back()->Cell;
        cell.LastIsTable = true;
        AddBlock(cell, TableXml(table->Contents, grid, natural, nullptr), measure);
        return;
    }
    // The page turns on its side for a table whose words do not fit upright.
    if (narrowestWidth > kPortraitWidth) m_landscape = true;
    const int available = m_landscape ? kLandscapeWidth : kPortraitWidth;
    const std::vector<int> widths = FitColumns(narrowest, natural, available);
    m_openTableHeight = 0;
    m_document += TableXml(table->Contents, grid, widths, &widths);
    m_body.LastIsTable = true;
    // A table too wide even so is counted as printed in strips of the page's width.
    AddHeight(TableHeight(grid, widths, margin) * DivideUp(narrowestWidth, available));
}

bool DocxWriter::Builder::Finish(const ZipArchive::ByteWriter& write) {
    m_scanner.Finish();
    while (!m_tables.empty() && !m_tooLarge) CloseTable();
    CloseParagraph(m_body);
    Release();
    if (m_tooLarge) return false;
    m_document += m_landscape ? kLandscapeSection : kPortraitSection;
    m_document += kDocumentEnd;
    std::string core = std::string(kXmlDeclaration) + kCorePropertiesStart;
    AppendXmlText(core, m_scanner.Title());
    core += kCorePropertiesEnd;
    const auto part = [](const char* xml) { return std::string(kXmlDeclaration) + xml; };
    ZipArchive zip(write);
    return zip.Add("[Content_Types].xml", part(kContentTypesPart)) &&
           zip.Add("_rels/.rels", part(kPackageRelationships)) &&
           zip.Add("word/document.xml", m_document) &&
           zip.Add("word/_rels/document.xml.rels", part(kDocumentRelationships)) &&
           zip.Add("word/styles.xml", part(kStylesPart)) &&
           zip.Add("word/settings.xml", part(kSettingsPart)) &&
           zip.Add("docProps/core.xml", core) &&
           zip.Add("docProps/app.xml", part(kAppProperties)) && zip.Finish();
}

DocxWriter::DocxWriter(unsigned mostPages) : m_builder(std::make_unique<Builder>(mostPages)) {}
DocxWriter::~DocxWriter() = default;

void DocxWriter::Feed(std::string_view html) {
    m_builder->Feed(html);
}
bool DocxWriter::TooLarge() const {
    return m_builder->TooLarge();
}
unsigned DocxWriter::EstimatedPages() const {
    return m_builder->Pages();
}
bool DocxWriter::Finish(const ZipArchive::ByteWriter& write) {
    return m_builder->Finish(write);
}

std::string HtmlToDocx(std::string_view html, unsigned mostPages) {
    DocxWriter writer(mostPages);
    writer.Feed(html);
    std::string bytes;
    if (!writer.Finish([&bytes](std::string_view piece) {
            bytes += piece;
            return true;
        })) {
        return {};
    }
    return bytes;
}

std::string DocxTooLargeText(unsigned mostPages) {
    return Format(
        "Документ Word не записан: в нем было бы больше %u страниц. Сохраните отчет в "
        "HTML или решите задачу в проверочном режиме, где отчет короче.",
        mostPages);
}

}  // namespace kargolo
