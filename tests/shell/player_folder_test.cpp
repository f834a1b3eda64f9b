// The player's folder: the working directory for a game run from its build folder,
// the XDG data folder for an installed one, created with its parents when missing.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "shell/player_folder.h"

namespace {

std::string Choose(bool installed, const char* xdg, const char* home) {
    char out[256];
    if (!ChoosePlayerFolder(installed, xdg, home, out, sizeof out)) return "<none>";
    return out;
}

TEST(PlayerFolder, BuildFolderKeepsTheWorkingDirectoryInstalledUsesXdg) {
    EXPECT_EQ(Choose(false, "/x/data", "/home/p"), "");
    EXPECT_EQ(Choose(false, nullptr, nullptr), "");
    EXPECT_EQ(Choose(true, "/x/data", "/home/p"), "/x/data/zorbex/");
    EXPECT_EQ(Choose(true, "/x/data/", "/home/p"), "/x/data/zorbex/");
    // unset, empty and relative values fall back to ~/.local/share
    EXPECT_EQ(Choose(true, nullptr, "/home/p"), "/home/p/.local/share/zorbex/");
    EXPECT_EQ(Choose(true, "", "/home/p/"), "/home/p/.local/share/zorbex/");
    EXPECT_EQ(Choose(true, "rel/data", "/home/p"), "/home/p/.local/share/zorbex/");
    EXPECT_EQ(Choose(true, nullptr, nullptr), "<none>");
    EXPECT_EQ(Choose(true, "", "relative-home"), "<none>");
    // a folder that does not fit is refused, not cut short
    char small[16];
    EXPECT_FALSE(ChoosePlayerFolder(true, "/a/very/long/data/home", nullptr, small, sizeof small));
    EXPECT_STREQ(small, "");
}

TEST(PlayerFolder, MakePlayerFolderCreatesParentsPrivatelyAndRefusesAFile) {
    const std::filesystem::path root = std::filesystem::temp_directory_path() /
                                       ("zorbex-folder-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root);
    const std::string folder = (root / "share" / "zorbex").string() + "/";
    ASSERT_TRUE(MakePlayerFolder(folder.c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    struct stat st;
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(MakePlayerFolder(folder.c_str()));  // already there: fine

    std::ofstream((root / "plain").string()) << "x";
    EXPECT_FALSE(MakePlayerFolder((root / "plain").string().c_str()));
    EXPECT_FALSE(MakePlayerFolder((root / "plain" / "below").string().c_str()));
    std::filesystem::remove_all(root);
}

}  // namespace
