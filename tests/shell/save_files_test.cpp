// Settings and high-score files: defaults, short and junk files, insertion, safe writes.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/files.h"
#include "shell/file_fixtures.h"
#include "shell/game.h"
#include "shell/save_files.h"

namespace {

using namespace file_test;

class SaveFiles : public FileFolder {};

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

// A folder the writer may not create files in, under a user the permissions bind.
TEST_F(SaveFiles, FailedWriteLeavesTheOldFileWhole) {
    ReadSaveFile();
    WriteSaveFile();
    const auto before = ReadBytes(save);
    GiveFolderToTestUser();
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(RunInChild(true, 10,
                         [&] {
                             highScores[0] = 55555;
                             WriteSaveFile();
                             return 0;
                         }),
              0);
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(save), before);
    EXPECT_EQ(Names(), std::vector<std::string>{"zorbexG.dat"});
}

ssize_t FailWriteAsFull(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}

// Half the table goes out, then the disk is full.
ssize_t WriteHalfThenFail(int fd, const void* data, size_t size) {
    static bool wrote;
    wrote = !wrote;
    if (!wrote) return FailWriteAsFull(fd, data, size);
    return ::write(fd, data, size / 2);
}

int FailSync(int) {
    errno = EIO;
    return -1;
}

// Saves a new table into `folder`, whose disk is full by then: the old table must
// stay, nothing be left behind but `expectedNames`, and the player be told.
int SaveOnFullDisk(const std::string& folder, size_t expectedNames, const std::function<void()>& fill) {
    const std::string inside = folder + "/zorbexG.dat";
    saveFileName = inside.c_str();
    ReadSaveFile();
    WriteSaveFile();
    const auto before = ReadBytes(inside);
    if (before.size() != 80) return 1;
    fill();
    highScores[0] = 55555;
    ::testing::internal::CaptureStderr();
    WriteSaveFile();
    const std::string said = ::testing::internal::GetCapturedStderr();
    if (ReadBytes(inside) != before) return 2;
    if (said.find("cannot save the high scores in " + inside) == std::string::npos) return 3;
    if (static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator())) != expectedNames)
        return 4;  // a temporary file was left behind
    return 0;
}

// A real full filesystem where the machine allows one (a tiny tmpfs in a mount
// namespace of the child's own, filled to the last block), else a writer whose
// every write fails as on a full disk.
TEST_F(SaveFiles, WriteToAFullDiskLeavesTheOldFileWhole) {
    const std::string full = (dir / "full").string();
    fs::create_directories(full);
    const int result = RunInChild(false, 20, [&] {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", full.c_str(), "tmpfs", 0, "size=64k") != 0)
            return 77;
        return SaveOnFullDisk(full, 2, [&] {
            std::FILE* filler = std::fopen((full + "/filler").c_str(), "wb");
            static char block[4096];
            while (filler && std::fwrite(block, 1, sizeof block, filler) == sizeof block &&
                   std::fflush(filler) == 0) {
            }
            if (filler) std::fclose(filler);
        });
    });
    if (result != 77) {
        EXPECT_EQ(result, 0);
        return;
    }
    EXPECT_EQ(SaveOnFullDisk(full, 1, [] { fileWriteCall = FailWriteAsFull; }), 0);
    fileWriteCall = ::write;
}

TEST_F(SaveFiles, ShortWriteOrFailedSyncLeavesTheOldFileWhole) {
    EXPECT_EQ(SaveOnFullDisk(dir.string(), 1, [] { fileWriteCall = WriteHalfThenFail; }), 0);
    fileWriteCall = ::write;
    EXPECT_EQ(SaveOnFullDisk(dir.string(), 1, [] { fileSyncCall = FailSync; }), 0);
    fileSyncCall = ::fsync;
}

// Two games started on the same table: each ends a run, and the file keeps both entries;
// the first game's table in memory stays its own until it takes the saved one up.
TEST_F(SaveFiles, TwoGamesAtOnceKeepBothEntries) {
    ReadSaveFile();
    ASSERT_EQ(RunInChild(false, 10,
                         [] {
                             score = 8500;
                             stageNumber = 4;
                             InsertRanking();
                             return SaveRunInTable(nullptr) ? 0 : 1;
                         }),
              0);
    score = 5500;
    stageNumber = 2;
    InsertRanking();
    int32_t rowOnDisk = -1;
    bool others = false;
    static int32_t* seenRow;
    static bool* seenOthers;
    seenRow = &rowOnDisk;
    seenOthers = &others;
    ASSERT_TRUE(SaveRunInTable([](int32_t row, bool othersEntries) {
        *seenRow = row;
        *seenOthers = othersEntries;
    }));
    EXPECT_EQ(newRankIndex, 5);
    EXPECT_EQ(rowOnDisk, 6);  // below the other game's 8500
    EXPECT_TRUE(others);
    EXPECT_EQ(highScores[2], 8000);  // this game has not seen the 8500
    TakeUpSavedTable();
    const int32_t want[10] = {10000, 9000, 8500, 8000, 7000, 6000, 5500, 5000, 4000, 3000};
    const int32_t stages[10] = {1, 1, 4, 1, 1, 1, 2, 1, 1, 1};
    for (int i = 0; i < 10; i++) {
        EXPECT_EQ(highScores[i], want[i]) << "row " << i;
        EXPECT_EQ(highScoreStages[i], stages[i]) << "row " << i;
    }
    EXPECT_EQ(Names(), std::vector<std::string>{"zorbexG.dat"});  // the lock leaves no file
}

// Eight games read the default table, then end their runs at the same moment: under the
// lock every one of their entries reaches the file.
TEST_F(SaveFiles, GamesEndingTogetherLoseNoEntry) {
    ReadSaveFile();
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    std::vector<pid_t> games;
    for (int g = 0; g < 8; g++) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(gate[1]);
            char c;
            while (::read(gate[0], &c, 1) > 0) {
            }  // all start when the gate closes
            score = 20000 + 100 * g;
            stageNumber = 10 + g;
            InsertRanking();
            ::_exit(SaveRunInTable(nullptr) ? 0 : 1);
        }
        games.push_back(pid);
    }
    ::close(gate[0]);
    ::close(gate[1]);
    for (pid_t pid : games) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    TakeUpSavedTable();
    for (int g = 0; g < 8; g++) {
        EXPECT_EQ(highScores[7 - g], 20000 + 100 * g);
        EXPECT_EQ(highScoreStages[7 - g], 10 + g);
    }
    EXPECT_EQ(highScores[8], 10000);
    EXPECT_EQ(highScores[9], 9000);
}

// A save this game may not read, or none at all: the game's table is what it has.
TEST_F(SaveFiles, TakingUpAnUnreadableSaveKeepsTheGamesTable) {
    ReadSaveFile();
    highScores[0] = 77777;
    TakeUpSavedTable();
    EXPECT_EQ(highScores[0], 77777);
    fs::create_directories(save);
    TakeUpSavedTable();
    EXPECT_EQ(highScores[0], 77777);
}

}  // namespace
