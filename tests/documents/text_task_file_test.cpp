#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "documents/task_editing.h"
#include "documents/text_task_file.h"

namespace kargolo::testing {
namespace {

TableFileContents Read(std::string_view text) {
    TableFileContents contents;
    EXPECT_EQ(ParseTextTask(text, contents), "");
    return contents;
}

std::string Fault(std::string_view text) {
    TableFileContents contents;
    contents.Grids = MakeTaskGrids(2, 2);
    const TableFileContents before = contents;
    const std::string message = ParseTextTask(text, contents);
    EXPECT_EQ(contents.Grids, before.Grids) << "a refused file changed the task";
    return message;
}

// 2 x 3 with limits; every way of writing it below must read as this.
TaskGrids ExpectedTask() {
    TaskGrids g = NewTaskGrids(2, 3);
    const char* tariffs[2][3] = {{"1", "-2", "3"}, {"4", "5", "6"}};
    const char* limits[2][3] = {{"M", "7", "0"}, {"M", "M", "12"}};
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 3; ++j) {
            g.Tarif.At(j + 1, i + 1) = tariffs[i][j];
            g.Restriction.At(j + 1, i + 1) = limits[i][j];
        }
    }
    for (auto* grid : {&g.Tarif, &g.Restriction, &g.Mandatory}) {
        grid->At(4, 1) = "30";
        grid->At(4, 2) = "20";
        grid->At(1, 3) = "10";
        grid->At(2, 3) = "25";
        grid->At(3, 3) = "15";
    }
    return g;
}

TEST(TextTaskFile, ReadsEverySeparatorEncodingAndLineEnd) {
    const TaskGrids expected = ExpectedTask();
    const std::string_view forms[] = {
        "1;-2;3;30\n4;5;6;20\n10;25;15\n\nM;7;0\nM;M;12\n",
        "1\t-2\t3\t30\r\n4\t5\t6\t20\r\n10\t25\t15\r\n\r\nm\t7\t0\r\nM\tM\t12",
        // CR alone, as old Mac programs end lines, used to read as one line: "нет строки потребностей"
        "1;-2;3;30\r4;5;6;20\r10;25;15\r\rM;7;0\rM;M;12\r",
        "\xEF\xBB\xBF# a task\n 1 , -2 , 3 , 30 \n4,5,6,20\n10,25,15\nM,7,0\n\xD0\x9C,\xD0\xBC,12\n",
        "# windows-1251: \xCC\n1;-2;3;30\n4;5;6;20\n10;25;15\n\n\xCC;7;0\n\xEC;M;12\n",
        "\"1\";\"-2\";\"3\";\"30\"\n4;5;6;\xC2\xA0" "20\n10;25;15\n   \n# limits\nM;7;0\nM;M;12\n",
    };
    for (const std::string_view form : forms) {
        SCOPED_TRACE(form);
        const TableFileContents contents = Read(form);
        EXPECT_EQ(contents.Grids, expected);
        EXPECT_TRUE(contents.HasLimits);
    }
}

TEST(TextTaskFile, WithoutLimitsEveryRouteIsOpen) {
    const TableFileContents contents = Read("1;2;5\n3;4;6\n5;6\n");
    EXPECT_FALSE(contents.HasLimits);
    EXPECT_EQ(contents.Grids.Restriction.At(1, 1), "M");
    EXPECT_EQ(contents.Grids.Restriction.At(3, 1), "5");
    EXPECT_EQ(contents.Grids.Tarif.At(2, 3), "6");
}

TEST(TextTaskFile, EveryFaultNamesItsLineAndColumn) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"", "Строка 1, столбец 1: в файле нет задачи."},
        {"# only a comment\n\n", "Строка 1, столбец 1: в файле нет задачи."},
        {"1;2\n3;4\n5\n", "Строка 1, столбец 3: в строке тарифов нужно не меньше трех значений: "
                          "тарифы двух потребителей и запас."},
        {"1;2;3\n4\n", "Строка 2, столбец 2: значений меньше, чем нужно: 3 в строке тарифов "
                       "(тарифы и запас) или 2 в строке потребностей."},
        {"1;2;3\n4;5;6;7\n", "Строка 2, столбец 4: лишнее значение: в строке тарифов 3 значений "
                             "(тарифы и запас)."},
        {"1;2;3\n4;5\n", "Строка 2, столбец 1: нужно не меньше двух поставщиков (строк тарифов)."},
        {"1;2;3\n4;5;6\n", "Строка 3, столбец 1: нет строки потребностей."},
        {"1;2;3\n4;5;6\n7;8\n\nM;M\n", "Строка 6, столбец 1: строк ограничений должно быть 2, а их 1."},
        {"1;2;3\n4;5;6\n7;8\nM;M\nM\n", "Строка 5, столбец 2: в строке ограничений должно быть 2 значений."},
        {"1;2;3\n4;5;6\n7;8\nM;M\nM;M\n1;1\n", "Строка 6, столбец 1: лишняя строка после ограничений."},
        {"1;;3\n4;5;6\n7;8\n", "Строка 1, столбец 2: пустое значение."},
        {"1;2;3\n4;x5;6\n7;8\n", "Строка 2, столбец 2: \"x5\" - не целое число."},
        {"1;2;3\n4;1 000;6\n7;8\n", "Строка 2, столбец 2: \"1 000\" - не целое число."},
        {"1;2;3.5\n4;5;6\n7;8\n", "Строка 1, столбец 3: \"3.5\" - не целое число."},
        {"1;2;3\n4;2147483648;6\n7;8\n",
         "Строка 2, столбец 2: число \"2147483648\" не помещается в 32 бита: допустимы числа от "
         "-2147483648 до 2147483647."},
        {"1;2;-3\n4;5;6\n7;8\n", "Строка 1, столбец 3: запас не может быть отрицательным."},
        {"1;2;3\n4;5;6\n7;-8\n", "Строка 3, столбец 2: потребность не может быть отрицательной."},
        {"1;2;3\n4;5;6\n7;8\n\nM;-1\nM;M\n", "Строка 5, столбец 2: ограничение не может быть отрицательным."},
        {"1;2;3\n4;5;6\n7;8\n\nM;N\nM;M\n", "Строка 5, столбец 2: \"N\" - не целое число и не M."},
        {"1;2;3\r4;5;6\r7;x\r", "Строка 3, столбец 2: \"x\" - не целое число."},
        {"1;2;3\r\n4;5;6\r\r7;x\r\n", "Строка 4, столбец 2: \"x\" - не целое число."},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Fault(text), message);
    }
}

TEST(TextTaskFile, WritesWhatItReadsAndLeavesOutOpenLimits) {
    const TaskGrids task = ExpectedTask();
    const std::string text = SerializeTextTask(task);
    EXPECT_EQ(text, "1;-2;3;30\n4;5;6;20\n10;25;15\n\nM;7;0\nM;M;12\n");
    EXPECT_EQ(Read(text).Grids, task);

    TaskGrids open = task;
    for (int i = 1; i <= 2; ++i) {
        for (int j = 1; j <= 3; ++j) open.Restriction.At(j, i) = "M";
    }
    EXPECT_EQ(SerializeTextTask(open), "1;-2;3;30\n4;5;6;20\n10;25;15\n");
}

// Texts the editor may hold are written as a table file would store them.
TEST(TextTaskFile, WritesNumbersByTheTableFileRule) {
    TaskGrids g = NewTaskGrids(2, 2);
    g.Tarif.At(1, 1) = "12ab";
    g.Tarif.At(3, 1) = "-5";
    g.Restriction.At(2, 2) = "m";
    g.Restriction.At(1, 2) = "";
    EXPECT_EQ(SerializeTextTask(g), "12;0;5\n0;0;0\n0;0\n\nM;M\n0;M\n");
}

// A 2 x 2 task with every variant: profit, a forbidden route, a mandatory shipment, limits.
TaskGrids VariantTask() {
    TaskGrids g = NewTaskGrids(2, 2);
    g.Goal = TaskGoal::Maximise;
    const char* tariffs[2][2] = {{"3", "M"}, {"4", "5"}};
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j) {
            g.Tarif.At(j + 1, i + 1) = tariffs[i][j];
            g.Mandatory.At(j + 1, i + 1) = "0";  // as read back
        }
    }
    g.Restriction.At(1, 2) = "9";
    g.Mandatory.At(2, 2) = "6";
    for (auto* grid : {&g.Tarif, &g.Restriction, &g.Mandatory}) {
        grid->At(3, 1) = "10";
        grid->At(3, 2) = "12";
        grid->At(1, 3) = "8";
        grid->At(2, 3) = "14";
    }
    return g;
}

TEST(TextTaskFile, KeepsTheGoalForbiddenRoutesAndMandatoryShipments) {
    const TaskGrids task = VariantTask();
    const std::string text = SerializeTextTask(task);
    EXPECT_EQ(text, "цель;максимум\n3;M;10\n4;5;12\n8;14\n\nM;M\n9;M\n\nобязательные поставки\n0;0\n0;6\n");
    EXPECT_EQ(Read(text).Grids, task);
    // Keywords in any case and either encoding, blocks in either order, "минимум" as no goal.
    const TableFileContents other = Read(
        "\xD6\xC5\xCB\xDC;\xCC\xC0\xCA\xD1\xC8\xCC\xD3\xCC\n3;m;10\n4;5;12\n8;14\n"
        "\xCE\xC1\xDF\xC7\xC0\xD2\xC5\xCB\xDC\xCD\xDB\xC5 \xCF\xCE\xD1\xD2\xC0\xC2\xCA\xC8\n0;0\n0;6\n"
        "\xEE\xE3\xF0\xE0\xED\xE8\xF7\xE5\xED\xE8\xFF\nM;M\n9;M\n");
    EXPECT_EQ(other.Grids, task);
    EXPECT_EQ(Read("Цель: минимум\n1;2;5\n3;4;6\n5;6\n").Grids.Goal, TaskGoal::Minimise);
    // A task without variants is written as before: no goal line, no block.
    EXPECT_EQ(SerializeTextTask(NewTaskGrids(2, 2)), "0;0;0\n0;0;0\n0;0\n");
}

TEST(TextTaskFile, EveryFaultOfTheVariantsNamesItsLineAndColumn) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"цель;побольше\n1;2;5\n3;4;6\n5;6\n",
         "Строка 1, столбец 2: после слова \"цель\" должно стоять \"максимум\" или \"минимум\"."},
        {"1;2;5\nцель;максимум\n3;4;6\n5;6\n", "Строка 2, столбец 1: строка цели должна быть первой строкой задачи."},
        {"1;2;5\n3;4;6\n5;6\nобязательные поставки\n0;-1\n0;0\n",
         "Строка 5, столбец 2: обязательная поставка не может быть отрицательной."},
        {"1;2;5\n3;4;6\n5;6\nобязательные поставки\n0;1;2\n0;0\n",
         "Строка 5, столбец 3: в строке обязательных поставок должно быть 2 значений."},
        {"1;2;5\n3;4;6\n5;6\nобязательные поставки\n0;1\n",
         "Строка 6, столбец 1: строк обязательных поставок должно быть 2, а их 1."},
        {"1;2;5\n3;4;6\n5;6\nобязательные поставки\n0;1\n0;0\n0;0\n",
         "Строка 7, столбец 1: лишняя строка после обязательных поставок."},
        {"1;2;5\n3;4;6\n5;6\nобязательные поставки\n0;M\n0;0\n", "Строка 5, столбец 2: \"M\" - не целое число."},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Fault(text), message);
    }
}

TEST(TextTaskFile, ChoosesTheKindByTheExtension) {
    EXPECT_TRUE(IsTextTaskPath("задача.csv"));
    EXPECT_TRUE(IsTextTaskPath("/a/b/TASK.CSV"));
    EXPECT_FALSE(IsTextTaskPath("task.tab"));
    EXPECT_FALSE(IsTextTaskPath("csv"));

    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "text_task";
    std::filesystem::create_directories(folder);
    const TaskGrids task = ExpectedTask();
    for (const char* name : {"задача 1.csv", "задача 1.tab"}) {
        SCOPED_TRACE(name);
        const std::filesystem::path path = folder / std::filesystem::path(reinterpret_cast<const char8_t*>(name));
        ASSERT_TRUE(WriteTaskFile(path, task).Ok());
        TableFileContents contents;
        ASSERT_EQ(ReadTaskFile(path, contents), "");
        EXPECT_EQ(contents.Grids, task);
    }
    TableFileContents contents;
    EXPECT_EQ(ReadTaskFile(folder / "missing.csv", contents), "Ошибка открытия файла данных.");
}

}  // namespace
}  // namespace kargolo::testing
