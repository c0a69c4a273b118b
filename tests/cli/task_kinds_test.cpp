#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "documents/utf8_path.h"
#include "documents/windows1251.h"
#include "tests/cli/cli_run.h"
#include "tests/support/docx_reader.h"

namespace kargolo::testing {
namespace {

std::string Kind(const char* name) { return Utf8FromPath(kSource / "examples" / "kinds" / name); }

// A folder of its own for the files a test writes.
class TaskKindFiles : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::filesystem::temp_directory_path() / (std::string("kargolo-kinds-") + info->name());
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string Write(const char* name, const std::string& bytes) const {
        std::ofstream(m_folder / name, std::ios::binary) << bytes;
        return Path(name);
    }
    std::string Path(const char* name) const { return Utf8FromPath(m_folder / name); }

    std::filesystem::path m_folder;
};

// Whole documents, byte for byte (windows-1251). KARGOLO_UPDATE_GOLDEN=1 rewrites them; read
// every change by eye.
TEST(TaskKinds, WriteTheGoldenReports) {
    const struct {
        const char* Golden;
        std::vector<std::string> Args;
    } cases[] = {
        {"time-detailed.html", {"--kind", "time", Kind("time-3x3.csv")}},
        {"time-limits-stepwise.html",
         {"--kind", "time", "--limits", "--mode", "stepwise", Kind("time-limits-3x3.csv")}},
        {"time-checking-vogel.html",
         {"--kind", "time", "--mode", "checking", "--plan", "vogel", Kind("time-3x3.csv")}},
        {"assignment-detailed.html", {"--kind", "assignment", Kind("assignment-4x4.csv")}},
        {"assignment-max-detailed.html",
         {"--kind", "assignment", "--maximize", Kind("assignment-3x4.csv")}},
        {"assignment-checking.html",
         {"--kind", "assignment", "--mode", "checking", Kind("assignment-4x4.csv")}},
    };
    const bool update = std::getenv("KARGOLO_UPDATE_GOLDEN") != nullptr;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Golden);
        const CliRun run = RunCli(c.Args);
        ASSERT_EQ(run.Status, kExitSolved) << run.Err;
        const auto path = kSource / "tests" / "golden" / c.Golden;
        if (update) std::ofstream(path, std::ios::binary) << run.Out;
        EXPECT_EQ(run.Out, ReadBytes(path));
    }
}

TEST_F(TaskKindFiles, WriteTheOutcomeAsJsonToAFileOrToTheStandardOutput) {
    const CliRun time = RunCli({"--kind", "time", Kind("time-3x3.csv"), "-o", Path("time.html"),
                                "--json", Path("time.json")});
    ASSERT_EQ(time.Status, kExitSolved) << time.Err;
    EXPECT_EQ(time.Out, "");
    EXPECT_EQ(ReadBytes(m_folder / "time.json"),
              "{\"kind\": \"time\", \"goal\": \"min\", \"status\": \"optimal\", \"objective\": 9, "
              "\"plan\": [[0, 0, 20], [0, 20, 10], [30, 20, 0]], \"stages\": 2}\n");
    EXPECT_EQ(ReadBytes(m_folder / "time.html"), RunCli({"--kind", "time", Kind("time-3x3.csv")}).Out);

    const CliRun assignment = RunCli({"--kind", "assignment", "--maximize", Kind("assignment-3x4.csv"),
                                      "-o", Path("a.html"), "--json", "-"});
    ASSERT_EQ(assignment.Status, kExitSolved) << assignment.Err;
    EXPECT_EQ(assignment.Out,
              "{\"kind\": \"assignment\", \"goal\": \"max\", \"status\": \"optimal\", \"objective\": 19, "
              "\"plan\": [[1, 0, 0, 0], [0, 1, 0, 0], [0, 0, 1, 0]], \"stages\": 1}\n");

    const std::string blocked = Write("blocked.csv", "1;M\n2;M\n");
    const CliRun unsolvable = RunCli({"--kind", "assignment", blocked, "-o", Path("b.html"), "--json", "-"});
    EXPECT_EQ(unsolvable.Status, kExitSolved);
    EXPECT_NE(unsolvable.Out.find("\"status\": \"unsolvable\""), std::string::npos);
}

TEST_F(TaskKindFiles, SolveTheKindThatTheFileNames) {
    const std::string time = Write("time.csv", "вид;критерий времени\n" + ReadBytes(Kind("time-3x3.csv")));
    EXPECT_EQ(RunCli({time}).Out, RunCli({"--kind", "time", Kind("time-3x3.csv")}).Out);
    EXPECT_TRUE(RunCli({"--compare", "--csv", time}).Out.starts_with("опорный план;T опорного плана;"));

    const std::string matrix = ReadBytes(Kind("assignment-3x4.csv"));
    const std::string assignment = Write("a.csv", "вид;назначения\nцель;максимум\n" + matrix);
    const CliRun named = RunCli({assignment});
    ASSERT_EQ(named.Status, kExitSolved) << named.Err;
    EXPECT_EQ(named.Out, RunCli({"--kind", "assignment", "--maximize", Kind("assignment-3x4.csv")}).Out);
    EXPECT_EQ(RunCli({"--kind", "assignment", assignment}).Out, named.Out);
    EXPECT_EQ(RunCli({"--compare", assignment}).Status, kExitUsage);

    // --kind transport solves the tables as an ordinary task.
    const CliRun plain = RunCli({"--kind", "transport", time, "-o", Path("t.html"), "--json", "-"});
    EXPECT_EQ(plain.Out.rfind("{\"kind\": \"transport\"", 0), 0u) << plain.Out << plain.Err;
}

TEST(TaskKinds, RefuseOptionsThatDoNotGoWithTheKind) {
    const struct {
        std::vector<std::string> Args;
        const char* Message;
    } cases[] = {
        {{"--kind", "assignment", "--plan", "vogel", "m.csv"}, "Параметры --plan и --kind assignment не сочетаются."},
        {{"--kind", "assignment", "--limits", "m.csv"}, "Параметры --limits и --kind assignment не сочетаются."},
        {{"--kind", "time", "--method", "distributive", "t.csv"}, "Параметры --method и --kind time не сочетаются."},
        {{"--kind", "time", "--maximize", "t.csv"}, "Параметры --maximize и --kind time не сочетаются."},
        {{"--kind", "times", "t.csv"}, "Недопустимое значение параметра --kind: times"},
        {{"--kind"}, "Параметр --kind требует значения."},
        {{"--kind", "time", "t.csv", "--json"}, "Параметр --json требует значения."},
        {{"--kind", "time", "--check", "p.csv", "t.csv"}, "Параметры --check и --kind time не сочетаются."},
        {{"--kind", "assignment", "--stated-f", "3", "m.csv"},
         "Параметры --stated-f и --kind assignment не сочетаются."},
        {{"--generate", "2", "--size", "3x3", "--kind", "time", "--sheets", "--out", "x"},
         "Параметры --sheets и --kind time не сочетаются."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        const CliRun run = RunCli(c.Args);
        EXPECT_EQ(run.Status, kExitUsage);
        EXPECT_EQ(run.Err.rfind(c.Message, 0), 0u) << run.Err;
    }
}

// Every fault names its line and column; nothing is written over the report that was there.
TEST_F(TaskKindFiles, RefuseABadMatrixWithItsLineAndColumn) {
    const struct {
        const char* Bytes;
        const char* Message;
    } cases[] = {
        {"", "Строка 1, столбец 1: в файле нет матрицы."},
        {"# только комментарий\n\n", "Строка 1, столбец 1: в файле нет матрицы."},
        {"1;2;3\n4;5\n", "Строка 2, столбец 3: в каждой строке матрицы должно быть 3 значений, как в первой."},
        {"1;2\n3;4;5\n", "Строка 2, столбец 3: в каждой строке матрицы должно быть 2 значений, как в первой."},
        {"1;2\r\n3;x\r\n", "Строка 2, столбец 2: \"x\" - не целое число и не M."},
        {"1;;2\n", "Строка 1, столбец 2: пустое значение."},
        {"1;9999999999\n", "Строка 1, столбец 2: число \"9999999999\" не помещается в 32 бита: допустимы числа "
                           "от -2147483648 до 2147483647."},
        {"\x01\x02\xff;\x80\n", "Строка 1, столбец 1: \"\x01\x02я\" - не целое число и не M."},
    };
    const std::string report = Write("report.html", "earlier report");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        const CliRun run = RunCli({"--kind", "assignment", Write("m.csv", c.Bytes), "-o", report});
        EXPECT_EQ(run.Status, kExitInputError);
        EXPECT_EQ(run.Err, std::string(c.Message) + "\n");
        EXPECT_EQ(ReadBytes(report), "earlier report");
    }
    std::string wide;
    for (int k = 0; k <= 2000; ++k) wide += k == 0 ? "1" : ";1";
    CliRun run = RunCli({"--kind", "assignment", Write("wide.csv", wide + "\n")});
    EXPECT_EQ(run.Err, "Строка 1, столбец 2001: в строке матрицы больше 2000 значений.\n");
    run = RunCli({"--kind", "assignment", Utf8FromPath(kSource / "examples" / "tables" / "closed-3x4.tab")});
    EXPECT_EQ(run.Status, kExitInputError);
    EXPECT_NE(run.Err.find("из текстового файла (.csv)"), std::string::npos);
}

TEST_F(TaskKindFiles, RefuseANegativeTimeAndAJsonFileThatIsTheTask) {
    const std::string task = Write("t.csv", "1;-2;10\n3;4;10\n10;10\n");
    CliRun run = RunCli({"--kind", "time", task});
    EXPECT_EQ(run.Status, kExitInputError);
    EXPECT_EQ(run.Err, "Время перевозки в клетке (1,2) отрицательно (-2). Время не может быть отрицательным.\n");
    EXPECT_EQ(run.Out, "");

    const std::string matrix = Write("m.csv", "1;2\n3;4\n");
    run = RunCli({"--kind", "assignment", matrix, "-o", Path("m.html"), "--json", matrix});
    EXPECT_EQ(run.Status, kExitInputError);
    EXPECT_EQ(run.Err, "Файл итога решения совпадает с файлом задачи, плана или отчета: " + matrix + "\n");
    EXPECT_EQ(ReadBytes(m_folder / "m.csv"), "1;2\n3;4\n");
}

TEST_F(TaskKindFiles, GenerateBothKindsWithTheirKeysAndCompareTheRulesOfTheTimeCriterion) {
    CliRun run = RunCli({"--generate", "2", "--size", "3x4", "--kind", "assignment", "--maximize",
                         "--forbidden", "20", "--seed", "9", "--out", Path("a")});
    ASSERT_EQ(run.Status, kExitSolved) << run.Err;
    const std::string answers = ReadBytes(m_folder / "a" / "answers.csv");
    EXPECT_EQ(answers.rfind("\xEF\xBB\xBF" "файл;цель;оптимум;назначение;этапов\nvariant-01.csv;максимум;", 0), 0u);
    const CliRun solved = RunCli({"--kind", "assignment", "--maximize", Path("a/variant-02.csv"), "-o",
                                  Path("a/variant-02.html"), "--json", "-"});
    const std::size_t objective = solved.Out.find("\"objective\": ");
    ASSERT_NE(objective, std::string::npos) << solved.Err;
    const std::string total = solved.Out.substr(objective + 13, solved.Out.find(',', objective) - objective - 13);
    EXPECT_NE(answers.find("variant-02.csv;максимум;" + total + ";"), std::string::npos) << answers;

    run = RunCli({"--generate", "2", "--size", "3x3", "--kind", "time", "--seed", "9", "--out", Path("t")});
    ASSERT_EQ(run.Status, kExitSolved) << run.Err;
    EXPECT_TRUE(std::filesystem::exists(m_folder / "t" / "variant-02.tab"));
    EXPECT_NE(ReadBytes(m_folder / "t" / "answers.csv").find(";T минимальное;"), std::string::npos);

    run = RunCli({"--kind", "time", "--compare", "--csv", Kind("time-3x3.csv")});
    ASSERT_EQ(run.Status, kExitSolved) << run.Err;
    EXPECT_EQ(run.Out.substr(0, run.Out.find('\n')), "опорный план;T опорного плана;этапов;T минимальное;время, мс");
    EXPECT_NE(run.Out.find("Метод северо-западного угла;10;2;9;"), std::string::npos);

    EXPECT_EQ(RunCli({"--kind", "assignment", "--forbidden", "5", Kind("assignment-4x4.csv")}).Status, kExitUsage);
    EXPECT_EQ(RunCli({"--generate", "2", "--size", "3x3", "--kind", "time", "--unique", "--out", Path("u")}).Status,
              kExitUsage);
}

// The Word document of a report of either kind holds the report's words and cells, whether the
// report goes to a file too or nowhere else; a plan is checked in a transportation task only.
TEST_F(TaskKindFiles, WriteWordDocumentsButCheckNoPlanOfAnotherKind) {
    for (const char* kind : {"time", "assignment"}) {
        SCOPED_TRACE(kind);
        const std::string task = Kind(std::string(kind) == "time" ? "time-3x3.csv" : "assignment-4x4.csv");
        const CliRun both = RunCli({"--kind", kind, task, "-o", Path("r.html"), "--docx", Path("r.docx")});
        ASSERT_EQ(both.Status, kExitSolved) << both.Err;
        const std::string report = DecodeWindows1251(ReadBytes(m_folder / "r.html"));
        const DocxText text = ReadDocxText(ReadBytes(m_folder / "r.docx"));
        ASSERT_EQ(text.Error, "");
        EXPECT_EQ(Words(text.Body), WordsOfHtml(report));
        EXPECT_EQ(BodyTableCells(text.Body), HtmlTableCells(report));
        const CliRun alone = RunCli({"--kind", kind, task, "--docx", Path("alone.docx"), "--json", "-"});
        ASSERT_EQ(alone.Status, kExitSolved) << alone.Err;
        EXPECT_TRUE(alone.Out.starts_with("{\"kind\": ")) << alone.Out;  // the outcome only, no report
        EXPECT_EQ(ReadBytes(m_folder / "alone.docx"), ReadBytes(m_folder / "r.docx"));
    }
    const CliRun compared = RunCli({"--kind", "time", "--compare", Kind("time-3x3.csv"), "--docx", Path("c.docx")});
    ASSERT_EQ(compared.Status, kExitSolved) << compared.Err;
    EXPECT_EQ(compared.Out, "");
    EXPECT_NE(Words(ReadDocxText(ReadBytes(m_folder / "c.docx")).Body), std::vector<std::string>());

    const std::string time = Write("time.csv", "вид;критерий времени\n" + ReadBytes(Kind("time-3x3.csv")));
    const std::string plan = Write("plan.csv", "0;0;20\n0;20;10\n30;20;0\n");
    const CliRun checked = RunCli({time, "--check", plan});
    EXPECT_EQ(checked.Status, kExitInputError);
    EXPECT_EQ(checked.Err, "План проверяется только в транспортной задаче, не в задаче по критерию времени и не в "
                           "задаче о назначениях.\n");
    EXPECT_EQ(checked.Out, "");
}

}  // namespace
}  // namespace kargolo::testing
