// Links in a shared folder (sticky and world-writable, as /tmp is): the file writer
// follows the player's own and the folder owner's, never one another user planted to
// make the player's program overwrite the player's own files. Two unprivileged users
// play the planter and the player.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/files.h"
#include "shell/file_fixtures.h"

namespace {

using file_test::ReadBytes;
using file_test::RunInChildAs;
using file_test::WriteBytes;
namespace fs = std::filesystem;

constexpr uid_t kPlayer = file_test::kNobody;
constexpr uid_t kPlanter = 65533;

const std::vector<unsigned char> kMine = {'m', 'i', 'n', 'e'};

class SharedFolderLinks : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "two users are needed: run as root, as CI does";
        top = fs::temp_directory_path() / ("zorbex-links-" + std::to_string(::getpid()));
        fs::remove_all(top);
        shared = top / "shared";
        home = top / "home";
        fs::create_directories(shared);
        fs::create_directories(home);
        ASSERT_EQ(::chmod(top.c_str(), 0755), 0);
        ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);  // root's, sticky, anyone may add names
        ASSERT_EQ(::chown(home.c_str(), kPlayer, kPlayer), 0);
        own = (home / "own.replay").string();
        WriteBytes(own, kMine);
        ASSERT_EQ(::chown(own.c_str(), kPlayer, kPlayer), 0);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(top, ignored);
    }

    // Makes a link as `user`; 0 when it was made.
    static int LinkAs(uid_t user, const fs::path& target, const fs::path& link) {
        return RunInChildAs(user, 10, [&] { return ::symlink(target.c_str(), link.c_str()) == 0 ? 0 : 1; });
    }

    // The player replaces `path` with "new"; 0 when written, 1 when refused for a
    // planted link, 2 when refused for anything else.
    static int PlayerWrites(const fs::path& path) {
        return RunInChildAs(kPlayer, 10, [&] {
            const char* why = nullptr;
            if (ReplaceFileSafely(path.c_str(), "new", 3, &why)) return 0;
            return std::strcmp(why, "a link another user made in a shared folder") == 0 ? 1 : 2;
        });
    }

    std::vector<std::string> HomeNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(home)) names.push_back(entry.path().filename().string());
        return names;
    }

    fs::path top, shared, home;
    std::string own;
};

TEST_F(SharedFolderLinks, AnotherUsersLinkToThePlayersFileIsRefused) {
    ASSERT_EQ(LinkAs(kPlanter, own, shared / "run.replay"), 0);
    EXPECT_EQ(PlayerWrites(shared / "run.replay"), 1);
    EXPECT_EQ(ReadBytes(own), kMine);
    EXPECT_TRUE(fs::is_symlink(shared / "run.replay"));
    EXPECT_EQ(HomeNames(), std::vector<std::string>{"own.replay"});  // no temporary file either

    // a relative one, and one that leads on through a link of the player's own
    ASSERT_EQ(LinkAs(kPlayer, own, shared / "mine"), 0);
    ASSERT_EQ(LinkAs(kPlanter, "mine", shared / "hop.replay"), 0);
    EXPECT_EQ(PlayerWrites(shared / "hop.replay"), 1);
    EXPECT_EQ(ReadBytes(own), kMine);
}

TEST_F(SharedFolderLinks, AnotherUsersLinkToThePlayersFolderIsRefused) {
    ASSERT_EQ(LinkAs(kPlanter, home, shared / "folder"), 0);
    EXPECT_EQ(PlayerWrites(shared / "folder" / "own.replay"), 1);
    EXPECT_EQ(PlayerWrites(shared / "folder" / "new.replay"), 1);
    EXPECT_EQ(ReadBytes(own), kMine);
    EXPECT_EQ(HomeNames(), std::vector<std::string>{"own.replay"});
}

TEST_F(SharedFolderLinks, ThePlayersOwnAndTheFolderOwnersLinksAreWrittenThrough) {
    ASSERT_EQ(LinkAs(kPlayer, own, shared / "mine.replay"), 0);
    EXPECT_EQ(PlayerWrites(shared / "mine.replay"), 0);
    EXPECT_EQ(ReadBytes(own), (std::vector<unsigned char>{'n', 'e', 'w'}));
    EXPECT_TRUE(fs::is_symlink(shared / "mine.replay"));

    WriteBytes(own, kMine);
    fs::create_symlink(own, shared / "owners.replay");  // root owns the folder and this link
    EXPECT_EQ(PlayerWrites(shared / "owners.replay"), 0);
    EXPECT_EQ(ReadBytes(own), (std::vector<unsigned char>{'n', 'e', 'w'}));

    // without the sticky bit the kernel follows anyone's link, and so does the writer
    ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
    WriteBytes(own, kMine);
    ASSERT_EQ(LinkAs(kPlanter, own, shared / "open.replay"), 0);
    EXPECT_EQ(PlayerWrites(shared / "open.replay"), 0);
}

}  // namespace
