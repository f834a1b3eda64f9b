// Settings and high-score files: defaults, short and junk files, insertion, safe writes.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "shell/game.h"
#include "shell/save_files.h"

namespace {

namespace fs = std::filesystem;

class SaveFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("zorbex-save-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        config = (dir / "config.dat").string();
        save = (dir / "zorbexG.dat").string();
        configFileName = config.c_str();
        saveFileName = save.c_str();
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
        configFileName = "config.dat";
        saveFileName = "zorbexG.dat";
    }
    void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<unsigned char> ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    fs::path dir;
    std::string config, save;
};

TEST_F(SaveFiles, MissingConfigMeansFullScreenAndDifficultyTwo) {
    ReadConfig();
    EXPECT_EQ(screenModeSetting, 1);
    EXPECT_EQ(difficultySetting, 2);
}

TEST_F(SaveFiles, ShortConfigLeavesTheRestZero) {
    WriteBytes(config, {1, 0, 0, 0});
    ReadConfig();
    EXPECT_EQ(screenModeSetting, 1);
    EXPECT_EQ(difficultySetting, 0);
    EXPECT_EQ(StartingRank(), 1);
    WriteBytes(config, {7});
    ReadConfig();
    EXPECT_EQ(screenModeSetting, 0);
    WriteBytes(config, {0, 0, 0, 0, 3, 0, 0, 0, 0xff, 0xff});
    ReadConfig();
    EXPECT_EQ(difficultySetting, 3);
    EXPECT_EQ(StartingRank(), 80);
}

TEST_F(SaveFiles, MissingSaveGivesTheDefaultTable) {
    ReadSaveFile();
    for (int i = 0; i < 10; i++) {
        EXPECT_EQ(highScores[i], 10000 - 1000 * i);
        EXPECT_EQ(highScoreStages[i], 1);
    }
}

TEST_F(SaveFiles, ShortOrJunkSaveIsTakenAsItStands) {
    WriteBytes(save, {0x10, 0x27, 0, 0, 0xff, 0xff, 0xff, 0xff, 9});
    ReadSaveFile();
    EXPECT_EQ(highScores[0], 10000);
    EXPECT_EQ(highScores[1], -1);
    for (int i = 2; i < 10; i++) EXPECT_EQ(highScores[i], 0);
    for (int i = 0; i < 10; i++) EXPECT_EQ(highScoreStages[i], 0);
}

TEST_F(SaveFiles, InsertionPutsTiesAboveAndDropsRowNine) {
    ReadSaveFile();
    score = 999;
    stageNumber = 5;
    InsertRanking();
    EXPECT_EQ(newRankIndex, 9999);
    EXPECT_EQ(highScores[9], 1000);

    score = 1000;
    InsertRanking();
    EXPECT_EQ(newRankIndex, 9);
    EXPECT_EQ(highScoreStages[9], 5);

    score = 12000;
    stageNumber = 7;
    InsertRanking();
    EXPECT_EQ(newRankIndex, 0);
    EXPECT_EQ(highScores[0], 12000);
    EXPECT_EQ(highScoreStages[0], 7);
    EXPECT_EQ(highScores[1], 10000);
    EXPECT_EQ(highScores[9], 2000);  // the 1000 rows dropped out
}

TEST_F(SaveFiles, WriteThenReadRoundTripsEightyBytes) {
    ReadSaveFile();
    score = 4321;
    stageNumber = 28;
    InsertRanking();
    WriteSaveFile();
    EXPECT_EQ(fs::file_size(save), 80u);
    auto bytes = ReadBytes(save);
    EXPECT_EQ(bytes[0], 0x10);  // 10000 little-endian
    EXPECT_EQ(bytes[1], 0x27);
    highScores[0] = 0;
    ReadSaveFile();
    EXPECT_EQ(highScores[0], 10000);
    EXPECT_EQ(highScores[6], 4321);
    EXPECT_EQ(highScoreStages[6], 28);
    EXPECT_FALSE(fs::exists(save + ".tmp"));
}

TEST_F(SaveFiles, FailedWriteLeavesTheOldFileWhole) {
    ReadSaveFile();
    WriteSaveFile();
    auto before = ReadBytes(save);
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores directory permissions";
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    highScores[0] = 55555;
    WriteSaveFile();
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(save), before);
}

TEST_F(SaveFiles, WriteToAFullDiskLeavesTheOldFileWhole) {
    ReadSaveFile();
    WriteSaveFile();
    auto before = ReadBytes(save);
    // /dev/full accepts the open and fails every write, as a full disk does
    std::string full = "/dev/full";
    if (!fs::exists(full)) GTEST_SKIP() << "no /dev/full";
    fs::create_symlink(full, save + ".tmp");
    highScores[0] = 55555;
    WriteSaveFile();
    EXPECT_EQ(ReadBytes(save), before);
}

}  // namespace
