#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/cli/cli_run.h"
#include "tests/support/docx_reader.h"

namespace kargolo::testing {
namespace {

std::filesystem::path Folder(const char* name) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

// The Word document holds the report's words and cells; the report itself goes only where -o
// says, and the document never over the task or the report.
TEST(RunSolverDocx, WritesTheReportAsAWordDocument) {
    const auto folder = Folder("kargolo-cli-docx");
    const auto docx = Utf8FromPath(folder / "отчет.docx");
    const auto html = Utf8FromPath(folder / "report.html");
    const std::string task = Table("capacity-limits-3x4.tab");
    const CliRun alone = RunCli({"--limits", "--estimates", "both", "--docx", docx, task});
    ASSERT_EQ(alone.Status, kExitSolved) << alone.Err;
    EXPECT_EQ(alone.Out, "");
    const std::string first = ReadBytes(PathFromUtf8(docx));
    const CliRun both =
        RunCli({"--limits", "--estimates", "both", "--docx", docx, "-o", html, task});
    ASSERT_EQ(both.Status, kExitSolved) << both.Err;
    EXPECT_EQ(ReadBytes(PathFromUtf8(docx)), first);
    const std::string report = Utf8(ReadBytes(PathFromUtf8(html)));
    const DocxText text = ReadDocxText(first);
    ASSERT_EQ(text.Error, "");
    EXPECT_EQ(Words(text.Body), WordsOfHtml(report));
    EXPECT_EQ(BodyTableCells(text.Body), HtmlTableCells(report));

    const std::string taskBytes = ReadBytes(PathFromUtf8(task));
    const CliRun onTask = RunCli({"--plan-only", "--docx", task, task});
    EXPECT_EQ(onTask.Status, kExitInputError);
    EXPECT_EQ(onTask.Err,
              "Файл документа Word совпадает с файлом задачи, плана или отчета: " + task + "\n");
    EXPECT_EQ(ReadBytes(PathFromUtf8(task)), taskBytes);
    const CliRun onReport = RunCli({"--plan-only", "--docx", html, "-o", html, task});
    EXPECT_EQ(onReport.Status, kExitInputError);
    EXPECT_TRUE(Utf8(ReadBytes(PathFromUtf8(html))).starts_with("<html>"));
    const CliRun nowhere =
        RunCli({"--plan-only", "--docx", Utf8FromPath(folder / "no" / "r.docx"), task});
    EXPECT_EQ(nowhere.Status, kExitInputError);
    EXPECT_EQ(nowhere.Err, "Ошибка открытия выходного файла решения.\n");
    std::filesystem::remove_all(folder);
}

TEST(RunSolverDocx, WritesTheComparisonButNotItsCsv) {
    const auto folder = Folder("kargolo-cli-docx-compare");
    const auto docx = Utf8FromPath(folder / "compare.docx");
    const auto html = Utf8FromPath(folder / "compare.html");
    const CliRun run = RunCli({"--compare", "--docx", docx, "-o", html, Table("closed-3x4.tab")});
    ASSERT_EQ(run.Status, kExitSolved) << run.Err;
    const DocxText text = ReadDocxText(ReadBytes(PathFromUtf8(docx)));
    ASSERT_EQ(text.Error, "");
    EXPECT_EQ(Words(text.Body), WordsOfHtml(Utf8(ReadBytes(PathFromUtf8(html)))));
    const CliRun csv = RunCli({"--compare", "--csv", "--docx", docx, Table("closed-3x4.tab")});
    EXPECT_EQ(csv.Status, kExitUsage);
    EXPECT_TRUE(csv.Err.starts_with("Параметры --csv и --docx не сочетаются."));
    std::filesystem::remove_all(folder);
}

// A teacher's set of 25 variants of 10 x 10 tasks with limits and a single optimum each: the
// tasks, the answers and both documents to print, whose Word form holds the words of the HTML.
TEST(RunSolverSheets, WritesTheVariantsAndTheKeyToPrint) {
    const auto folder = Folder("kargolo-cli-sheets");
    const std::string out = Utf8FromPath(folder / "set");
    const CliRun run = RunCli({"--generate", "25", "--size", "10x10", "--limits", "40", "--unique",
                               "--seed", "11", "--sheets", "--out", out});
    ASSERT_EQ(run.Status, kExitSolved) << run.Err;
    EXPECT_TRUE(std::filesystem::exists(folder / "set" / "variant-25.tab"));
    for (const char* name : {"variants", "key"}) {
        SCOPED_TRACE(name);
        const std::string html = Utf8(ReadBytes(folder / "set" / (std::string(name) + ".html")));
        const DocxText text =
            ReadDocxText(ReadBytes(folder / "set" / (std::string(name) + ".docx")));
        ASSERT_EQ(text.Error, "");
        EXPECT_EQ(Words(text.Body), WordsOfHtml(html));
    }
    const std::string variants = Utf8(ReadBytes(folder / "set" / "variants.html"));
    EXPECT_NE(variants.find("<h2>Вариант 25</h2>"), std::string::npos);
    const CliRun without =
        RunCli({"--generate", "2", "--size", "3x3", "--out", Utf8FromPath(folder / "plain")});
    ASSERT_EQ(without.Status, kExitSolved);
    EXPECT_FALSE(std::filesystem::exists(folder / "plain" / "variants.html"));
    std::filesystem::remove_all(folder);
}

// A student's plan checked from the command line: the report, the verdict for scripts, and the
// refusals of plans and options that cannot be checked.
TEST(RunSolverCheck, ChecksAPlanFromAFile) {
    const auto folder = Folder("kargolo-cli-check");
    const std::string task = Table("closed-3x4.tab");
    const auto write = [&folder](const char* name, const char* text) {
        std::ofstream(folder / name, std::ios::binary) << text;
        return Utf8FromPath(folder / name);
    };
    // The optimum of the task (F = 445, degenerate), as a spreadsheet keeps it.
    const std::string optimum = write("optimum.csv", "20;10;0;0\r\n0;0;0;40\r\n0;25;25;0\r\n");
    const std::string json = Utf8FromPath(folder / "verdict.json");
    const CliRun right = RunCli({task, "--check", optimum, "--stated-f", "445", "--json", json});
    ASSERT_EQ(right.Status, kExitSolved) << right.Err;
    EXPECT_NE(Utf8(right.Out).find("Итог: план верен и оптимален."), std::string::npos);
    EXPECT_EQ(ReadBytes(PathFromUtf8(json)),
              "{\"balanced\": true, \"within-limits\": true, \"basic\": true, \"cost\": 445, "
              "\"stated-f-right\": true, \"optimal\": true, \"optimal-f\": 445, \"mistakes\": []}\n");
    // The north-west plan: a basic plan, but not the optimum.
    const std::string northWest = write("nw.csv", "20;10;;\n;25;15;\n;;10;40\n");
    const CliRun wrong = RunCli(
        {task, "--check", northWest, "--json", json, "--docx", Utf8FromPath(folder / "c.docx")});
    ASSERT_EQ(wrong.Status, kExitSolved) << wrong.Err;
    EXPECT_EQ(wrong.Out, "");  // the report went into the Word document
    EXPECT_NE(ReadBytes(PathFromUtf8(json)).find("\"optimal\": false, \"optimal-f\": 445"),
              std::string::npos);
    EXPECT_EQ(ReadDocxText(ReadBytes(folder / "c.docx")).Error, "");

    const CliRun shortPlan = RunCli({task, "--check", write("short.csv", "1;2;3;4\n")});
    EXPECT_EQ(shortPlan.Status, kExitInputError);
    EXPECT_EQ(shortPlan.Err,
              "Строка 2, столбец 1: в плане 1 строк, а нужно 3: по строке на поставщика.\n");
    EXPECT_EQ(RunCli({task, "--stated-f", "445"}).Status, kExitUsage);
    EXPECT_EQ(RunCli({task, "--check", optimum, "--stated-f", "4x5"}).Status, kExitUsage);
    EXPECT_EQ(RunCli({task, "--check", optimum, "--compare"}).Status, kExitUsage);
    EXPECT_EQ(RunCli({task, "--check", optimum, "--maximize"}).Status, kExitUsage);
    // The verdict to standard output, the report to its file.
    const CliRun toOut = RunCli({task, "--check", northWest, "--json", "-", "-o", Utf8FromPath(folder / "c.html")});
    ASSERT_EQ(toOut.Status, kExitSolved) << toOut.Err;
    EXPECT_EQ(toOut.Out.rfind("{\"balanced\": true,", 0), 0u) << toOut.Out;
    EXPECT_EQ(RunCli({task, "--check", northWest, "--json", "-"}).Status, kExitUsage);
    const std::string planBytes = ReadBytes(PathFromUtf8(optimum));
    const CliRun onPlan = RunCli({task, "--check", optimum, "--json", optimum});
    EXPECT_EQ(onPlan.Status, kExitInputError);
    EXPECT_EQ(ReadBytes(PathFromUtf8(optimum)), planBytes);
    std::filesystem::remove_all(folder);
}

// The outcome of a run as JSON goes to a file or to standard output, never over the task.
TEST(RunSolverJson, WritesTheOutcomeBesideTheReport) {
    const auto folder = Folder("kargolo-cli-json");
    const std::string task = Utf8FromPath(folder / "task.tab");
    std::filesystem::copy_file(PathFromUtf8(Table("closed-3x4.tab")), PathFromUtf8(task));
    const std::string json = Utf8FromPath(folder / "outcome.json");
    const CliRun run = RunCli({task, "--json", json, "--docx", Utf8FromPath(folder / "r.docx")});
    ASSERT_EQ(run.Status, kExitSolved) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(ReadBytes(PathFromUtf8(json)).find("\"status\": \"optimal\", \"objective\": 445,"), std::string::npos);
    const CliRun toOut = RunCli({task, "--json", "-", "-o", Utf8FromPath(folder / "r.html")});
    EXPECT_EQ(toOut.Out, ReadBytes(PathFromUtf8(json)));
    const std::string taskBytes = ReadBytes(PathFromUtf8(task));
    const CliRun onTask = RunCli({task, "--json", task, "-o", Utf8FromPath(folder / "r.html")});
    EXPECT_EQ(onTask.Status, kExitInputError);
    EXPECT_NE(onTask.Err.find("совпадает с файлом задачи"), std::string::npos) << onTask.Err;
    EXPECT_EQ(ReadBytes(PathFromUtf8(task)), taskBytes);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kargolo::testing
