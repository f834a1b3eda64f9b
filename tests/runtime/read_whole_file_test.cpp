// Reading a file whole: regular files, pipes and standard input are read; a FIFO that no
// program writes to, a device or a folder is refused at once; nothing larger than the
// limit is kept.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/files.h"
#include "shell/file_fixtures.h"

namespace {

using file_test::RunInChild;
namespace fs = std::filesystem;

class WholeFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("zorbex-read-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Path(const char* name) const { return (dir / name).string(); }

    // ReadWholeFile in a child killed after five seconds: 0 when it read `want`, 1 when
    // it refused with `refusal`, 2 for anything else, 124 when it blocked.
    static int ReadInChild(const std::string& path, const std::string& want, const std::string& refusal = "") {
        return RunInChild(false, 5, [&] {
            std::string text, error;
            if (ReadWholeFile(path.c_str(), size_t(1) << 20, &text, &error)) return text == want ? 0 : 2;
            return error == refusal ? 1 : 2;
        });
    }
    fs::path dir;
};

TEST_F(WholeFiles, AFifoWithoutAWriterADeviceOrAFolderIsRefusedAtOnce) {
    const std::string fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(ReadInChild(fifo, "", "cannot read " + fifo + ": a FIFO that no program is writing to"), 1);
    EXPECT_EQ(ReadInChild("/dev/zero", "", "cannot read /dev/zero: not a regular file or a pipe"), 1);
    EXPECT_EQ(ReadInChild(dir.string(), "", "cannot read " + dir.string() + ": Is a directory"), 1);
    EXPECT_EQ(ReadInChild(Path("missing"), "", "cannot open " + Path("missing") + ": No such file or directory"), 1);
}

// The writer holds the FIFO open before the reader comes, and writes a moment later.
TEST_F(WholeFiles, AFifoWithAWriterIsReadToItsEnd) {
    const std::string fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
        const int fd = ::open(fifo.c_str(), O_RDWR);
        if (fd < 0 || ::write(ready[1], "r", 1) != 1) ::_exit(1);
        ::usleep(200000);
        const bool wrote = ::write(fd, "1 fire\n", 7) == 7;
        ::_exit(wrote ? 0 : 1);
    }
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    EXPECT_EQ(ReadInChild(fifo, "1 fire\n"), 0);
    int status = 0;
    ::waitpid(writer, &status, 0);
    EXPECT_EQ(status, 0);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST_F(WholeFiles, PipesAndStandardInputAreRead) {
    int p[2];
    ASSERT_EQ(::pipe(p), 0);
    ASSERT_EQ(::write(p[1], "abc", 3), 3);
    ::close(p[1]);
    // a shell's <(...) names a pipe of the process: read as it is, even once its writer is gone
    EXPECT_EQ(ReadInChild("/proc/self/fd/" + std::to_string(p[0]), "abc"), 0);
    ASSERT_EQ(::pipe(p), 0);
    ::close(p[1]);
    EXPECT_EQ(ReadInChild("/proc/self/fd/" + std::to_string(p[0]), ""), 0);  // merely empty
    ::close(p[0]);

    ASSERT_EQ(::pipe(p), 0);
    ASSERT_EQ(::write(p[1], "from stdin", 10), 10);
    ::close(p[1]);
    EXPECT_EQ(RunInChild(false, 5,
                         [&] {
                             ::dup2(p[0], STDIN_FILENO);
                             std::string text, error;
                             return ReadWholeFile("-", 100, &text, &error) && text == "from stdin" ? 0 : 1;
                         }),
              0);
    ::close(p[0]);
}

// An endless pipe is cut at the limit, and its writer is not waited for.
TEST_F(WholeFiles, APipeLargerThanTheLimitIsRefused) {
    int p[2];
    ASSERT_EQ(::pipe(p), 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
        ::close(p[0]);
        static char zeros[65536];
        while (::write(p[1], zeros, sizeof zeros) > 0) {
        }
        ::_exit(0);
    }
    ::close(p[1]);
    const int result = RunInChild(false, 10, [&] {
        std::string text, error;
        const std::string path = "/proc/self/fd/" + std::to_string(p[0]);
        if (ReadWholeFile(path.c_str(), size_t(2) << 20, &text, &error)) return 1;
        return error == "cannot read " + path + ": larger than 2 MB" && text.empty() ? 0 : 2;
    });
    EXPECT_EQ(result, 0);
    ::close(p[0]);
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);

    // exactly at the limit is still whole
    const std::string full = Path("full");
    file_test::WriteBytes(full, std::vector<unsigned char>(size_t(1) << 20, 'x'));
    EXPECT_EQ(ReadInChild(full, std::string(size_t(1) << 20, 'x')), 0);
}

}  // namespace
