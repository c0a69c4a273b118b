#pragma once

// The report being written: UTF-8 text that writers only ever append to. By itself the buffer
// keeps the whole text in memory, in large chunks that are never moved (one string doubling its
// capacity would copy it again and again). Given a sink, it keeps at most about a megabyte and
// hands the rest on, so a run's memory does not grow with its report; the sink stores the text
// in its final form (windows-1251) and says how many bytes that form has.
//
// As it writes, the buffer can record where the parts of the report begin (the task, the
// balancing, the first plan, each stage with its F, the answer) and where a long table or a
// long run of lines may be cut, in offsets of the stored text, so that a viewer can show a
// large report piece by piece without searching it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#if defined(__MINGW32__)
// MinGW builds take the C99 printf of its runtime (__USE_MINGW_ANSI_STDIO), not Microsoft's.
#define PRINTF_LIKE(formatIndex, firstArgIndex) \
    __attribute__((format(gnu_printf, formatIndex, firstArgIndex)))
#elif defined(__GNUC__) || defined(__clang__)
#define PRINTF_LIKE(formatIndex, firstArgIndex) \
    __attribute__((format(printf, formatIndex, firstArgIndex)))
#else
#define PRINTF_LIKE(formatIndex, firstArgIndex)
#endif

namespace kargolo {

// Where the text goes beyond what the buffer keeps.
class ReportSink {
public:
    virtual ~ReportSink() = default;
    // Takes the next piece of text; a UTF-8 character may be split between two pieces.
    virtual void Write(std::string_view utf8) = 0;
    // Bytes stored so far, in the stored form.
    virtual std::uint64_t StoredSize() const = 0;
};

// Drops the text: for runs whose report nobody reads, so that it never fills memory.
class DiscardingReportSink : public ReportSink {
public:
    void Write(std::string_view utf8) override { m_size += utf8.size(); }
    std::uint64_t StoredSize() const override { return m_size; }

private:
    std::uint64_t m_size = 0;
};

enum class ReportSectionKind { Task, Balancing, FirstPlan, Stage, Answer };

// How the run that the answer closes ended.
enum class RunEnding { Optimal, Unsolvable, Stopped };

struct ReportSection {
    ReportSectionKind Kind = ReportSectionKind::Task;
    unsigned Stage = 0;        // the stage's number, for Stage; for a stopped run's Answer, the
                               // stage it was stopped at
    RunEnding Ending = RunEnding::Optimal;  // for Answer
    std::uint64_t Offset = 0;  // where the section begins
    bool HasObjective = false;
    std::int64_t ObjectiveF = 0;  // F at the section's end, when HasObjective
    bool ObjectiveIsProfit = false;  // ObjectiveF is the profit of a maximisation task
};

// A place where a page may end and the next begin. Inside a table (Table >= 0) the next page
// repeats the table's header rows, and the page before it closes the table.
struct ReportBreak {
    std::uint64_t Offset = 0;
    int Table = -1;  // index into ReportIndex::Tables, or -1 between elements of the body
    int Row = 0;     // inside a table: the 0-based row that begins here
};

// A table that was long enough to get breaks of its own.
struct ReportTable {
    std::uint64_t Begin = 0;      // the table's opening tag
    std::uint64_t HeaderEnd = 0;  // after its header rows
    std::uint64_t End = 0;        // after its closing tag
    int Rows = 0;                 // rows below the header
};

// Offsets in the stored text: the body lies between BodyBegin and BodyEnd.
struct ReportIndex {
    std::uint64_t BodyBegin = 0;
    std::uint64_t BodyEnd = 0;
    std::vector<ReportSection> Sections;  // in the order written
    std::vector<ReportBreak> Breaks;      // ascending
    std::vector<ReportTable> Tables;
};

class ReportBuffer {
public:
    // Appends printf-style formatted text (member function: the format is argument 2).
    PRINTF_LIKE(2, 3) void Appendf(const char* format, ...);
    void Append(std::string_view text) { Tail(text.size()).append(text); }
    // "%i" of value, without going through a format string (tables write millions of these).
    void AppendInt(std::int64_t value);

    // Starts the text anew (and the index), keeping the sink.
    void Assign(std::string_view text);
    void Clear();
    // The whole text, joined from the chunks when it has grown since the last call. Only for a
    // buffer without a sink: what went to a sink is no longer here.
    const std::string& Text() const;
    // UTF-8 bytes appended since the last Assign or Clear, wherever they went.
    std::uint64_t Size() const { return m_size; }

    // From now on the buffer keeps a bounded amount of text and writes the rest to sink (which
    // must outlive the buffer's use of it). Call before anything is appended.
    void StreamTo(ReportSink& sink);
    // Hands everything held to the sink.
    void Flush();

    // The index of the report, in offsets of the stored text (of Text() without a sink).
    void MarkBodyBegin();
    void MarkBodyEnd();
    void MarkSection(ReportSectionKind kind, unsigned stage = 0);
    // F at the end of the section marked last.
    void SetSectionObjective(std::int64_t f);
    // The section's figure is the largest profit of a maximisation task, not F.
    void SetSectionProfit(std::int64_t profit);
    // How the run ended, noted in the last section marked (the answer).
    void SetSectionEnding(RunEnding ending, unsigned stage);
    // A place between two elements of the body where a page may end; recorded only when the
    // text since the last break is long enough to be worth one.
    void MarkBreak();
    // Around a table: its start, the end of its header rows, each row's start, its end.
    void MarkTableBegin();
    void MarkTableHeaderEnd();
    void MarkTableRow(int row);
    void MarkTableEnd();
    const ReportIndex& Index() const { return m_index; }

    // Text between two breaks: a page of the report viewer is a few of these.
    static constexpr std::uint64_t kBreakSpacing = std::uint64_t{256} << 10;

private:
    // The chunk to append `length` more bytes to, without moving what it holds.
    std::string& Tail(std::size_t length);
    // Writes the chunks to the sink and empties them, keeping the first one's storage.
    void Spill();
    // The stored offset of the end of the text.
    std::uint64_t Here();
    bool BreakDue() const { return m_size - m_lastBreak >= kBreakSpacing; }

    std::vector<std::string> m_chunks;
    mutable std::string m_joined;  // Text() of more than one chunk
    ReportSink* m_sink = nullptr;
    std::size_t m_held = 0;    // bytes in the chunks
    std::uint64_t m_size = 0;  // bytes appended
    bool m_spilled = false;

    ReportIndex m_index;
    std::uint64_t m_lastBreak = 0;  // m_size at the last break or section
    ReportTable m_table;            // the table being written
    std::size_t m_tableBreaks = 0;  // m_index.Breaks.size() when it began
};

// printf-style formatting into a new string, for status lines and messages.
PRINTF_LIKE(1, 2) std::string Format(const char* format, ...);

}  // namespace kargolo
