// The replay file: what it keeps, and what it refuses without crashing.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "shell/replay.h"

namespace {

Replay Sample() {
    Replay r;
    r.seed = 4000000000u;
    r.difficulty = 3;
    r.startStage = 7;
    r.options = RunInvincible | RunPowerMax;
    for (int i = 0; i < 130; i++) r.buttons.push_back(i < 100 ? 0x10 : static_cast<uint8_t>(i & 0x7F));
    r.checkpoints = {{60, 0x0123456789abcdefull}, {120, 0xfedcba9876543210ull}, {130, 1}};
    return r;
}

bool Parse(const std::string& text, Replay* r, std::string* error) {
    return ParseReplay(text.data(), text.size(), r, error);
}

TEST(ReplayFormat, RoundTripKeepsEveryField) {
    Replay in = Sample();
    std::string text = FormatReplay(in);
    Replay out;
    std::string error;
    ASSERT_TRUE(Parse(text, &out, &error)) << error;
    EXPECT_EQ(out.seed, in.seed);
    EXPECT_EQ(out.difficulty, in.difficulty);
    EXPECT_EQ(out.startStage, in.startStage);
    EXPECT_EQ(out.options, in.options);
    EXPECT_EQ(out.buttons, in.buttons);
    ASSERT_EQ(out.checkpoints.size(), 3u);
    EXPECT_EQ(out.checkpoints[1].frame, 120);
    EXPECT_EQ(out.checkpoints[1].hash, 0xfedcba9876543210ull);
    // held buttons are stored as one run
    EXPECT_NE(text.find("\n100 10\n"), std::string::npos);
}

TEST(ReplayFormat, WindowsLineEndingsAreAccepted) {
    std::string text = FormatReplay(Sample());
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    Replay out;
    std::string error;
    EXPECT_TRUE(Parse(crlf, &out, &error)) << error;
}

TEST(ReplayFormat, UnknownVersionIsRefusedByName) {
    std::string text = FormatReplay(Sample());
    text.replace(text.find("zorbex-replay 4"), 15, "zorbex-replay 6");
    Replay out;
    std::string error;
    EXPECT_FALSE(Parse(text, &out, &error));
    EXPECT_NE(error.find("version 6 is not supported"), std::string::npos) << error;
}

TEST(ReplayFormat, DamagedFilesAreRefusedWithTheirLine) {
    const std::string good = FormatReplay(Sample());
    struct Case {
        std::string from, to, line;
    };
    const Case cases[] = {
        {"zorbex-replay", "zorbex-replai", "line 1"},
        {"hash-scheme 2", "hash-scheme x", "line 2"},
        {"stage 7", "stage 29", "line 5"},
        {"options invincible", "options immortal", "line 6"},
        {"frames 130", "frames 1350001", "longer than any run the game records (1350000 at most)"},
        {"frames 130", "frames 131", "fewer frames"},
        {"frames 130", "frames 129", "more frames"},
        {"100 10\n", "100 80\n", "bad run"},            // a bit no button has
        {"100 10\n", "99999999999999999999 10\n", "bad run"},
        {"120 fedcba9876543210", "60 fedcba9876543210", "ascend"},
        {"130 0000000000000001", "131 0000000000000001", "bad hash"},
        {"end\n", "", "expected \"end\""},
        {"end\n", "end\nmore\n", "after \"end\""},
    };
    for (const Case& c : cases) {
        std::string text = good;
        size_t at = text.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        text.replace(at, c.from.size(), c.to);
        Replay out;
        std::string error;
        EXPECT_FALSE(Parse(text, &out, &error)) << c.from << " -> " << c.to;
        EXPECT_NE(error.find(c.line), std::string::npos) << c.from << " -> " << c.to << ": " << error;
        EXPECT_TRUE(out.buttons.empty());
    }
}

TEST(ReplayFormat, EveryTruncationIsRefused) {
    const std::string good = FormatReplay(Sample());
    for (size_t n = 0; n + 1 < good.size(); n++) {
        Replay out;
        std::string error;
        // cutting only the final newline still leaves a whole file
        bool ok = ParseReplay(good.data(), n, &out, &error);
        EXPECT_FALSE(ok) << "accepted the first " << n << " bytes";
    }
}

TEST(ReplayFormat, FilesRoundTripAndAFailedWriteLeavesNoFile) {
    std::string path = ::testing::TempDir() + "zorbex_replay_test.replay";
    std::string error;
    ASSERT_TRUE(WriteReplayFile(path.c_str(), Sample(), &error)) << error;
    Replay back;
    ASSERT_TRUE(ReadReplayFile(path.c_str(), &back, &error)) << error;
    EXPECT_EQ(back.buttons, Sample().buttons);
    std::remove(path.c_str());

    EXPECT_FALSE(WriteReplayFile("/nonexistent-dir/x.replay", Sample(), &error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);
    EXPECT_FALSE(ReadReplayFile("/nonexistent-dir/x.replay", &back, &error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);
}

TEST(ReplayFormat, HashesAfterEvery60thFrameAndTheLast) {
    EXPECT_FALSE(IsReplayCheckpoint(59, 1000));
    EXPECT_TRUE(IsReplayCheckpoint(60, 1000));
    EXPECT_TRUE(IsReplayCheckpoint(1000, 1000));
    EXPECT_FALSE(IsReplayCheckpoint(999, 1000));
}

// A verification must check the whole run: every hash the recorder writes, and no other.
TEST(ReplayFormat, OnlyHashesCoveringTheRunCanBeChecked) {
    std::string why;
    EXPECT_TRUE(ReplayHashesCanBeChecked(Sample(), &why)) << why;
    Replay exact = Sample();
    exact.buttons.resize(120);
    exact.checkpoints.pop_back();
    EXPECT_TRUE(ReplayHashesCanBeChecked(exact, &why)) << why;  // the last frame is a 60th

    auto refused = [&](Replay r, const char* what) {
        std::string reason;
        EXPECT_FALSE(ReplayHashesCanBeChecked(r, &reason)) << what;
        EXPECT_NE(reason.find("do not cover the run"), std::string::npos) << what << ": " << reason;
    };
    Replay none = Sample();
    none.checkpoints.clear();
    refused(none, "no hashes");
    Replay gap = Sample();
    gap.checkpoints.erase(gap.checkpoints.begin());
    refused(gap, "the hash at frame 60 missing");
    Replay lastMissing = Sample();
    lastMissing.checkpoints.pop_back();
    refused(lastMissing, "no hash at the last frame");
    Replay extra = Sample();
    extra.checkpoints.insert(extra.checkpoints.begin() + 1, {90, 5});
    refused(extra, "a hash between two 60ths");
}

// Files made before the hashes named behaviours still read, for their buttons, but their
// hashes are never held against this build's.
TEST(ReplayFormat, OlderHashSchemesAreReadButNotChecked) {
    std::string text = FormatReplay(Sample());
    text.replace(0, std::string("zorbex-replay 4\nhash-scheme 2\n").size(), "zorbex-replay 1\n");
    const size_t held = text.find("held 0\n");
    text.erase(held, text.find("frames ") - held);  // version 1 had no held, truncated or table
    Replay old;
    std::string error;
    ASSERT_TRUE(Parse(text, &old, &error)) << error;
    EXPECT_EQ(old.hashScheme, 1);
    EXPECT_EQ(old.buttons, Sample().buttons);
    EXPECT_FALSE(ReplayHashesCanBeChecked(old, &error));
    EXPECT_EQ(error, "recorded by an older build of the game: its state hashes cannot be checked");

    Replay newer = Sample();
    newer.hashScheme = kStateHashScheme + 1;
    ASSERT_TRUE(Parse(FormatReplay(newer), &old, &error)) << error;
    EXPECT_FALSE(ReplayHashesCanBeChecked(old, &error));
    EXPECT_NE(error.find("newer build"), std::string::npos) << error;
}

}  // namespace
