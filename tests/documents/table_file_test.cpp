#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>

#include "documents/table_file.h"

namespace kargolo::testing {
namespace {

std::vector<std::uint8_t> Ints(std::initializer_list<std::int32_t> values) {
    std::vector<std::uint8_t> bytes;
    for (const std::int32_t value : values) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
    return bytes;
}

std::vector<std::uint8_t> Concat(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// 2x3: supplies 30, -20; demands 10, 25, 15; tariffs 1..6 with a negative one.
const std::vector<std::uint8_t> kShortForm = Ints({2, 3, 30, -20, 10, 25, 15, 1, 2, 3, -4, 5, 6});
const std::vector<std::uint8_t> kValues = Ints({0, 7, 0, -9, 0, 3});
const std::vector<std::uint8_t> kFlags = Ints({0, 1, 0, 1, 5, 0});

TableFileContents Parse(const std::vector<std::uint8_t>& bytes, TableFileStatus expected) {
    TableFileContents contents;
    const TableFileResult result = ParseTableFile(bytes, contents);
    EXPECT_EQ(result.Status, expected) << FileErrorText(result);
    return contents;
}

TEST(ParseTableFile, ReadsTheShortFormAsATaskWithoutLimits) {
    const TableFileContents contents = Parse(kShortForm, TableFileStatus::Ok);
    const TaskGrids& g = contents.Grids;
    EXPECT_FALSE(contents.HasLimits);
    ASSERT_EQ(g.Suppliers(), 2);
    ASSERT_EQ(g.Consumers(), 3);
    EXPECT_EQ(g.Tarif.At(4, 2), "20");  // supplies show as absolute values
    EXPECT_EQ(g.Restriction.At(4, 2), "20");
    EXPECT_EQ(g.Tarif.At(2, 3), "25");
    EXPECT_EQ(g.Tarif.At(1, 2), "-4");  // tariffs keep their sign
    EXPECT_EQ(g.Tarif.At(0, 1), "поставщик A1");
    EXPECT_EQ(g.Tarif.At(4, 3), "");
    for (int i = 1; i <= 2; ++i) {
        for (int j = 1; j <= 3; ++j) EXPECT_EQ(g.Restriction.At(j, i), "M");
    }
}

TEST(ParseTableFile, ReadsLimitsFromTheLongForm) {
    const TableFileContents contents =
        Parse(Concat(Concat(kShortForm, kValues), kFlags), TableFileStatus::Ok);
    const TextGrid& r = contents.Grids.Restriction;
    EXPECT_TRUE(contents.HasLimits);
    EXPECT_EQ(r.At(1, 1), "M");
    EXPECT_EQ(r.At(2, 1), "7");
    EXPECT_EQ(r.At(1, 2), "9");  // absolute value
    EXPECT_EQ(r.At(2, 2), "0");  // limited with value 0: a closed route
    EXPECT_EQ(r.At(3, 2), "M");  // a value without its flag
}

TEST(ParseTableFile, TellsTheFormsApartByLength) {
    const auto allFlagsZero = Concat(Concat(kShortForm, kValues), Ints({0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(Parse(allFlagsZero, TableFileStatus::Ok).HasLimits);
    auto insideValues = Concat(kShortForm, kValues);
    insideValues.resize(insideValues.size() - 1);
    EXPECT_FALSE(Parse(insideValues, TableFileStatus::Ok).HasLimits);
    auto insideFlags = Concat(Concat(kShortForm, kValues), kFlags);
    insideFlags.resize(insideFlags.size() - 4);
    Parse(insideFlags, TableFileStatus::ExpectedEnd);
    Parse(Concat(kShortForm, kValues), TableFileStatus::ExpectedEnd);
    auto trailing = Concat(Concat(kShortForm, kValues), kFlags);
    trailing.push_back(0x7F);  // bytes after the last section are not read
    EXPECT_TRUE(Parse(trailing, TableFileStatus::Ok).HasLimits);
}

TEST(ParseTableFile, RejectsShortFilesAndImpossibleSizes) {
    Parse(Ints({2}), TableFileStatus::ReadError);
    Parse({}, TableFileStatus::ReadError);
    auto cut = kShortForm;
    cut.pop_back();
    Parse(cut, TableFileStatus::ReadError);
    const struct {
        std::int32_t m, n;
        const char* Message;
    } sizes[] = {
        {1, 5, "Невозможно создать таблицу размера 1 на 5"},
        {5, 1, "Невозможно создать таблицу размера 5 на 1"},
        {-3, -4, "Невозможно создать таблицу размера -3 на -4"},
        {65536, 32768, "Невозможно создать таблицу размера 65536 на 32768"},
    };
    for (const auto& size : sizes) {
        TableFileContents contents;
        const TableFileResult result = ParseTableFile(Ints({size.m, size.n, 0, 0}), contents);
        EXPECT_EQ(result.Status, TableFileStatus::BadSize);
        EXPECT_EQ(FileErrorText(result), size.Message);
    }
    Parse(Ints({2, 2, 1, 1, 1, 1, 0, 0, 0, 0}), TableFileStatus::Ok);  // the smallest table
}

// A short file that claims a table of 40000 x 40000 used to make the reader allocate grids for
// it before it noticed that the data was missing.
TEST(ParseTableFile, RefusesAHugeClaimedTableBeforeAllocatingIt) {
    const auto started = std::chrono::steady_clock::now();
    Parse(Ints({40000, 40000, 1, 2, 3}), TableFileStatus::ReadError);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}

TEST(FileErrorText, GivesTheMessageOfEveryCode) {
    EXPECT_EQ(FileErrorText({TableFileStatus::Ok}), "");
    EXPECT_EQ(FileErrorText({TableFileStatus::ReadError}), "Ошибка чтения файла.");
    EXPECT_EQ(FileErrorText({TableFileStatus::ExpectedEnd}), "Ожидался конец файла.");
    EXPECT_EQ(FileErrorText({TableFileStatus::OpenError}), "Ошибка открытия файла данных.");
    EXPECT_EQ(FileErrorText({TableFileStatus::OutputOpenError}),
              "Ошибка открытия выходного файла решения.");
    EXPECT_EQ(FileErrorText({TableFileStatus::OutOfMemory}),
              "Фатальная ошибка - не хватает памяти.");
    EXPECT_EQ(FileErrorText({TableFileStatus::CreateError}), "Ошибка создания выходного файла.");
}

TEST(SerializeTableFile, WritesTheLongFormWithFlagsFromTheLimitTexts) {
    TaskGrids grids = MakeTaskGrids(2, 2);
    const char* tariffs[] = {"1", "-2", "x", "4z"};
    const char* limits[] = {" m ", "12 ", "М", ""};  // the third is the Cyrillic letter
    for (int k = 0; k < 4; ++k) {
        grids.Tarif.At(k % 2 + 1, k / 2 + 1) = tariffs[k];
        grids.Restriction.At(k % 2 + 1, k / 2 + 1) = limits[k];
    }
    grids.Tarif.At(3, 1) = "-7";
    grids.Tarif.At(3, 2) = "3";
    grids.Tarif.At(1, 3) = "5";
    grids.Tarif.At(2, 3) = "5";
    EXPECT_EQ(SerializeTableFile(grids),
              Ints({2, 2, -7, 3, 5, 5, 1, -2, 0, 4, 0, 12, 0, 0, 0, 1, 1, 1}));
}

// 2x2 with every variant: profit, route (1,2) forbidden, 6 at least on route (2,2), a limit 9.
TaskGrids VariantGrids() {
    TaskGrids grids = MakeTaskGrids(2, 2);
    const char* tariffs[] = {"3", "M", "4", "5"};
    for (int k = 0; k < 4; ++k) {
        grids.Tarif.At(k % 2 + 1, k / 2 + 1) = tariffs[k];
        grids.Restriction.At(k % 2 + 1, k / 2 + 1) = k == 2 ? "9" : "M";
    }
    grids.Mandatory.At(2, 2) = "6";
    for (TextGrid* grid : {&grids.Tarif, &grids.Restriction, &grids.Mandatory}) {
        grid->At(3, 1) = "10";
        grid->At(3, 2) = "12";
        grid->At(1, 3) = "8";
        grid->At(2, 3) = "14";
    }
    grids.Goal = TaskGoal::Maximise;
    return grids;
}

TEST(SerializeTableFile, PutsTheVariantInABlockThatOlderReadersNeverRead) {
    const TaskGrids grids = VariantGrids();
    // The long form as before (an M tariff stands as a million, the smallest stand-in), then
    // "KRG+", version 1, the goal, the sections (forbidden routes, mandatory shipments).
    const std::vector<std::uint8_t> older = Ints({2, 2, 10, 12, 8, 14, 3, 1000000, 4, 5, 0, 0, 9, 0, 0, 0, 1, 0});
    const std::vector<std::uint8_t> block = Concat({'K', 'R', 'G', '+'}, Ints({1, 1, 3, 0, 1, 0, 0, 0, 0, 0, 6}));
    const std::vector<std::uint8_t> bytes = SerializeTableFile(grids);
    EXPECT_EQ(bytes, Concat(older, block));
    EXPECT_EQ(Parse(bytes, TableFileStatus::Ok).Grids, grids);
    // What a reader that stops after the flags sees: the same table, M as a large tariff.
    const TableFileContents seenBefore = Parse(older, TableFileStatus::Ok);
    EXPECT_EQ(seenBefore.Grids.Tarif.At(2, 1), "1000000");
    EXPECT_EQ(seenBefore.Grids.Restriction.At(1, 2), "9");
    EXPECT_EQ(seenBefore.Grids.Goal, TaskGoal::Minimise);
    // A task without variants ends at its flags, as it always did.
    TaskGrids plain = grids;
    plain.Goal = TaskGoal::Minimise;
    plain.Tarif.At(2, 1) = "2";
    plain.Mandatory.At(2, 2) = "";
    EXPECT_EQ(SerializeTableFile(plain).size(), older.size());
}

TEST(ParseTableFile, RefusesADamagedVariantBlockAndIgnoresBytesThatAreNotOne) {
    const std::vector<std::uint8_t> bytes = SerializeTableFile(VariantGrids());
    const std::size_t flagsEnd = 4 * 18;
    Parse(std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 4), TableFileStatus::ReadError);
    Parse(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + flagsEnd + 8), TableFileStatus::ReadError);
    std::vector<std::uint8_t> newer = bytes;
    newer[flagsEnd + 4] = 2;  // a version this program does not know
    Parse(newer, TableFileStatus::ReadError);
    std::vector<std::uint8_t> unknownSection = bytes;
    unknownSection[flagsEnd + 12] = 7;
    Parse(unknownSection, TableFileStatus::ReadError);
    std::vector<std::uint8_t> foreign(bytes.begin(), bytes.begin() + flagsEnd);
    for (const char c : std::string("trailing bytes of another program")) foreign.push_back(static_cast<std::uint8_t>(c));
    EXPECT_EQ(Parse(foreign, TableFileStatus::Ok).Grids.Tarif.At(2, 1), "1000000");
}

class TableFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::filesystem::path(::testing::TempDir()) /
                   (std::string("kargolo-") + test->name());
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::filesystem::path m_folder;
};

TEST_F(TableFileOnDisk, SavingAndReadingReproducesTheTask) {
    TableFileContents original = Parse(Concat(Concat(kShortForm, kValues), kFlags),
                                       TableFileStatus::Ok);
    const auto path = m_folder / "task.tab";
    ASSERT_TRUE(WriteTableFile(path, original.Grids).Ok());
    TableFileContents again;
    ASSERT_TRUE(ReadTableFile(path, again).Ok());
    EXPECT_EQ(again.Grids, original.Grids);
    EXPECT_TRUE(again.HasLimits);
    EXPECT_EQ(std::filesystem::file_size(path), 8u + 4u * (2 + 3 + 3 * 6));
}

TEST_F(TableFileOnDisk, ReportsFilesThatCannotBeOpened) {
    TableFileContents contents;
    EXPECT_EQ(ReadTableFile(m_folder / "missing.tab", contents).Status, TableFileStatus::OpenError);
    EXPECT_EQ(WriteTableFile(m_folder / "no folder" / "task.tab", MakeTaskGrids(2, 2)).Status,
              TableFileStatus::OutputOpenError);
}

// A failed save used to leave a cut file in place of the good one.
TEST_F(TableFileOnDisk, AFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
    const auto target = m_folder / "task.tab";
    std::filesystem::create_directory(target);  // renaming a file over a folder fails
    EXPECT_EQ(WriteTableFile(target, MakeTaskGrids(2, 2)).Status, TableFileStatus::CreateError);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(TableFileOnDisk, ReadsAHeaderWithoutItsDataAsAReadError) {
    const auto path = m_folder / "short-claim.tab";
    std::ofstream(path, std::ios::binary).write("\x02\0\0\0\x02\0\0\0", 8);
    TableFileContents contents;
    EXPECT_EQ(ReadTableFile(path, contents).Status, TableFileStatus::ReadError);
}

}  // namespace
}  // namespace kargolo::testing
