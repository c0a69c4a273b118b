#include <gtest/gtest.h>

#include "documents/assignment_file.h"
#include "documents/table_file.h"
#include "documents/task_editing.h"
#include "documents/text_task_file.h"

namespace kargolo::testing {
namespace {

std::string ReadText(std::string_view text, TableFileContents& contents) { return ParseTextTask(text, contents); }

TaskGrids TimeTask() {
    TaskGrids g = NewTaskGrids(2, 3, TaskKind::Time);
    const char* times[2][3] = {{"4", "M", "9"}, {"7", "2", "5"}};
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 3; ++j) g.Tarif.At(j + 1, i + 1) = times[i][j];
    }
    g.Restriction.At(2, 2) = "6";
    const char* rims[] = {"30", "20", "10", "25", "15"};
    for (TextGrid* grid : {&g.Tarif, &g.Restriction, &g.Mandatory}) {
        grid->At(4, 1) = rims[0];
        grid->At(4, 2) = rims[1];
        for (int j = 1; j <= 3; ++j) grid->At(j, 3) = rims[j + 1];
    }
    return g;
}

TaskGrids AssignmentTaskGrids() {
    AssignmentTask task;
    task.Rows = 2;
    task.Columns = 3;
    task.Values = {5, 0, -3, 8, 2, 1};
    task.Forbidden = {0, 1, 0, 0, 0, 0};
    task.Maximise = true;
    return AssignmentGrids(task);
}

TEST(TaskKindFiles, TextFilesNameTheKindOnTheirFirstLineAndReadBackTheSame) {
    for (const TaskGrids& grids : {TimeTask(), AssignmentTaskGrids()}) {
        const std::string text = SerializeTextTask(grids);
        TableFileContents read;
        ASSERT_EQ(ReadText(text, read), "") << text;
        EXPECT_EQ(read.Grids, grids) << text;
        EXPECT_EQ(SerializeTextTask(read.Grids), text);
    }
    EXPECT_TRUE(SerializeTextTask(TimeTask()).starts_with("вид;критерий времени\n4;M;9;30\n"));
    EXPECT_EQ(SerializeTextTask(AssignmentTaskGrids()), "вид;назначения\nцель;максимум\n5;M;-3\n8;2;1\n");

    TableFileContents read;
    ASSERT_EQ(ReadText("\xEF\xBB\xBF\"Вид\";\"Назначения\"\r\n1;2\r\n3;4\r\n", read), "");
    EXPECT_EQ(read.Grids.Kind, TaskKind::Assignment);
    EXPECT_EQ(read.Grids.Tarif.At(0, 1), "исполнитель A1");
    EXPECT_EQ(read.Grids.Tarif.At(2, 0), "работа B2");
    EXPECT_EQ(read.Grids.Tarif.At(3, 1), "1");
    ASSERT_EQ(ReadText("вид;транспортная\n1;2;5\n3;4;5\n5;5\n", read), "");
    EXPECT_EQ(read.Grids.Kind, TaskKind::Transport);
}

TEST(TaskKindFiles, TheMatrixReaderTakesATaskFileOfTheAssignment) {
    AssignmentTask task;
    ASSERT_EQ(ParseAssignmentMatrix(SerializeTextTask(AssignmentTaskGrids()), task), "");
    EXPECT_TRUE(task.Maximise);
    EXPECT_EQ(task.Values, (std::vector<std::int32_t>{5, 0, -3, 8, 2, 1}));
    EXPECT_EQ(task.Forbidden, (std::vector<std::uint8_t>{0, 1, 0, 0, 0, 0}));
    AssignmentTask back;
    EXPECT_EQ(GridsToAssignment(AssignmentTaskGrids(), back), "");
    EXPECT_EQ(back.Values, task.Values);
}

TEST(TaskKindFiles, AFaultyKindLineIsNamedAndTheTaskKept) {
    const struct {
        const char* Text;
        const char* Message;
    } cases[] = {
        {"вид;оптимальная\n1;2;5\n3;4;5\n5;5\n",
         "Строка 1, столбец 2: после слова \"вид\" должно стоять \"транспортная\", \"критерий времени\" или "
         "\"назначения\"."},
        {"цель;минимум\nвид;критерий времени\n1;2;5\n3;4;5\n5;5\n",
         "Строка 2, столбец 1: строка вида задачи должна быть первой строкой файла."},
        {"1;2;5\n3;4;5\n5;5\nвид;назначения\n", "Строка 4, столбец 1: строка вида задачи должна быть первой строкой файла."},
        {"вид;назначения\n", "Строка 1, столбец 1: в файле нет матрицы."},
        {"вид;назначения\n1;2\n3\n", "Строка 3, столбец 2: в каждой строке матрицы должно быть 2 значений, как в первой."},
        {"вид;назначения\nцель;наибольшая\n1;2\n", "Строка 2, столбец 2: после слова \"цель\" должно стоять \"максимум\" или \"минимум\"."},
    };
    for (const auto& c : cases) {
        TableFileContents contents;
        contents.Grids = NewTaskGrids(2, 2);
        const TaskGrids before = contents.Grids;
        EXPECT_EQ(ReadText(c.Text, contents), c.Message) << c.Text;
        EXPECT_EQ(contents.Grids, before);
    }
}

TEST(TaskKindFiles, TablesKeepTheKindInTheVariantBlockThatOldReadersLeaveAlone) {
    for (const TaskGrids& grids : {TimeTask(), AssignmentTaskGrids()}) {
        const std::vector<std::uint8_t> bytes = SerializeTableFile(grids);
        TableFileContents read;
        ASSERT_TRUE(ParseTableFile(bytes, read).Ok());
        EXPECT_EQ(read.Grids, grids);
        // A reader of the older forms stops after the capacity flags: the same tables, as an
        // ordinary transportation task.
        const std::size_t m = static_cast<std::size_t>(grids.Suppliers());
        const std::size_t n = static_cast<std::size_t>(grids.Consumers());
        const std::size_t flagsEnd = 8 + 4 * (m + n + 3 * m * n);
        const std::vector<std::uint8_t> old(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(flagsEnd));
        TableFileContents plain;
        ASSERT_TRUE(ParseTableFile(old, plain).Ok());
        EXPECT_EQ(plain.Grids.Kind, TaskKind::Transport);
        for (std::size_t i = 1; i <= m; ++i) {
            for (std::size_t j = 1; j <= n + 1; ++j) {
                const std::string& text = grids.Tarif.At(static_cast<int>(j), static_cast<int>(i));
                if (text != "M") {
                    EXPECT_EQ(plain.Grids.Tarif.At(static_cast<int>(j), static_cast<int>(i)), text);
                }
            }
        }
        // Every cut of the block and an unknown kind are refused, never read as something else.
        for (std::size_t cut = flagsEnd + 4; cut < bytes.size(); ++cut) {
            TableFileContents cutRead;
            EXPECT_EQ(ParseTableFile(std::span(bytes.data(), cut), cutRead).Status, TableFileStatus::ReadError) << cut;
        }
        std::vector<std::uint8_t> unknown = bytes;
        unknown[unknown.size() - 4] = 3;
        EXPECT_EQ(ParseTableFile(unknown, read).Status, TableFileStatus::ReadError);
    }
}

TEST(TaskKindFiles, EditingAnAssignmentKeepsItsRimsAndCaptions) {
    TaskGrids grids = AssignmentTaskGrids();
    InsertSupplier(grids, 2);
    InsertConsumer(grids, 1);
    Transpose(grids);
    EXPECT_EQ(grids.Kind, TaskKind::Assignment);
    for (int i = 1; i <= grids.Suppliers(); ++i) EXPECT_EQ(grids.Tarif.At(grids.Consumers() + 1, i), "1");
    for (int j = 1; j <= grids.Consumers(); ++j) EXPECT_EQ(grids.Tarif.At(j, grids.Suppliers() + 1), "1");
    EXPECT_EQ(grids.Tarif.At(0, 4), "исполнитель A4");
    PasteTask(grids, "1\t2\t3\n4\t5\t6\n");
    EXPECT_EQ(grids.Suppliers(), 2);
    EXPECT_EQ(grids.Consumers(), 3);
    EXPECT_EQ(grids.Tarif.At(3, 2), "6");
    EXPECT_EQ(grids.Tarif.At(4, 2), "1");
}

}  // namespace
}  // namespace kargolo::testing
