#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "documents/report_pages.h"
#include "documents/report_stream.h"
#include "documents/solve_run.h"
#include "documents/windows1251.h"
#include "solver/method_texts.h"
#include "solver/report_texts.h"
#include "tests/support/task_builders.h"

namespace kargolo::testing {
namespace {

// A square task whose north-west plan is far from the optimum: many stages, large tables.
TaskSpec GridTask(int size) {
    TaskSpec task{"grid " + std::to_string(size), {}, {}, {}};
    for (int i = 0; i < size; ++i) {
        task.Supplies.push_back(20 + (i * 7) % 13);
        task.Demands.push_back(20 + (i * 7) % 13);
        for (int j = 0; j < size; ++j) task.Tariffs.push_back((i * 17 + j * 29) % 31 + 1);
    }
    return task;
}

struct StreamedReport {
    std::string Bytes;  // windows-1251, as the sink got them
    ReportIndex Index;
    std::size_t LargestPiece = 0;
    int Pieces = 0;
};

// Solves the task with the report streamed through an encoding sink.
StreamedReport Stream(const TaskSpec& task, std::int32_t mode, std::uint64_t limit = 0) {
    StreamedReport report;
    EncodedReportSink sink([&report](std::string_view bytes) {
        report.Bytes.append(bytes);
        report.LargestPiece = std::max(report.LargestPiece, bytes.size());
        ++report.Pieces;
        return true;
    });
    SolveState s = MakeState(task, mode);
    s.Report.StreamTo(sink);
    s.ReportLimit = limit;
    SilentHooks hooks;
    SolveIntoDocument(s, hooks, false);
    EXPECT_TRUE(sink.Finish());
    report.Index = s.Report.Index();
    return report;
}

// The same run with the whole text in memory.
std::string WholeText(const TaskSpec& task, std::int32_t mode, std::uint64_t limit = 0) {
    SolveState s = MakeState(task, mode);
    s.ReportLimit = limit;
    SilentHooks hooks;
    SolveIntoDocument(s, hooks, false);
    return s.Report.Text();
}

std::filesystem::path WriteReportFile(const std::string& bytes, const char* name) {
    const auto path = std::filesystem::path(::testing::TempDir()) / name;
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string Encoded(const char* utf8) { return EncodeWindows1251(utf8); }

// The navigator's line of the last section, whatever parts it was cut into.
std::string LastSectionLabel(const ReportLayout& layout) {
    for (auto entry = layout.Entries.rbegin(); entry != layout.Entries.rend(); ++entry) {
        if (!entry->Part) return entry->Label;
    }
    return {};
}

TEST(ReportStream, WritesTheBytesOfTheWholeTextAndHoldsLittle) {
    const struct {
        TaskSpec Task;
        std::int32_t Mode;
    } runs[] = {{GridTask(4), kSolveModeChecking}, {GridTask(6), kSolveModeDetailed},
                {GridTask(16), kSolveModeDetailed}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.Task.Name);
        const StreamedReport streamed = Stream(run.Task, run.Mode);
        ASSERT_EQ(streamed.Bytes, EncodeWindows1251(WholeText(run.Task, run.Mode)));
        EXPECT_LE(streamed.LargestPiece, std::size_t{2} << 20);  // held back: about a megabyte
    }
    EXPECT_GT(Stream(GridTask(16), kSolveModeDetailed).Bytes.size(), std::size_t{3} << 19);
}

TEST(ReportIndex, PointsAtTheSectionsInTheStoredBytes) {
    const StreamedReport report = Stream(GridTask(8), kSolveModeDetailed);
    const ReportIndex& index = report.Index;
    EXPECT_EQ(index.BodyBegin, EncodeWindows1251(kReportHead).size());
    EXPECT_EQ(report.Bytes.substr(index.BodyEnd), "</body></html>");
    unsigned stages = 0;
    for (const ReportSection& section : index.Sections) {
        if (section.Kind != ReportSectionKind::Stage) continue;
        EXPECT_EQ(section.Stage, ++stages);
        const std::string header = Format(kStageHeader, section.Stage);
        const std::string stored = Encoded(header.c_str());
        EXPECT_EQ(report.Bytes.substr(section.Offset, stored.size()), stored);
        if (&section != &index.Sections[index.Sections.size() - 2]) {
            EXPECT_TRUE(section.HasObjective);  // every stage but the last moves the plan
        }
    }
    EXPECT_GE(stages, 3u);
    const ReportSection& answer = index.Sections.back();
    ASSERT_EQ(answer.Kind, ReportSectionKind::Answer);
    const std::string finalF = Encoded(Format("Целевая функция F= %lld", static_cast<long long>(answer.ObjectiveF)).c_str());
    EXPECT_NE(report.Bytes.find(finalF, answer.Offset), std::string::npos);
}

// Catches pages that lose or repeat a piece of the report, or cut a stage that fits a page. A
// checking run's first plan is an empty section at the answer's offset: it once made the answer
// appear twice, once under each name.
TEST(LayOutReport, SplitsAtSectionStartsAndThePagesTogetherGiveTheBody) {
    const struct {
        TaskSpec Task;
        std::int32_t Mode;
        int Stages;
    } runs[] = {{GridTask(16), kSolveModeDetailed, 10}, {GridTask(60), kSolveModeChecking, 1}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.Task.Name);
        const StreamedReport report = Stream(run.Task, run.Mode);
        const auto path = WriteReportFile(report.Bytes, "kargolo-pages.html");
        const ReportLayout layout = LayOutReport(report.Index, report.Bytes.size(), {0, 300u << 10});
        ASSERT_GT(layout.Pages.size(), 2u);
        std::string body;
        const std::string head = report.Bytes.substr(0, report.Index.BodyBegin);
        for (const ReportPage& page : layout.Pages) {
            body += report.Bytes.substr(page.Begin, page.End - page.Begin);
            bool atSection = false;
            for (const ReportSection& section : report.Index.Sections) atSection = atSection || section.Offset == page.Begin;
            bool atBreak = false;
            for (const ReportBreak& cut : report.Index.Breaks) atBreak = atBreak || cut.Offset == page.Begin;
            EXPECT_TRUE(atSection || atBreak) << page.Begin;
            std::string document;
            ASSERT_TRUE(ReadPage(path, page, document));
            EXPECT_EQ(document.rfind(head, 0), 0u);
            EXPECT_EQ(document.substr(document.size() - 14), "</body></html>");
        }
        EXPECT_EQ(body, report.Bytes.substr(report.Index.BodyBegin,
                                            report.Index.BodyEnd - report.Index.BodyBegin));
        int stageEntries = 0;
        for (const NavigatorEntry& entry : layout.Entries) stageEntries += entry.Stage ? 1 : 0;
        EXPECT_GE(stageEntries, run.Stages);
    }
}

// A 60x60 plan is one table larger than a page: its pages are parts named alike, whose hints
// give their row ranges, and each repeats the table's header rows and closes the table.
TEST(LayOutReport, CutsALongTableByRowsRepeatingItsHeader) {
    const StreamedReport report = Stream(GridTask(60), kSolveModeChecking);
    const auto path = WriteReportFile(report.Bytes, "kargolo-table.html");
    const ReportLayout layout = LayOutReport(report.Index, report.Bytes.size(), {0, 300u << 10});
    ASSERT_GE(layout.Pages.size(), 3u);
    const std::string header = Encoded("<td rowspan=2 align=center valign=middle>Поставщик</td>");
    std::vector<std::string> hints;
    for (const NavigatorEntry& entry : layout.Entries) {
        if (!entry.Part) continue;
        EXPECT_EQ(entry.Label, Format("часть %zu", hints.size() + 1));
        hints.push_back(entry.Hint);
    }
    ASSERT_GE(hints.size(), 3u);
    EXPECT_EQ(hints.front().rfind(Format("Ответ, часть 1 из %zu: строки 1–", hints.size()), 0), 0u) << hints.front();
    EXPECT_NE(hints.back().find("–60"), std::string::npos) << hints.back();
    for (const ReportPage& page : layout.Pages) {
        if (page.StartsInTable < 0 && page.EndsInTable < 0) continue;
        std::string document;
        ASSERT_TRUE(ReadPage(path, page, document));
        EXPECT_NE(document.find(header), std::string::npos);
        EXPECT_EQ(document.find("<P><table"), document.rfind("<P><table"));  // one table
        EXPECT_NE(document.find("</tr></table>", document.rfind("<tr")), std::string::npos);
    }
}

// The navigator used to list an unsolvable task as "Ответ, F = 135" and a stopped run as
// "Ответ, F = 635", which a student reads as answers.
TEST(LayOutReport, NamesTheEndOfARunThatFoundNoOptimumForWhatItIs) {
    class StopAtStage : public SilentHooks {
    public:
        explicit StopAtStage(unsigned last) : m_last(last) {}
        StageAnswer BeforeStage(SolveState&, unsigned stage, bool) override {
            return {stage == m_last ? StageDecision::Abort : StageDecision::Continue, false};
        }

    private:
        unsigned m_last;
    };
    const auto answerLabel = [](const TaskSpec& task, std::int32_t mode, SolveHooks& hooks) {
        SolveState s = MakeState(task, mode);
        SolveIntoDocument(s, hooks, false);
        const ReportLayout layout = LayOutReport(s.Report.Index(), s.Report.Text().size(), {0, 1024});
        const std::string& pageTitle = layout.Pages.back().Title;  // what the print dialog names
        EXPECT_EQ(pageTitle.find("ответ"), std::string::npos) << pageTitle;
        return LastSectionLabel(layout);
    };
    SilentHooks silent;
    StopAtStage stopAt3(3);
    StopAtStage stopAt2(2);
    const TaskSpec blocked{"blocked", {10, 10}, {10, 10}, {1, 2, 3, 4}, {5, 0, 0, 5}};
    EXPECT_EQ(answerLabel(GridTask(6), kSolveModeStepwise, stopAt3), "Решение прервано на этапе 3");
    EXPECT_EQ(answerLabel(blocked, kSolveModeStepwise, stopAt2), "Решение прервано на этапе 2");
    EXPECT_EQ(answerLabel(blocked, kSolveModeDetailed, silent), "Задача неразрешима");
    SolveState s = MakeState(GridTask(6), kSolveModeChecking);
    SolveIntoDocument(s, silent, false);
    const ReportLayout layout = LayOutReport(s.Report.Index(), s.Report.Text().size(), {0, 1024});
    EXPECT_EQ(LastSectionLabel(layout).rfind("Ответ, F = ", 0), 0u);
    EXPECT_NE(layout.Pages.back().Title.find("ответ"), std::string::npos);
}

TEST(AssembleEditedReport, KeepsEditsOfTwoPagesAndCopiesAnUneditedReportExactly) {
    const StreamedReport report = Stream(GridTask(12), kSolveModeDetailed);
    const auto path = WriteReportFile(report.Bytes, "kargolo-edits.html");
    const ReportLayout layout = LayOutReport(report.Index, report.Bytes.size(), {0, 200u << 10});
    ASSERT_GE(layout.Pages.size(), 3u);
    auto assemble = [&](const std::map<int, std::string>& edits) {
        std::string out;
        EXPECT_TRUE(AssembleEditedReport(path, layout, edits, [&out](std::string_view bytes) {
            out.append(bytes);
            return true;
        }));
        return out;
    };
    EXPECT_EQ(assemble({}), report.Bytes);
    const int last = static_cast<int>(layout.Pages.size()) - 1;
    const std::string saved = assemble({{0, "<p>first page edited</p>"}, {last, "<p>last page edited</p>"}});
    EXPECT_EQ(saved.rfind(report.Bytes.substr(0, report.Index.BodyBegin) + "<p>first page edited</p>", 0), 0u);
    EXPECT_NE(saved.find("<p>last page edited</p></body></html>"), std::string::npos);
    const ReportPage& middle = layout.Pages[1];
    EXPECT_NE(saved.find(report.Bytes.substr(middle.Begin, middle.End - middle.Begin)), std::string::npos);
}

// Catches a report that grows without bound, and a cut course that loses the answer.
TEST(ReportLimit, StopsWritingTheCourseButNotTheAnswer) {
    const TaskSpec task = GridTask(10);
    const std::string whole = WholeText(task, kSolveModeDetailed);
    const std::string cut = WholeText(task, kSolveModeDetailed, 40u << 10);
    ASSERT_GT(whole.size(), 4 * cut.size() / 3);
    const std::size_t line = cut.find("Отчет достиг предельного размера");
    ASSERT_NE(line, std::string::npos);
    EXPECT_EQ(cut.find("Отчет достиг", line + 1), std::string::npos);
    EXPECT_EQ(cut.find("<b>Этап", line), std::string::npos);  // no stage header after the line
    const std::string stage = cut.substr(line, cut.find("</p>", line) - line);
    EXPECT_NE(stage.find("начиная с этапа "), std::string::npos);
    // The answer, from its closing text to the end, is the same as without a limit.
    const std::string answer = "то полученный план является оптимальным";
    const auto tail = [&answer](const std::string& text) { return text.substr(text.rfind(answer)); };
    ASSERT_NE(whole.rfind(answer), std::string::npos);
    EXPECT_EQ(tail(cut), tail(whole));
}

}  // namespace
}  // namespace kargolo::testing
