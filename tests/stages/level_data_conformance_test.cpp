// The compiled-in stage scripts and layouts against the stage tables: sizes, timings,
// kinds, counts, sharing, and a camera and ship run over every layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "actors/actor.h"
#include "runtime/headless.h"
#include "shell/game.h"
#include "stages/stage_map.h"
#include "stages/stage_script.h"
#include "support/headless_game.h"

namespace {

struct ScriptRow {
    int stage;
    int lines;
    int bossFrame;
    int boss;
    std::set<int> kinds;
    std::set<int> events;  // other than 000
};

const ScriptRow kScripts[] = {
    {1, 195, 4955, 0, {0, 1, 3, 4, 99, 100}, {}},
    {2, 111, 4956, 2, {0, 1, 3, 6, 99, 100}, {}},
    {3, 211, 5811, 2, {0, 1, 3, 6, 99, 100}, {}},
    {4, 115, 2269, 4, {1, 2, 15, 16, 99}, {}},
    {5, 129, 2560, 7, {1, 2, 15, 16, 99}, {}},
    {6, 116, 2390, 4, {1, 2, 15, 16, 99}, {}},
    {7, 135, 5455, 3, {2, 3, 10, 15, 17, 99}, {}},
    {8, 85, 4362, 12, {0, 12, 17, 99}, {}},
    {9, 135, 5455, 3, {2, 3, 10, 15, 17, 99}, {}},
    {10, 86, 4362, 12, {0, 1, 2, 12, 99}, {}},
    {11, 127, 6142, 5, {2, 3, 6, 16, 99, 100}, {}},
    {12, 127, 6142, 1, {2, 3, 6, 16, 99, 100}, {}},
    {13, 278, 4909, 5, {0, 2, 15, 17, 28, 99}, {2, 3}},
    {14, 127, 6142, 1, {2, 3, 6, 16, 99, 100}, {}},
    {15, 127, 6142, 5, {2, 3, 6, 16, 99, 100}, {}},
    {16, 49, 3543, 6, {99}, {}},
    {17, 101, 4503, 9, {15, 16, 99}, {4, 5, 6, 7}},
    {18, 184, 4857, 6, {0, 1, 16, 29, 99, 100}, {}},
    {19, 49, 3543, 9, {99}, {}},
    {20, 101, 4503, 6, {15, 16, 99}, {4, 5, 6, 7}},
    {21, 184, 4857, 9, {0, 1, 16, 29, 99, 100}, {}},
    {22, 239, 7172, 13, {0, 1, 6, 16, 99, 100, 110}, {2, 3, 5}},
    {23, 239, 7172, 11, {0, 1, 6, 16, 99, 100, 110}, {2, 3, 5}},
    {24, 239, 7172, 8, {0, 1, 6, 16, 99, 100, 110}, {2, 3, 5}},
    {25, 239, 7172, 15, {0, 1, 6, 16, 99, 100, 110}, {2, 3, 5}},
    {26, 239, 7172, 10, {0, 1, 6, 16, 99, 100, 110}, {2, 3, 5}},
    {27, 239, 7172, 16, {0, 1, 6, 16, 99, 100, 110}, {2, 3, 5}},
    {28, 239, 7172, 14, {0, 1, 6, 16, 99, 100, 110}, {2, 3, 5}},
};

struct LayoutRow {
    int stage;
    const char* music;
    int rows;
    int rowLength;
    int startTopRow;     // -1: default
    int startLeftColumn; // -1: default
    const char* tiles;
    std::map<char, int> objects;
    std::map<char, int> controls;
};

const LayoutRow kLayouts[] = {
    {1, "data/Sound03.mp3", 17, 219, -1, -1, "a", {{'A', 1}, {'F', 4}}, {{'@', 1}}},
    {2, "data/Sound01.mp3", 32, 201, -1, -1, "ab", {{'A', 33}, {'J', 5}},
     {{'2', 1}, {'6', 2}, {'9', 1}, {'@', 1}}},
    {3, "data/Sound01.mp3", 47, 220, -1, -1, "a", {}, {{'3', 2}, {'6', 6}, {'9', 1}, {'@', 1}}},
    {4, "data/Sound07.mp3", 17, 61, -1, -1, "", {}, {{'@', 1}}},
    {5, "data/Sound07.mp3", 17, 61, -1, -1, "", {}, {{'@', 1}}},
    {6, "data/Sound07.mp3", 17, 61, -1, -1, "", {}, {{'@', 1}}},
    {7, "data/Sound02.mp3", 17, 271, -1, -1, "a", {{'A', 80}}, {{'+', 6}, {'@', 1}}},
    {8, "data/Sound02.mp3", 17, 195, -1, -1, "a", {{'B', 81}, {'C', 146}, {'D', 27}}, {{'@', 1}}},
    {9, "data/Sound02.mp3", 17, 274, -1, -1, "a", {{'A', 80}}, {{'+', 8}, {'@', 1}}},
    {10, "data/Sound02.mp3", 17, 198, -1, -1, "a", {{'B', 81}, {'C', 146}, {'D', 27}}, {{'@', 1}}},
    {11, "data/Sound00.mp3", 47, 191, -1, -1, "a",
     {{'A', 14}, {'B', 6}, {'C', 407}, {'D', 8}, {'F', 1}, {'H', 1}, {'I', 1}},
     {{'1', 1}, {'2', 1}, {'6', 1}, {'@', 1}}},
    {12, "data/Sound00.mp3", 47, 191, 31, -1, "a",
     {{'A', 4}, {'B', 6}, {'C', 20}, {'D', 2}, {'E', 13}, {'F', 9}, {'I', 1}, {'J', 48}},
     {{'6', 1}, {'7', 1}, {'8', 1}, {'@', 1}}},
    {13, "data/Sound09.mp3", 17, 61, -1, -1, "", {}, {{'@', 1}}},
    {14, "data/Sound00.mp3", 47, 191, -1, -1, "a",
     {{'A', 14}, {'B', 6}, {'C', 20}, {'D', 8}, {'F', 1}, {'H', 1}, {'I', 1}},
     {{'1', 1}, {'2', 1}, {'6', 1}, {'@', 1}}},
    {15, "data/Sound00.mp3", 47, 191, 31, -1, "a",
     {{'A', 4}, {'B', 6}, {'C', 218}, {'D', 2}, {'E', 13}, {'F', 9}, {'I', 1}, {'J', 46}},
     {{'6', 1}, {'7', 1}, {'8', 1}, {'@', 1}}},
    {16, "data/Sound03.mp3", 32, 374, -1, -1, "a",
     {{'A', 7}, {'B', 3}, {'C', 12}, {'E', 2}, {'F', 6}, {'G', 2}, {'H', 3}, {'I', 21}, {'J', 8}},
     {{'%', 1}, {'+', 9}, {'2', 1}, {'4', 1}, {'6', 6}, {'9', 2}, {'@', 1}}},
    {17, "data/Sound03.mp3", 17, 61, -1, -1, "", {}, {{'@', 1}}},
    {18, "data/Sound03.mp3", 47, 400, -1, 370, "a",
     {{'A', 5}, {'C', 29}, {'E', 1}, {'F', 3}, {'G', 1}, {'H', 4}, {'I', 3}},
     {{'$', 2}, {'*', 1}, {'+', 8}, {'4', 1}}},
    {19, "data/Sound03.mp3", 32, 374, -1, -1, "a",
     {{'A', 7}, {'B', 3}, {'C', 7}, {'E', 2}, {'F', 7}, {'G', 4}, {'I', 11}, {'J', 8}},
     {{'%', 1}, {'+', 9}, {'2', 1}, {'4', 1}, {'6', 6}, {'9', 2}, {'@', 1}}},
    {20, "data/Sound03.mp3", 17, 61, -1, -1, "", {}, {{'@', 1}}},
    {21, "data/Sound03.mp3", 47, 400, -1, 370, "a",
     {{'A', 5}, {'C', 29}, {'E', 1}, {'F', 3}, {'G', 1}, {'H', 4}, {'I', 3}},
     {{'$', 2}, {'*', 1}, {'+', 8}, {'4', 1}}},
    {22, "data/Sound06.mp3", 17, 61, -1, -1, "", {}, {{'@', 1}}},
    {23, "data/Sound06.mp3", 17, 61, -1, -1, "", {}, {{'@', 1}}},
    {24, "data/Sound06.mp3", 17, 61, -1, -1, "", {}, {{'@', 1}}},
    {25, "data/Sound06.mp3", 17, 61, -1, -1, "", {}, {{'@', 1}}},
    {26, "data/Sound06.mp3", 17, 61, -1, -1, "", {}, {{'@', 1}}},
    {27, "data/Sound06.mp3", 17, 61, -1, -1, "", {}, {{'@', 1}}},
    {28, "data/Sound06.mp3", 17, 61, -1, -1, "", {}, {{'@', 1}}},
};

std::vector<std::string> SplitLines(const char* text) {
    std::vector<std::string> out;
    std::string line;
    std::istringstream in(text ? text : "");
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
    }
    return out;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> out;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ',')) out.push_back(field);
    return out;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// Frame in which each line runs: lines between waits share a frame, and a wait,N
// puts the next line N + 1 frames later.
std::vector<int> LineFrames(const std::vector<std::string>& lines) {
    std::vector<int> frames;
    int frame = 0;
    for (const std::string& line : lines) {
        frames.push_back(frame);
        std::vector<std::string> f = Fields(line);
        if (!f.empty() && f[0] == "wait" && f.size() > 1) frame += std::stoi(f[1]) + 1;
    }
    return frames;
}

int BossLineIndex(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); i++)
        if (StartsWith(lines[i], "event,000,")) return static_cast<int>(i);
    return -1;
}

std::vector<std::string> Script(int stage) { return SplitLines(StageScriptText(stage)); }

// The map rows of a layout text, as the map builder reads them.
std::vector<std::string> LayoutRows(int stage) {
    std::vector<std::string> rows;
    for (std::string line : SplitLines(StageLayoutText(stage))) {
        if (!line.empty() && line[0] == '#') continue;
        if (!line.empty() && line.back() == '|') line.pop_back();
        rows.push_back(line);
    }
    return rows;
}

}  // namespace

TEST(LevelData, ScriptsMatchTheStageTable) {
    int total = 0;
    for (const ScriptRow& row : kScripts) {
        SCOPED_TRACE("stage " + std::to_string(row.stage));
        std::vector<std::string> lines = Script(row.stage);
        total += static_cast<int>(lines.size());
        EXPECT_EQ(static_cast<int>(lines.size()), row.lines);
        std::set<int> kinds, events;
        int bossLines = 0;
        for (const std::string& line : lines) {
            EXPECT_LE(line.size(), 30u) << line;
            std::vector<std::string> f = Fields(line);
            if (f.size() >= 2 && f[0] == "enemy") kinds.insert(std::stoi(f[1]));
            if (f.size() >= 2 && f[0] == "event") {
                int id = std::stoi(f[1]);
                if (id == 0) bossLines++;
                else events.insert(id);
            }
        }
        EXPECT_EQ(kinds, row.kinds);
        EXPECT_EQ(events, row.events);
        EXPECT_EQ(bossLines, 1);
        int boss = BossLineIndex(lines);
        ASSERT_GE(boss, 1);
        EXPECT_EQ(LineFrames(lines)[boss], row.bossFrame);
        EXPECT_EQ(lines[boss], "event,000," + std::to_string(row.boss));
        // the ending: "// boss", an optional wait, the boss line, "end"
        ASSERT_EQ(boss + 2, static_cast<int>(lines.size()));
        EXPECT_EQ(lines.back(), "end");
        int comment = StartsWith(lines[boss - 1], "wait,") ? boss - 2 : boss - 1;
        EXPECT_EQ(lines[comment], "// boss");
    }
    EXPECT_EQ(total, 4445);
}

// Every number field of an enemy line, for the position rules below.
TEST(LevelData, EnemiesEnterWhereTheirKindsDo) {
    for (const ScriptRow& row : kScripts) {
        SCOPED_TRACE("stage " + std::to_string(row.stage));
        for (const std::string& line : Script(row.stage)) {
            std::vector<std::string> f = Fields(line);
            if (f.empty() || f[0] != "enemy") continue;
            int kind = std::stoi(f[1]);
            if (kind == 15 || kind == 16) {
                ASSERT_EQ(f.size(), 3u) << line;
                EXPECT_GT(std::stoi(f[2]), 0) << line;
                continue;
            }
            if (line == "enemy,012,191") continue;  // the short line of stages 8 and 10
            ASSERT_GE(f.size(), 4u) << line;
            int x = std::stoi(f[2]), y = std::stoi(f[3]);
            bool edgeY = false;
            switch (kind) {
            case 0: case 1: case 4: case 17: case 29: case 100: EXPECT_EQ(x, 640) << line; break;
            case 10: EXPECT_EQ(x, 640) << line; ASSERT_EQ(f.size(), 5u) << line; break;
            case 2: EXPECT_EQ(x, -32) << line; break;
            case 3:
                edgeY = y == -64 || y == 480;
                EXPECT_TRUE(x == 640 || (edgeY && x >= 128 && x <= 640)) << line;
                break;
            case 6:
                edgeY = y == -32 || y == 480;
                EXPECT_TRUE(x == 640 || edgeY) << line;
                break;
            case 28: EXPECT_EQ(y, -32) << line; edgeY = true; break;
            case 99: {
                ASSERT_EQ(f.size(), 6u) << line;
                int item = std::stoi(f[4]), pattern = std::stoi(f[5]);
                EXPECT_TRUE(item >= 0 && item <= 6) << line;
                EXPECT_TRUE(pattern >= 1 && pattern <= 3) << line;
                EXPECT_EQ(x, pattern == 2 ? -32 : 640) << line;
                break;
            }
            case 110: EXPECT_TRUE(x == 700 && y == 393) << line; edgeY = true; break;
            case 12: EXPECT_EQ(x, 640) << line; break;
            default: ADD_FAILURE() << "kind without a position rule: " << line;
            }
            // stage 1's "enemy,003,640,0" is the one line that creates nothing
            if (!edgeY && line != "enemy,003,640,0") {
                EXPECT_TRUE(y >= 1 && y <= 460) << line;
            }
        }
    }
}

TEST(LevelData, SharedScriptsDifferOnlyInTheBoss) {
    auto withoutBoss = [](int stage) {
        std::vector<std::string> lines = Script(stage);
        int boss = BossLineIndex(lines);
        if (boss >= 0) lines[boss] = "event,000,?";
        return lines;
    };
    EXPECT_EQ(Script(11), Script(15));
    EXPECT_EQ(Script(12), Script(14));
    EXPECT_NE(Script(11), Script(12));
    EXPECT_EQ(withoutBoss(11), withoutBoss(12));
    for (auto [a, b] : {std::pair{16, 19}, {17, 20}, {18, 21}}) {
        EXPECT_NE(Script(a), Script(b)) << a << " " << b;
        EXPECT_EQ(withoutBoss(a), withoutBoss(b)) << a << " " << b;
    }
    for (int stage = 23; stage <= 28; stage++) EXPECT_EQ(withoutBoss(22), withoutBoss(stage)) << stage;
    // nothing else is shared by accident
    EXPECT_NE(withoutBoss(7), withoutBoss(9));
    EXPECT_NE(withoutBoss(4), withoutBoss(6));
}

TEST(LevelData, SpecialLinesStandInTheirStages) {
    const std::vector<std::string> passage = {
        "// re-za-", "event,003,260,480,8,6", "enemy,099,640,96,1,1", "wait,300",
        "event,002,640,224,4,6", "enemy,099,640,96,1,1", "wait,300", "event,002,0,96,6,6",
        "enemy,099,640,96,1,1", "wait,300", "event,003,260,0,2,6"};
    std::vector<std::string> s13 = Script(13);
    EXPECT_NE(std::search(s13.begin(), s13.end(), passage.begin(), passage.end()), s13.end());
    for (int stage = 1; stage <= 28; stage++) {
        std::vector<std::string> lines = Script(stage);
        bool has = std::find(lines.begin(), lines.end(), "enemy,012,191") != lines.end();
        EXPECT_EQ(has, stage == 8 || stage == 10) << stage;
    }
}

TEST(LevelData, LayoutsMatchTheLayoutTable) {
    for (const LayoutRow& row : kLayouts) {
        SCOPED_TRACE("stage " + std::to_string(row.stage));
        const StageLayout& layout = StageLayoutFor(row.stage);
        EXPECT_STREQ(layout.music, row.music);
        EXPECT_EQ(layout.startTopRow, row.startTopRow);
        EXPECT_EQ(layout.startLeftColumn, row.startLeftColumn);
        std::vector<std::string> rows = LayoutRows(row.stage);
        ASSERT_EQ(static_cast<int>(rows.size()), row.rows);
        std::map<char, int> objects, controls;
        std::set<char> tiles;
        for (const std::string& r : rows) {
            EXPECT_EQ(static_cast<int>(r.size()), row.rowLength);
            for (char c : r) {
                if (c >= 'a' && c <= 'z') tiles.insert(c);
                else if (c >= 'A' && c <= 'J') objects[c]++;
                else if (c != ' ') controls[c]++;
            }
        }
        EXPECT_EQ(std::string(tiles.begin(), tiles.end()), row.tiles);
        EXPECT_EQ(objects, row.objects);
        EXPECT_EQ(controls, row.controls);
    }
    // the backward run's bands, and the band jump of the two works
    for (int stage : {18, 21}) {
        std::vector<std::string> rows = LayoutRows(stage);
        EXPECT_EQ(rows[2][1], '$');
        EXPECT_EQ(rows[17][1], '$');
        EXPECT_EQ(rows[32][1], '*');
        bool turnInFirstView = false;  // rows 1 to 16, columns 370 to 390
        for (int r = 1; r <= 16; r++)
            for (int c = 370; c <= 390; c++) turnInFirstView |= rows[r][c] == '4';
        EXPECT_TRUE(turnInFirstView);
    }
}

// A camera and ship run over every layout, with the real map code: the camera meets
// the loop cell, and at every moment the ship has somewhere to be that the scenery
// lets it reach (tiles and blocks solid, installations counted as obstacles).
class LevelCamera : public HeadlessGame {};

TEST_F(LevelCamera, EveryLayoutLoopsAndLeavesTheShipAWayThrough) {
    SetDrawingEnabled(false);
    for (int stage = 1; stage <= 28; stage++) {
        SCOPED_TRACE("stage " + std::to_string(stage));
        if (stage != 1 && StageLayoutText(stage) == StageLayoutText(stage - 1)) continue;
        std::vector<std::string> rows = LayoutRows(stage);
        auto solid = [&](int r, int c) {
            if (r < 0 || c < 0 || r >= static_cast<int>(rows.size())) return false;
            // a 64x64 installation fills its cell and the three below and to the right
            for (int dr = 0; dr < 2; dr++)
                for (int dc = 0; dc < 2; dc++) {
                    if (r - dr < 0 || c - dc < 0 || c - dc >= static_cast<int>(rows[r - dr].size())) continue;
                    char ch = rows[r - dr][c - dc];
                    if (ch >= 'D' && ch <= 'J') return true;
                }
            if (c >= static_cast<int>(rows[r].size())) return false;
            char ch = rows[r][c];
            return (ch >= 'a' && ch <= 'z') || ch == 'B' || ch == 'C';
        };
        stageNumber = stage;
        StartStage();
        int bossFrame = 0;
        for (const ScriptRow& row : kScripts)
            if (row.stage == stage) bossFrame = row.bossFrame;
        // ship positions on an 8-pixel grid, advanced every 4 frames by up to two cells
        constexpr int kGrid = 8, kGX = 576 / kGrid + 1, kGY = 416 / kGrid + 1, kStep = 4;
        std::vector<char> reach(kGX * kGY, 0), next(kGX * kGY), open(kGX * kGY);
        int loops = 0, bandJumps = 0;
        // through the warning and well into the boss fight, until the loop has been met
        for (int frame = 0; frame < bossFrame + 3000; frame++) {
            if (loops > 0 && frame > bossFrame + 1200) break;
            int32_t before = mapLeftColumn;
            int32_t topBefore = mapTopRow;
            ScrollAndDrawMap();
            ReleaseAllActors();
            if (mapTopRow - topBefore == 15) bandJumps++;
            // a jump of ten columns, give or take the camera's own carry in that frame
            else if (std::abs(std::abs(mapLeftColumn - before) - 10) <= 1) loops++;
            if ((stage == 18 || stage == 21) && frame == 0) {
                EXPECT_EQ(scrollDir, 180);
            }
            if (frame % kStep || frame < 48) continue;
            double ox = mapLeftColumn * 32.0 + mapSubX, oy = mapTopRow * 32.0 + mapSubY;
            auto wall = [&](double px, double py) {
                return solid(static_cast<int>((oy + py) / 32), static_cast<int>((ox + px) / 32));
            };
            int count = 0;
            for (int gy = 0; gy < kGY; gy++)
                for (int gx = 0; gx < kGX; gx++) {
                    double x = gx * kGrid, y = gy * kGrid;
                    open[gy * kGX + gx] = !(wall(x + 11, y + 22) || wall(x + 53, y + 22) ||
                                            wall(x + 11, y + 36) || wall(x + 53, y + 36));
                }
            if (frame == 48) {
                reach = open;
                continue;
            }
            for (int gy = 0; gy < kGY; gy++)
                for (int gx = 0; gx < kGX; gx++) {
                    bool near = false;
                    for (int dy = -2; dy <= 2 && !near; dy++)
                        for (int dx = -2; dx <= 2 && !near; dx++) {
                            if (std::abs(dx) + std::abs(dy) > 3) continue;
                            int nx = gx + dx, ny = gy + dy;
                            near = nx >= 0 && ny >= 0 && nx < kGX && ny < kGY && reach[ny * kGX + nx];
                        }
                    next[gy * kGX + gx] = near && open[gy * kGX + gx];
                    count += next[gy * kGX + gx];
                }
            reach.swap(next);
            ASSERT_GT(count, 0) << "no way through at frame " << frame << ", view column "
                                << mapLeftColumn << " row " << mapTopRow;
        }
        EXPECT_GT(loops, 0) << "the camera never met the loop cell";
        EXPECT_EQ(bandJumps, (stage == 18 || stage == 21) ? 2 : (stage == 16 || stage == 19) ? 1 : 0);
    }
}

// The interpreter itself runs each boss line in the frame of the table.
TEST_F(LevelCamera, InterpreterRunsTheBossLineInTheTableFrame) {
    SetDrawingEnabled(false);
    for (const ScriptRow& row : kScripts) {
        SCOPED_TRACE("stage " + std::to_string(row.stage));
        stageNumber = row.stage;
        LoadStageScript();
        scriptLine = scriptWait = 0;
        scriptEnded = 0;
        int boss = BossLineIndex(Script(row.stage));
        int frame = 0;
        for (; frame < 20000; frame++) {
            RunStageScript();
            ReleaseAllActors();
            if (scriptLine > boss || scriptEnded) break;
        }
        EXPECT_EQ(frame, row.bossFrame);
        EXPECT_TRUE(scriptEnded);
    }
}
