#pragma once

// A report file shown page by page. A report up to a size that a browser engine draws at once
// is one page; a larger one is split into pages of a few of its sections each, at the starts
// of sections, so a stage is never cut unless it alone is too large for a page. Such a section
// is cut at the breaks its writer recorded: between lines, or between the rows of a long table,
// where the page repeats the table's header rows and closes the table at its end. Every page is
// a complete document: the report's head, the part of the body, the report's end.
//
// Pages are made of pieces: byte ranges of the report file and short texts of the viewer's own
// (an anchor before each section, the closing tag of a table cut short).

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "solver/report_buffer.h"

namespace kargolo {

struct PagePiece {
    std::uint64_t Begin = 0;  // a range of the file, when Text is empty
    std::uint64_t End = 0;
    std::string Text;
};

struct ReportPage {
    std::vector<PagePiece> Pieces;  // the page's whole document
    std::uint64_t Begin = 0;        // the part of the report's body the page shows
    std::uint64_t End = 0;
    int StartsInTable = -1;  // the page continues table t of the index
    int EndsInTable = -1;    // the page cuts table t short
    std::string Title;       // what it shows, for the print dialog ("Этапы 3–5")
};

// A line of the navigator: a section of the report or, below a section too large for one page,
// one of its pages ("часть 2"), whatever the size of the report.
struct NavigatorEntry {
    std::string Label;
    std::string Hint;  // the whole description, for a tooltip ("Этап 5, часть 2 из 4: строки 251–500")
    int Page = 0;
    std::string Anchor;  // the anchor's id within the page; empty: the top of the page
    bool Part = false;   // a page of the section above
    bool Stage = false;  // a stage or the answer: where the stage keys go
};

struct ReportLayout {
    std::vector<ReportPage> Pages;
    std::vector<NavigatorEntry> Entries;
    std::uint64_t FileSize = 0;
    std::uint64_t BodyBegin = 0;
    std::uint64_t BodyEnd = 0;
};

// Measured with the engine of Qt 6.4 (bench/report_view_bench): a page of half a megabyte
// shows in about half a second; a whole report of 0.7 MB takes 1.3 s and one of 1.6 MB 2.3 s.
struct PagingLimits {
    std::uint64_t WholeReport = std::uint64_t{512} << 10;  // shown whole up to this size
    std::uint64_t Page = std::uint64_t{512} << 10;         // the body of one page, at most
};

// The pages and the navigator of a report file of fileSize bytes written with this index.
ReportLayout LayOutReport(const ReportIndex& index, std::uint64_t fileSize,
                          const PagingLimits& limits = {});

// The id of the anchor the viewer puts before section `section`.
std::string SectionAnchor(std::size_t section);

// The page's document read from the report file; false when the file cannot be read.
bool ReadPage(const std::filesystem::path& report, const ReportPage& page, std::string& out);

// The report with the bodies of edited pages (encoded like the file) in place of theirs,
// handed to write piece by piece; false when the file cannot be read or write fails. A table
// cut across pages is written as the pages show it when one of those pages was edited.
bool AssembleEditedReport(const std::filesystem::path& report, const ReportLayout& layout,
                          const std::map<int, std::string>& editedBodies,
                          const std::function<bool(std::string_view)>& write);

}  // namespace kargolo
