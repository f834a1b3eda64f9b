// The settings and save files under hostile conditions: links, folders and FIFOs
// of their names, and saves this process may not read or rewrite.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "shell/file_fixtures.h"
#include "shell/game.h"
#include "shell/save_files.h"

namespace {

using namespace file_test;

class HostileFiles : public FileFolder {
protected:
    // The table a finished run gives: the default one read, 5000 points ranked in.
    static void EndARun() {
        score = 5000;
        stageNumber = 3;
        InsertRanking();
        WriteSaveFile();
    }
};

TEST_F(HostileFiles, LinksAtTheTemporaryNameAreNeverFollowedNorBlockASave) {
    const std::string victim = (dir / "victim.txt").string();
    WriteBytes(victim, {'k', 'e', 'e', 'p'});
    fs::create_symlink(victim, save + ".tmp");
    fs::create_symlink("missing-target", save + ".part");
    WriteBytes(save + ".tmp-000000", {1});  // a stale temporary of an interrupted save
    ReadSaveFile();
    EndARun();
    EXPECT_EQ(ReadBytes(victim), (std::vector<unsigned char>{'k', 'e', 'e', 'p'}));
    EXPECT_FALSE(fs::is_symlink(save));
    EXPECT_EQ(fs::file_size(save), 80u);
    EXPECT_FALSE(fs::exists(dir / "missing-target"));
    // the planted names stay as they were and the writer leaves nothing of its own
    EXPECT_EQ(Names(), (std::vector<std::string>{"victim.txt", "zorbexG.dat", "zorbexG.dat.part",
                                                 "zorbexG.dat.tmp", "zorbexG.dat.tmp-000000"}));
    ReadSaveFile();
    EXPECT_EQ(highScores[5], 5000);
}

// Under a user the permissions bind: a save that cannot be read, or cannot be
// written, reads as missing and is never replaced by the default table.
TEST_F(HostileFiles, SaveThatCannotBeReadOrWrittenIsNeverReplaced) {
    for (fs::perms mode : {fs::perms::none, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                           fs::perms::owner_write}) {
        WriteBytes(save, PlayerTable());
        fs::permissions(save, mode);
        GiveFolderToTestUser();
        const int result = RunInChild(true, 10, [] {
            ::testing::internal::CaptureStderr();
            ReadSaveFile();
            EndARun();
            const std::string said = ::testing::internal::GetCapturedStderr();
            if (said.find("zorbex: cannot save the high scores in ") != 0) return 1;
            if (said.find('\n') != said.size() - 1) return 2;  // one line
            return 0;
        });
        EXPECT_EQ(result, 0) << "mode " << std::oct << static_cast<int>(mode);
        EXPECT_EQ(fs::status(save).permissions(), mode);
        fs::permissions(save, fs::perms::owner_read);
        EXPECT_EQ(ReadBytes(save), PlayerTable()) << "mode " << std::oct << static_cast<int>(mode);
        EXPECT_EQ(Names(), std::vector<std::string>{"zorbexG.dat"});
    }
}

TEST_F(HostileFiles, ReadableSaveOfAnotherModeKeepsItsMode) {
    WriteBytes(save, PlayerTable());
    fs::permissions(save, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ReadSaveFile();
    EXPECT_EQ(highScores[0], 1);
    EndARun();
    EXPECT_EQ(fs::status(save).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ReadSaveFile();
    EXPECT_EQ(highScores[0], 5000);
}

TEST_F(HostileFiles, LinkedSaveIsWrittenThroughAndStaysALink) {
    fs::create_directories(dir / "real");
    WriteBytes((dir / "real" / "table.dat").string(), PlayerTable());
    fs::create_symlink("real/hop", save);  // relative, two links deep
    fs::create_symlink("table.dat", dir / "real" / "hop");
    ReadSaveFile();
    EXPECT_EQ(highScores[9], 10);
    EndARun();
    EXPECT_TRUE(fs::is_symlink(save));
    EXPECT_TRUE(fs::is_symlink(dir / "real" / "hop"));
    EXPECT_EQ(fs::file_size(dir / "real" / "table.dat"), 80u);
    ReadSaveFile();
    EXPECT_EQ(highScores[0], 5000);
    EXPECT_EQ(Names(), (std::vector<std::string>{"real", "zorbexG.dat"}));

    // a link to a file not made yet gets it made, as a plain write would
    fs::remove(save);
    fs::create_symlink(dir / "later.dat", save);
    EndARun();
    EXPECT_TRUE(fs::is_symlink(save));
    EXPECT_EQ(fs::file_size(dir / "later.dat"), 80u);
}

TEST_F(HostileFiles, FoldersOfTheFileNamesAreNotOpenedFiles) {
    fs::create_directories(config);
    fs::create_directories(save);
    screenModeSetting = difficultySetting = 7;
    ReadConfig();
    EXPECT_EQ(screenModeSetting, 1);
    EXPECT_EQ(difficultySetting, 2);
    highScores[0] = 0;
    ReadSaveFile();
    EXPECT_EQ(highScores[0], 10000);
    EXPECT_EQ(highScoreStages[9], 1);
    ::testing::internal::CaptureStderr();
    EndARun();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "zorbex: cannot save the high scores in " + save + ": Is a directory\n");
    EXPECT_TRUE(fs::is_directory(save));
}

TEST_F(HostileFiles, FifosOfTheFileNamesNeverBlockStartUp) {
    ASSERT_EQ(::mkfifo(config.c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo(save.c_str(), 0644), 0);
    const int result = RunInChild(false, 5, [] {
        ReadConfig();
        ReadSaveFile();
        if (screenModeSetting != 1 || difficultySetting != 2 || highScores[0] != 10000) return 1;
        EndARun();  // refused, not blocked either
        return 0;
    });
    EXPECT_EQ(result, 0) << (result == 124 ? "blocked" : "wrong values");
    struct stat st;
    ASSERT_EQ(::lstat(save.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

}  // namespace
