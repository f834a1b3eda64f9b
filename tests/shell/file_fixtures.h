// Shared set-up of the file tests: a scratch folder holding "config.dat" and
// "zorbexG.dat", and cases run in a child process, as an unprivileged user where
// permissions matter (the suite usually runs as root, which ignores them).
#pragma once

#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "shell/save_files.h"

namespace file_test {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

// The user an unprivileged case runs as: nobody under root, else the user running the tests.
inline uid_t TestUser() { return ::geteuid() == 0 ? kNobody : ::geteuid(); }
inline gid_t TestGroup() { return ::geteuid() == 0 ? kNobody : ::getegid(); }

// Runs `body` in a child process as `user` (the same user when it is this one's), killed
// after `seconds` so that a case that blocks fails instead of hanging the suite. The
// child's result: body's value (0 for success), 124 when it timed out, 125 when the
// user could not be taken.
inline int RunInChildAs(uid_t user, int seconds, const std::function<int()>& body) {
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(static_cast<unsigned>(seconds));
        if (user != ::geteuid() && (::setgroups(0, nullptr) != 0 || ::setgid(user) != 0 || ::setuid(user) != 0))
            ::_exit(125);
        const int result = body();
        std::fflush(stderr);
        ::_exit(result);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFSIGNALED(status)) return WTERMSIG(status) == SIGALRM ? 124 : 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

// The same, as the unprivileged test user when `unprivileged`.
inline int RunInChild(bool unprivileged, int seconds, const std::function<int()>& body) {
    return RunInChildAs(unprivileged ? TestUser() : ::geteuid(), seconds, body);
}

inline void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A table unlike the default one: 80 bytes of scores 1..10 and stages 11..20.
inline std::vector<unsigned char> PlayerTable() {
    std::vector<unsigned char> bytes;
    for (int v = 1; v <= 20; v++) bytes.insert(bytes.end(), {static_cast<unsigned char>(v), 0, 0, 0});
    return bytes;
}

class FileFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / ("zorbex-files-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        config = (dir / "config.dat").string();
        save = (dir / "zorbexG.dat").string();
        configFileName = config.c_str();
        saveFileName = save.c_str();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir, fs::perms::owner_all, ignored);
        fs::remove_all(dir, ignored);
        configFileName = "config.dat";
        saveFileName = "zorbexG.dat";
    }
    // Hands the folder and what it holds to the unprivileged test user.
    void GiveFolderToTestUser() {
        ASSERT_EQ(::chown(dir.c_str(), TestUser(), TestGroup()), 0);
        for (const auto& entry : fs::directory_iterator(dir))
            ASSERT_EQ(::lchown(entry.path().c_str(), TestUser(), TestGroup()), 0);
    }
    // The names in the folder, to see that nothing was left behind.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path dir;
    std::string config, save;
};

}  // namespace file_test
