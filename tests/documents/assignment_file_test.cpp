#include "documents/assignment_file.h"

#include <gtest/gtest.h>

#include <random>

namespace kargolo::testing {
namespace {

TEST(ParseAssignmentMatrix, ReadsTheWaysSpreadsheetsAndEditorsWriteAMatrix) {
    const struct {
        const char* Name;
        const char* Bytes;
    } cases[] = {
        {"semicolons", "4;M;-2\n0;7;3\n"},
        {"commas, CRLF, blanks", " 4 , m ,-2\r\n0,7, 3\r\n"},
        {"tabs, CR alone", "4\tM\t-2\r0\t7\t3"},
        {"byte order mark, quotes, comments", "\xEF\xBB\xBF# costs\n\"4\";\"M\";\"-2\"\n\n# next\n0;7;3\n"},
        {"Cyrillic M in windows-1251", "4;\xCC;-2\n0;7;3\n"},
        {"Cyrillic m in UTF-8", "4;\xD0\xBC;-2\n0;7;3\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        AssignmentTask task;
        ASSERT_EQ(ParseAssignmentMatrix(c.Bytes, task), "");
        EXPECT_EQ(task.Rows, 2);
        EXPECT_EQ(task.Columns, 3);
        EXPECT_EQ(task.Values, (std::vector<std::int32_t>{4, 0, -2, 0, 7, 3}));
        EXPECT_EQ(task.Forbidden, (std::vector<std::uint8_t>{0, 1, 0, 0, 0, 0}));
    }
}

TEST(ParseAssignmentMatrix, LeavesTheTaskAsItWasOnAFault) {
    AssignmentTask task;
    task.Maximise = true;
    ASSERT_EQ(ParseAssignmentMatrix("1;2\n3;4\n", task), "");
    const AssignmentTask before = task;
    EXPECT_EQ(ParseAssignmentMatrix("1;2\n3\n", task),
              "Строка 2, столбец 2: в каждой строке матрицы должно быть 2 значений, как в первой.");
    EXPECT_EQ(task.Values, before.Values);
    EXPECT_TRUE(task.Maximise);
}

TEST(SerializeAssignmentMatrix, ReadsBackAsTheSameMatrix) {
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        AssignmentTask task;
        task.Rows = std::uniform_int_distribution<int>(1, 6)(random);
        task.Columns = std::uniform_int_distribution<int>(1, 6)(random);
        for (int k = 0; k < task.Rows * task.Columns; ++k) {
            task.Values.push_back(std::uniform_int_distribution<std::int32_t>(INT32_MIN, INT32_MAX)(random));
            task.Forbidden.push_back(random() % 5 == 0 ? std::uint8_t{1} : std::uint8_t{0});
            if (task.Forbidden.back() != 0) task.Values.back() = 0;
        }
        AssignmentTask read;
        ASSERT_EQ(ParseAssignmentMatrix(SerializeAssignmentMatrix(task), read), "");
        EXPECT_EQ(read.Rows, task.Rows);
        EXPECT_EQ(read.Values, task.Values);
        EXPECT_EQ(read.Forbidden, task.Forbidden);
    }
}

}  // namespace
}  // namespace kargolo::testing
