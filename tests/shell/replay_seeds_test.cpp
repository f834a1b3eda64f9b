// The replay fuzzer's seeds are replays the reader takes, of both versions, and each
// writes back to one that reads the same in every field: the fuzzer starts from files
// that reach the whole reader, not from refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "runtime/files.h"
#include "shell/replay.h"

namespace {

namespace fs = std::filesystem;

TEST(ReplaySeeds, EverySeedReadsAndWritesBackTheSame) {
    std::set<std::string> versions;
    int seeds = 0;
    for (const auto& entry : fs::directory_iterator(ZORBEX_SOURCE_DIR "/fuzz/corpus/replay")) {
        const std::string path = entry.path().string();
        std::string text, error;
        ASSERT_TRUE(ReadWholeFile(path.c_str(), size_t(1) << 20, &text, &error)) << error;
        Replay r, again;
        ASSERT_TRUE(ParseReplay(text.data(), text.size(), &r, &error)) << path << ": " << error;
        versions.insert(text.substr(0, text.find_first_of("\r\n")));
        const std::string written = FormatReplay(r);
        ASSERT_TRUE(ParseReplay(written.data(), written.size(), &again, &error)) << path << ": " << error;
        EXPECT_EQ(again.seed, r.seed) << path;
        EXPECT_EQ(again.difficulty, r.difficulty) << path;
        EXPECT_EQ(again.startStage, r.startStage) << path;
        EXPECT_EQ(again.options, r.options) << path;
        EXPECT_EQ(again.heldAtStart, r.heldAtStart) << path;
        EXPECT_EQ(again.truncated, r.truncated) << path;
        EXPECT_EQ(again.tableScores, r.tableScores) << path;
        EXPECT_EQ(again.tableStages, r.tableStages) << path;
        EXPECT_EQ(again.buttons, r.buttons) << path;
        ASSERT_EQ(again.checkpoints.size(), r.checkpoints.size()) << path;
        for (size_t i = 0; i < r.checkpoints.size(); i++) {
            EXPECT_EQ(again.checkpoints[i].frame, r.checkpoints[i].frame) << path;
            EXPECT_EQ(again.checkpoints[i].hash, r.checkpoints[i].hash) << path;
        }
        seeds++;
    }
    EXPECT_GE(seeds, 5);
    EXPECT_TRUE(versions.count("zorbex-replay 1"));
    EXPECT_TRUE(versions.count("zorbex-replay 2"));
}

}  // namespace
