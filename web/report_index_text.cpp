#include "web/report_index_text.h"

#include <charconv>
#include <cstdint>

namespace kargolo {
namespace {

class Numbers {
public:
    explicit Numbers(std::string_view text) : m_text(text) {}

    template <typename T>
    bool Next(T& value) {
        while (m_at < m_text.size() && m_text[m_at] == ' ') ++m_at;
        const char* begin = m_text.data() + m_at;
        const auto [end, error] = std::from_chars(begin, m_text.data() + m_text.size(), value);
        if (error != std::errc() || end == begin) return false;
        m_at += static_cast<std::size_t>(end - begin);
        return true;
    }
    // A count of items of `size` numbers each that the rest of the text can hold.
    bool Count(std::size_t& count, std::size_t size) {
        return Next(count) && count <= (m_text.size() - m_at) / (2 * size);
    }
    bool OnlyBlanksLeft() const { return m_text.find_first_not_of(' ', m_at) == std::string_view::npos; }

private:
    std::string_view m_text;
    std::size_t m_at = 0;
};

void Put(std::string& out, std::int64_t value) {
    out += std::to_string(value);
    out += ' ';
}

}  // namespace

std::string IndexToText(const ReportIndex& index) {
    std::string out;
    Put(out, static_cast<std::int64_t>(index.BodyBegin));
    Put(out, static_cast<std::int64_t>(index.BodyEnd));
    Put(out, static_cast<std::int64_t>(index.Sections.size()));
    for (const ReportSection& s : index.Sections) {
        Put(out, static_cast<int>(s.Kind));
        Put(out, s.Stage);
        Put(out, static_cast<int>(s.Ending));
        Put(out, static_cast<std::int64_t>(s.Offset));
        Put(out, s.HasObjective ? (s.ObjectiveIsProfit ? 2 : 1) : 0);
        Put(out, s.ObjectiveF);
    }
    Put(out, static_cast<std::int64_t>(index.Breaks.size()));
    for (const ReportBreak& b : index.Breaks) {
        Put(out, static_cast<std::int64_t>(b.Offset));
        Put(out, b.Table);
        Put(out, b.Row);
    }
    Put(out, static_cast<std::int64_t>(index.Tables.size()));
    for (const ReportTable& t : index.Tables) {
        Put(out, static_cast<std::int64_t>(t.Begin));
        Put(out, static_cast<std::int64_t>(t.HeaderEnd));
        Put(out, static_cast<std::int64_t>(t.End));
        Put(out, t.Rows);
    }
    return out;
}

bool IndexFromText(std::string_view text, ReportIndex& index) {
    Numbers in(text);
    ReportIndex read;
    std::size_t count = 0;
    if (!in.Next(read.BodyBegin) || !in.Next(read.BodyEnd) || !in.Count(count, 6)) return false;
    read.Sections.resize(count);
    for (ReportSection& s : read.Sections) {
        int kind = 0;
        int ending = 0;
        int objective = 0;
        if (!in.Next(kind) || kind < 0 || kind > static_cast<int>(ReportSectionKind::Answer) ||
            !in.Next(s.Stage) || !in.Next(ending) || ending < 0 || ending > static_cast<int>(RunEnding::Stopped) ||
            !in.Next(s.Offset) || !in.Next(objective) || !in.Next(s.ObjectiveF)) {
            return false;
        }
        s.Kind = static_cast<ReportSectionKind>(kind);
        s.Ending = static_cast<RunEnding>(ending);
        s.HasObjective = objective != 0;
        s.ObjectiveIsProfit = objective == 2;
    }
    if (!in.Count(count, 3)) return false;
    read.Breaks.resize(count);
    for (ReportBreak& b : read.Breaks) {
        if (!in.Next(b.Offset) || !in.Next(b.Table) || !in.Next(b.Row)) return false;
    }
    if (!in.Count(count, 4)) return false;
    read.Tables.resize(count);
    for (ReportTable& t : read.Tables) {
        if (!in.Next(t.Begin) || !in.Next(t.HeaderEnd) || !in.Next(t.End) || !in.Next(t.Rows)) return false;
    }
    if (!in.OnlyBlanksLeft()) return false;
    for (const ReportBreak& b : read.Breaks) {
        if (b.Table < -1 || b.Table >= static_cast<int>(read.Tables.size())) return false;
    }
    index = std::move(read);
    return true;
}

}  // namespace kargolo
