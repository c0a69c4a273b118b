#include "documents/report_pages.h"

#include <algorithm>
#include <fstream>

#include "solver/report_buffer.h"

namespace kargolo {
namespace {

constexpr char kTableEnd[] = "</table>";

// A stretch of the body that pages are made of: one section, the body before the first
// section, or (for a section too large for a page) the whole section, cut at its breaks.
struct Stretch {
    std::uint64_t Begin = 0;
    std::uint64_t End = 0;
    int Section = -1;  // the first section of the stretch, -1 for the body before any
};

// The end of a run that found no optimum is named for what it is, so that nobody takes its F
// for the answer.
std::string AnswerName(const ReportSection& section, bool title) {
    switch (section.Ending) {
        case RunEnding::Optimal: return title ? "Ответ" : "ответ";
        case RunEnding::Unsolvable: return title ? "Задача неразрешима" : "задача неразрешима";
        case RunEnding::Stopped:
            return Format(title ? "Решение прервано на этапе %u" : "решение прервано на этапе %u", section.Stage);
    }
    return {};
}

std::string SectionName(const ReportSection& section, bool title) {
    switch (section.Kind) {
        case ReportSectionKind::Task: return title ? "Условие задачи" : "условие задачи";
        case ReportSectionKind::Balancing: return title ? "Балансировка" : "балансировка";
        case ReportSectionKind::FirstPlan: return title ? "Опорный план" : "опорный план";
        case ReportSectionKind::Stage:
            return Format(title ? "Этап %u" : "этап %u", section.Stage);
        case ReportSectionKind::Answer: return AnswerName(section, title);
    }
    return {};
}

// The navigator's line of a section, with F where it has one; the end of a run without an
// optimum shows none.
std::string SectionLabel(const ReportSection& section) {
    std::string label = SectionName(section, true);
    const bool noAnswer = section.Kind == ReportSectionKind::Answer && section.Ending != RunEnding::Optimal;
    if (section.HasObjective && !noAnswer) {
        label += Format(section.ObjectiveIsProfit ? ", прибыль = %lld" : ", F = %lld",
                        static_cast<long long>(section.ObjectiveF));
    }
    return label;
}

class Layout {
public:
    Layout(const ReportIndex& index, std::uint64_t fileSize, const PagingLimits& limits)
        : m_index(index), m_limits(limits) {
        m_layout.FileSize = fileSize;
        m_layout.BodyBegin = index.BodyBegin;
        m_layout.BodyEnd = index.BodyEnd;
        CollectSections();
        CollectBreaks();
    }

    ReportLayout Run();

private:
    void CollectSections();
    void CollectBreaks();
    std::uint64_t SectionEnd(std::size_t k) const;
    const ReportBreak* BreakAt(std::uint64_t offset) const;
    void AddPage(std::uint64_t begin, std::uint64_t end);
    void SplitStretch(const Stretch& stretch);
    std::string PartHint(const ReportSection& section, const ReportPage& page, int part, int parts) const;
    std::string PageTitle(const ReportPage& page) const;
    void AddEntries();

    const ReportIndex& m_index;
    PagingLimits m_limits;
    ReportLayout m_layout;
    std::vector<std::size_t> m_sections;  // the sections that lie inside the body, in order
    std::vector<ReportBreak> m_breaks;    // the breaks inside the body that can be used
    std::map<std::size_t, std::vector<int>> m_partPages;  // pages of a section cut in parts
};

void Layout::CollectSections() {
    for (std::size_t k = 0; k < m_index.Sections.size(); ++k) {
        const std::uint64_t offset = m_index.Sections[k].Offset;
        if (offset >= m_index.BodyBegin && offset <= m_index.BodyEnd) m_sections.push_back(k);
    }
}

void Layout::CollectBreaks() {
    const auto tables = static_cast<int>(m_index.Tables.size());
    for (const ReportBreak& cut : m_index.Breaks) {
        if (cut.Offset <= m_index.BodyBegin || cut.Offset >= m_index.BodyEnd) continue;
        if (cut.Table >= tables) continue;  // inside a table a failed run never closed
        m_breaks.push_back(cut);
    }
}

// Where section m_sections[k] ends: where the next one begins, or at the body's end. A section
// followed by one that begins at the same place is empty (a checking run marks its first plan
// and writes none).
std::uint64_t Layout::SectionEnd(std::size_t k) const {
    return k + 1 < m_sections.size() ? m_index.Sections[m_sections[k + 1]].Offset
                                     : m_index.BodyEnd;
}

const ReportBreak* Layout::BreakAt(std::uint64_t offset) const {
    const auto found = std::lower_bound(
        m_breaks.begin(), m_breaks.end(), offset,
        [](const ReportBreak& cut, std::uint64_t at) { return cut.Offset < at; });
    return found != m_breaks.end() && found->Offset == offset ? &*found : nullptr;
}

// A page showing the body from begin to end, with an anchor before each section in it.
void Layout::AddPage(std::uint64_t begin, std::uint64_t end) {
    ReportPage page;
    page.Begin = begin;
    page.End = end;
    if (const ReportBreak* cut = BreakAt(begin); cut != nullptr) page.StartsInTable = cut->Table;
    if (const ReportBreak* cut = BreakAt(end); cut != nullptr) page.EndsInTable = cut->Table;
    page.Pieces.push_back({0, m_index.BodyBegin, {}});
    if (page.StartsInTable >= 0) {
        const ReportTable& table = m_index.Tables[static_cast<std::size_t>(page.StartsInTable)];
        page.Pieces.push_back({table.Begin, table.HeaderEnd, {}});
    }
    std::uint64_t at = begin;
    for (const std::size_t k : m_sections) {
        const std::uint64_t offset = m_index.Sections[k].Offset;
        if (offset < begin || offset >= end) continue;
        if (offset > at) page.Pieces.push_back({at, offset, {}});
        page.Pieces.push_back({0, 0, "<a id=\"" + SectionAnchor(k) + "\"></a>"});
        at = offset;
    }
    if (end > at) page.Pieces.push_back({at, end, {}});
    if (page.EndsInTable >= 0) page.Pieces.push_back({0, 0, kTableEnd});
    page.Pieces.push_back({m_index.BodyEnd, m_layout.FileSize, {}});
    m_layout.Pages.push_back(std::move(page));
}

// A section larger than a page: pages as large as fit, cut at its breaks.
void Layout::SplitStretch(const Stretch& stretch) {
    std::vector<std::uint64_t> cuts;
    for (const ReportBreak& cut : m_breaks) {
        if (cut.Offset > stretch.Begin && cut.Offset < stretch.End) cuts.push_back(cut.Offset);
    }
    cuts.push_back(stretch.End);
    std::uint64_t begin = stretch.Begin;
    std::uint64_t end = begin;
    for (const std::uint64_t cut : cuts) {
        if (end > begin && cut - begin > m_limits.Page) {
            m_partPages[static_cast<std::size_t>(stretch.Section)].push_back(
                static_cast<int>(m_layout.Pages.size()));
            AddPage(begin, end);
            begin = end;
        }
        end = cut;
    }
    m_partPages[static_cast<std::size_t>(stretch.Section)].push_back(
        static_cast<int>(m_layout.Pages.size()));
    AddPage(begin, end);
}

ReportLayout Layout::Run() {
    const std::uint64_t size = m_layout.FileSize;
    const bool indexed = m_index.BodyBegin < m_index.BodyEnd && m_index.BodyEnd <= size;
    if (!indexed) {  // a document without an index of its own: one page, as it is
        m_layout.Pages.push_back({{{0, size, {}}}, 0, size, -1, -1, {}});
        return m_layout;
    }
    if (size <= m_limits.WholeReport) {
        AddPage(m_index.BodyBegin, m_index.BodyEnd);
        AddEntries();
        return m_layout;
    }
    std::vector<Stretch> stretches;
    const std::uint64_t first =
        m_sections.empty() ? m_index.BodyEnd : m_index.Sections[m_sections[0]].Offset;
    if (first > m_index.BodyBegin) stretches.push_back({m_index.BodyBegin, first, -1});
    for (std::size_t k = 0; k < m_sections.size(); ++k) {
        const std::uint64_t begin = m_index.Sections[m_sections[k]].Offset;
        const std::uint64_t end = SectionEnd(k);
        if (end > begin) stretches.push_back({begin, end, static_cast<int>(m_sections[k])});
    }
    std::uint64_t begin = 0;
    std::uint64_t end = 0;  // the page being gathered, of whole stretches
    for (const Stretch& stretch : stretches) {
        if (end > begin && stretch.End - begin > m_limits.Page) {
            AddPage(begin, end);
            begin = end;
        }
        if (stretch.End - stretch.Begin > m_limits.Page && stretch.Section >= 0) {
            SplitStretch(stretch);
            begin = end = stretch.End;
            continue;
        }
        if (end == begin) begin = stretch.Begin;
        end = stretch.End;
    }
    if (end > begin) AddPage(begin, end);
    AddEntries();
    return m_layout;
}

// What a part of a section cut into pages shows, for the navigator's hint: "Этап 5, часть 2 из
// 4: строки 251–500", "…: строки 59–60, затем строки 1–21 следующей таблицы" where the page goes
// on into the next table.
std::string Layout::PartHint(const ReportSection& section, const ReportPage& page, int part,
                             int parts) const {
    std::string hint = Format("%s, часть %d из %d", SectionName(section, true).c_str(), part, parts);
    const ReportBreak* first = page.StartsInTable >= 0 ? BreakAt(page.Begin) : nullptr;
    const ReportBreak* last = page.EndsInTable >= 0 ? BreakAt(page.End) : nullptr;
    if (first != nullptr) {
        const bool sameTable = last != nullptr && last->Table == first->Table;
        const int to = sameTable ? last->Row : m_index.Tables[static_cast<std::size_t>(first->Table)].Rows;
        hint += Format(": строки %d–%d", first->Row + 1, to);
        if (sameTable) return hint;
    }
    if (last != nullptr) {
        hint += Format(first != nullptr ? ", затем строки 1–%d следующей таблицы" : ": строки 1–%d таблицы",
                       last->Row);
    }
    return hint;
}

// "этап 3 — этап 5": the first and the last section the page shows.
std::string Layout::PageTitle(const ReportPage& page) const {
    std::string first;
    std::string last;
    for (std::size_t k = 0; k < m_sections.size(); ++k) {
        const ReportSection& section = m_index.Sections[m_sections[k]];
        const std::uint64_t end = SectionEnd(k);
        if (end == section.Offset || end <= page.Begin || section.Offset >= page.End) continue;
        last = SectionName(section, false);
        if (first.empty()) first = last;
    }
    return first == last ? first : first + " — " + last;
}

void Layout::AddEntries() {
    for (std::size_t p = 0; p < m_layout.Pages.size(); ++p) {
        m_layout.Pages[p].Title = PageTitle(m_layout.Pages[p]);
    }
    for (std::size_t k = 0; k < m_sections.size(); ++k) {
        const ReportSection& section = m_index.Sections[m_sections[k]];
        if (SectionEnd(k) == section.Offset) continue;  // an empty section
        const bool stage = section.Kind == ReportSectionKind::Stage ||
                           section.Kind == ReportSectionKind::Answer;
        int page = 0;
        while (page + 1 < static_cast<int>(m_layout.Pages.size()) &&
               m_layout.Pages[static_cast<std::size_t>(page)].End <= section.Offset) {
            ++page;
        }
        const std::string label = SectionLabel(section);
        m_layout.Entries.push_back({label, label, page, SectionAnchor(m_sections[k]), false, stage});
        const auto parts = m_partPages.find(m_sections[k]);
        if (parts == m_partPages.end()) continue;
        const int count = static_cast<int>(parts->second.size());
        for (int part = 1; part <= count; ++part) {
            const int partPage = parts->second[static_cast<std::size_t>(part - 1)];
            const ReportPage& shown = m_layout.Pages[static_cast<std::size_t>(partPage)];
            m_layout.Entries.push_back({Format("часть %d", part), PartHint(section, shown, part, count),
                                        partPage, {}, true, false});
        }
    }
}

bool CopyRange(std::ifstream& in, std::uint64_t begin, std::uint64_t end,
               const std::function<bool(std::string_view)>& write) {
    constexpr std::uint64_t kBlock = std::uint64_t{1} << 20;
    std::string block;
    in.clear();
    in.seekg(static_cast<std::streamoff>(begin));
    for (std::uint64_t at = begin; at < end;) {
        const std::uint64_t length = std::min(kBlock, end - at);
        block.resize(static_cast<std::size_t>(length));
        if (!in.read(block.data(), static_cast<std::streamsize>(length))) return false;
        if (!write(block)) return false;
        at += length;
    }
    return true;
}

bool WritePieces(std::ifstream& in, const std::vector<PagePiece>& pieces,
                 const std::function<bool(std::string_view)>& write) {
    for (const PagePiece& piece : pieces) {
        const bool written = piece.Text.empty() ? CopyRange(in, piece.Begin, piece.End, write)
                                                : write(piece.Text);
        if (!written) return false;
    }
    return true;
}

// The pieces of a page without the report's head and end: the body as the page shows it.
std::vector<PagePiece> PageBody(const ReportPage& page) {
    return {page.Pieces.begin() + 1, page.Pieces.end() - 1};
}

// Pages that show one table cut across them, with or without an edited one among them.
std::vector<bool> TableRunsEdited(const ReportLayout& layout,
                                  const std::map<int, std::string>& editedBodies) {
    const std::size_t count = layout.Pages.size();
    std::vector<bool> edited(count, false);
    for (std::size_t first = 0; first < count;) {
        std::size_t last = first;
        while (last + 1 < count && layout.Pages[last].EndsInTable >= 0) ++last;
        bool any = false;
        for (std::size_t p = first; p <= last; ++p) any = any || editedBodies.count(static_cast<int>(p));
        for (std::size_t p = first; p <= last; ++p) edited[p] = any;
        first = last + 1;
    }
    return edited;
}

}  // namespace

std::string SectionAnchor(std::size_t section) { return Format("kargolo-section-%zu", section); }

ReportLayout LayOutReport(const ReportIndex& index, std::uint64_t fileSize,
                          const PagingLimits& limits) {
    return Layout(index, fileSize, limits).Run();
}

bool ReadPage(const std::filesystem::path& report, const ReportPage& page, std::string& out) {
    std::ifstream in(report, std::ios::binary);
    if (!in) return false;
    out.clear();
    return WritePieces(in, page.Pieces, [&out](std::string_view bytes) {
        out.append(bytes);
        return true;
    });
}

bool AssembleEditedReport(const std::filesystem::path& report, const ReportLayout& layout,
                          const std::map<int, std::string>& editedBodies,
                          const std::function<bool(std::string_view)>& write) {
    std::ifstream in(report, std::ios::binary);
    if (!in) return false;
    if (layout.BodyEnd <= layout.BodyBegin) {  // no index: only a whole edited page
        const auto edited = editedBodies.find(0);
        if (edited == editedBodies.end()) return CopyRange(in, 0, layout.FileSize, write);
        return write(edited->second);
    }
    if (!CopyRange(in, 0, layout.BodyBegin, write)) return false;
    const std::vector<bool> shownAsPages = TableRunsEdited(layout, editedBodies);
    for (std::size_t p = 0; p < layout.Pages.size(); ++p) {
        const ReportPage& page = layout.Pages[p];
        bool written = false;
        if (const auto edited = editedBodies.find(static_cast<int>(p)); edited != editedBodies.end()) {
            written = write(edited->second);
        } else if (shownAsPages[p]) {
            written = WritePieces(in, PageBody(page), write);
        } else {
            written = CopyRange(in, page.Begin, page.End, write);
        }
        if (!written) return false;
    }
    return CopyRange(in, layout.BodyEnd, layout.FileSize, write);
}

}  // namespace kargolo
