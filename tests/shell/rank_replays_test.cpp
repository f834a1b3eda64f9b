// The rank replays under hostile conditions: they move with the table only once the
// table is written (a read-only save, a full disk, a save linked to a file the player
// may not write), follow the table on disk that another game added to, and stay as
// they are when a name they would move onto is not a file.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "runtime/files.h"
#include "shell/file_fixtures.h"
#include "shell/run_recorder_fixture.h"
#include "shell/save_files.h"

namespace {

using file_test::kNobody;
using file_test::ReadBytes;
using file_test::RunInChild;
using file_test::WriteBytes;
namespace fs = std::filesystem;

// A given-up run with nothing held in play scores about a hundred: row 5 of this table.
constexpr int32_t kLowTable[10] = {500, 400, 300, 200, 50, 40, 30, 20, 10, 5};

std::vector<unsigned char> TableBytes(const int32_t* scores) {
    std::vector<unsigned char> bytes;
    for (int i = 0; i < 20; i++) {
        const uint32_t v = static_cast<uint32_t>(i < 10 ? scores[i] : 3);
        for (int k = 0; k < 4; k++) bytes.push_back(static_cast<unsigned char>(v >> (8 * k)));
    }
    return bytes;
}

// Row `row` of the table in an 80-byte save.
int32_t ScoreInFile(const std::string& path, int row) {
    const std::vector<unsigned char> b = ReadBytes(path);
    if (b.size() != 80) return -1;
    const size_t at = size_t(4 * row);
    return static_cast<int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24);
}

std::string RankName(int row) {
    char name[32];
    std::snprintf(name, sizeof name, "rank%02d.replay", row);
    return name;
}

// "row 1" to "row 10" in rank01.replay to rank10.replay of `folder`.
void PlantRankReplays(const fs::path& folder) {
    fs::create_directories(folder);
    for (int row = 1; row <= 10; row++) std::ofstream(folder / RankName(row)) << "row " << row;
}

// 0 when every rank replay of `folder` still holds its own row, else the first row that does not.
int FirstMovedRow(const fs::path& folder) {
    for (int row = 1; row <= 10; row++) {
        if (!fs::is_regular_file(folder / RankName(row))) return row;
        std::ifstream in(folder / RankName(row));
        std::string text((std::istreambuf_iterator<char>(in)), {});
        if (text != "row " + std::to_string(row)) return row;
    }
    return 0;
}

void ChownTree(const fs::path& top, uid_t user) {
    ASSERT_EQ(::lchown(top.c_str(), user, user), 0);
    for (const auto& entry : fs::recursive_directory_iterator(top))
        ASSERT_EQ(::lchown(entry.path().c_str(), user, user), 0);
}

class RankReplays : public run_recorder_test::RunRecorder {
protected:
    // Plays a run in a child process as the unprivileged user, on the save file as it
    // stands: 0 when the ranking came up and the failed save was reported.
    int PlayAsPlayerWhoseSaveCannotBeWritten() {
        ChownTree(dir, kNobody);
        return RunInChild(true, 300, [] {
            ReadSaveFile();
            ::testing::internal::CaptureStderr();
            if (!PlayToRanking(0)) return 1;
            const std::string said = ::testing::internal::GetCapturedStderr();
            return said.find("zorbex: cannot save the high scores in ") == 0 ? 0 : 2;
        });
    }

    // Plays a run on a save in `folder` whose disk is full by the time the run ends: 10
    // when the table and every rank replay stayed as they were.
    static int PlayOnFullDisk(const std::string& folder, const std::function<void()>& fill) {
        const std::string inside = folder + "/zorbexG.dat";
        saveFileName = inside.c_str();
        WriteBytes(inside, TableBytes(kLowTable));
        PlantRankReplays(fs::path(folder) / "replays");
        ReadSaveFile();
        fill();
        ::testing::internal::CaptureStderr();
        const bool ranked = PlayToRanking(0);
        const std::string said = ::testing::internal::GetCapturedStderr();
        if (!ranked) return 1;
        if (said.find("zorbex: cannot save the high scores in " + inside + ": No space left on device") != 0) return 2;
        if (ReadBytes(inside) != TableBytes(kLowTable)) return 3;
        return 10 + FirstMovedRow(fs::path(folder) / "replays");
    }
};

TEST_F(RankReplays, AReadOnlySaveKeepsTheRankReplaysWhereTheyAre) {
    WriteBytes(save, TableBytes(kLowTable));
    PlantRankReplays(dir / "replays");
    fs::permissions(save, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    // three runs: each used to drop row 10's replay and push the rest down
    for (int run = 0; run < 3; run++) ASSERT_EQ(PlayAsPlayerWhoseSaveCannotBeWritten(), 0) << "run " << run;
    EXPECT_EQ(FirstMovedRow(dir / "replays"), 0);
    EXPECT_EQ(ReadBytes(save), TableBytes(kLowTable));
    EXPECT_TRUE(fs::exists(ReplayFile("last.replay")));
}

TEST_F(RankReplays, ASaveLinkedToAFileThePlayerMayNotWriteKeepsThem) {
    const fs::path others = dir / "others";
    fs::create_directories(others);
    WriteBytes((others / "table.dat").string(), TableBytes(kLowTable));
    fs::create_symlink(others / "table.dat", save);
    PlantRankReplays(dir / "replays");
    ChownTree(dir, kNobody);
    ChownTree(others, 0);  // the linked file and its folder stay root's
    ASSERT_EQ(RunInChild(true, 300,
                         [] {
                             ReadSaveFile();
                             if (highScores[0] != 500) return 3;  // it can be read, not written
                             ::testing::internal::CaptureStderr();
                             if (!PlayToRanking(0)) return 1;
                             const std::string said = ::testing::internal::GetCapturedStderr();
                             return said.find("zorbex: cannot save the high scores in ") == 0 ? 0 : 2;
                         }),
              0);
    EXPECT_EQ(FirstMovedRow(dir / "replays"), 0);
    EXPECT_EQ(ReadBytes((others / "table.dat").string()), TableBytes(kLowTable));
    EXPECT_TRUE(fs::is_symlink(save));
}

ssize_t FailWriteAsFull(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}

// A tiny tmpfs filled to its last block, in a mount namespace of the child's own; where
// the machine allows none, a writer whose every write fails as on a full disk.
TEST_F(RankReplays, AFullDiskKeepsThem) {
    const std::string full = (dir / "full").string();
    fs::create_directories(full);
    int result = RunInChild(false, 300, [&] {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", full.c_str(), "tmpfs", 0, "size=256k") != 0)
            return 77;
        return PlayOnFullDisk(full, [&] {
            std::FILE* filler = std::fopen((full + "/filler").c_str(), "wb");
            static char block[4096];
            while (filler && std::fwrite(block, 1, sizeof block, filler) == sizeof block && std::fflush(filler) == 0) {
            }
            if (filler) std::fclose(filler);
        });
    });
    if (result == 77) {
        result = PlayOnFullDisk(full, [] { fileWriteCall = FailWriteAsFull; });
        fileWriteCall = ::write;
    }
    EXPECT_EQ(result, 10) << (result > 10 ? "a rank replay moved: row " + std::to_string(result - 10) : "");
}

// Another game saved a run above ours meanwhile: our run lands a row lower on disk than
// in this game's table, its replay goes with the row on disk, and the next run begins
// on the table with both.
TEST_F(RankReplays, TheyFollowTheTableOnDiskThatAnotherGameAddedTo) {
    WriteBytes(save, TableBytes(kLowTable));
    ReadSaveFile();
    PlantRankReplays(dir / "replays");
    int32_t theirs[10] = {500, 450, 400, 300, 200, 50, 40, 30, 20, 10};  // 450 entered at row 2
    WriteBytes(save, TableBytes(theirs));
    ASSERT_NO_FATAL_FAILURE(PlayUntilRanking(0));
    EXPECT_EQ(newRankIndex, 4);  // this game's own table, as a replay of the run has it
    EXPECT_EQ(highScores[1], 400);
    EXPECT_EQ(ScoreInFile(save, 1), 450);
    EXPECT_EQ(ScoreInFile(save, 5), score);
    EXPECT_EQ(ScoreInFile(save, 9), 20);
    EXPECT_EQ(Contents(ReplayFile("rank06.replay")), Contents(ReplayFile("last.replay")));
    EXPECT_EQ(Contents(ReplayFile("rank05.replay")), "row 5");
    EXPECT_EQ(Contents(ReplayFile("rank07.replay")), "row 6");
    EXPECT_EQ(Contents(ReplayFile("rank10.replay")), "row 9");

    Replay r;
    std::string error;
    ASSERT_TRUE(ReadReplayFile(ReplayFile("last.replay").c_str(), &r, &error)) << error;
    EXPECT_EQ(r.tableScores[1], 400);
    EXPECT_EQ(Mismatches(r), 0);
    // back to the title: the run that begins there has the other game's entry too
    for (int f = 0; f < 4 && currentScene != SceneTitle; f++) Frame(f % 2 ? 0 : PadButton1);
    ASSERT_EQ(currentScene, SceneTitle);
    Frame(0);
    EXPECT_EQ(highScores[1], 450);
}

// A folder where row 10's replay would go: nothing is moved onto or past it, the
// player is told, and the table is still saved.
TEST_F(RankReplays, ANameThatIsNotAFileStopsTheMoveAndIsReported) {
    WriteBytes(save, TableBytes(kLowTable));
    ReadSaveFile();
    PlantRankReplays(dir / "replays");
    fs::remove(ReplayFile("rank10.replay"));
    fs::create_directories(ReplayFile("rank10.replay") + "/inside");
    ::testing::internal::CaptureStderr();
    ASSERT_NO_FATAL_FAILURE(PlayUntilRanking(0));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "zorbex: the rank replays stay as they are: " + ReplayFile("rank10.replay") +
                  " is not a regular file\n");
    EXPECT_EQ(FirstMovedRow(dir / "replays"), 10);  // rows 1 to 9 as they were
    EXPECT_TRUE(fs::is_directory(ReplayFile("rank10.replay") + "/inside"));
    EXPECT_EQ(ScoreInFile(save, 4), score);
}

}  // namespace
