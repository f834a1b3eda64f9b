// The stage script: line timing, same-frame runs, zero guards, the end, and stage 1.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "bosses/bosses.h"
#include "runtime/headless.h"
#include "stages/stage_fixture.h"

class StageScript : public StageTest {};

TEST_F(StageScript, WaitZeroDelaysTheNextLineOneFrameAndWaitOneTwo) {
    EnterStage(1);
    UseScript({"wait,0", "enemy,000,640,64", "wait,1", "enemy,000,640,96", "end"});
    Frame();
    EXPECT_EQ(CountGroup(GroupEnemy), 0);
    Frame();  // the line after wait,0
    EXPECT_EQ(CountGroup(GroupEnemy), 1);
    Frame();
    EXPECT_EQ(CountGroup(GroupEnemy), 1);
    Frame();  // two frames after wait,1
    EXPECT_EQ(CountGroup(GroupEnemy), 2);
}

TEST_F(StageScript, LinesBetweenWaitsRunInOneFrameInScriptOrder) {
    EnterStage(1);
    UseScript({"// zako", "enemy,000,640,64", "enemy,000,640,96", "enemy,000,640,128",
               "enemy,000,640,160", "wait,5", "enemy,000,640,200", "end"});
    Frame();
    std::vector<Actor*> enemies = Group(GroupEnemy);
    ASSERT_EQ(enemies.size(), 4u);
    for (int i = 0; i < 4; i++) {
        // appended in order, and moved once already in the frame they were created
        EXPECT_FLOAT_EQ(enemies[i]->x, 640 - 2.8f) << i;
        EXPECT_NEAR(enemies[i]->y, 64 + 32 * i - 0.12f, 1e-4) << i;
    }
    EXPECT_EQ(scriptLine, 6);
    EXPECT_EQ(scriptWait, 5);
}

TEST_F(StageScript, ZeroGuardsAndUnknownIdsCreateNothing) {
    EnterStage(1);
    UseScript({"enemy,003,640,0", "enemy,099,640,96,1,0", "event,001,5", "enemy,011,640,64",
               "enemy,012,191", "enemy,015,0", "enemy,007,640,64", "enemy,000,+64,64", "wait,0",
               "enemy,003,640,1", "enemy,099,640,96,0,3", "end"});
    Frame();
    EXPECT_EQ(CountGroup(GroupEnemy), 0);
    EXPECT_EQ(CountGroup(GroupEffect), 0);
    Frame();
    std::vector<Actor*> enemies = Group(GroupEnemy);
    ASSERT_EQ(enemies.size(), 2u);
    EXPECT_EQ(enemies[0]->width, 64);  // the charger at the top edge
    EXPECT_EQ(enemies[0]->scoreValue, 300);
    EXPECT_EQ(enemies[1]->scoreValue, 100);  // the carrier with item 0
}

TEST_F(StageScript, NumbersStopAtTheFirstOtherCharacter) {
    EnterStage(1);
    UseScript({"enemy,000,640px,-5y", "end"});
    Frame();
    std::vector<Actor*> enemies = Group(GroupEnemy);
    ASSERT_EQ(enemies.size(), 1u);
    EXPECT_FLOAT_EQ(enemies[0]->x, 640 - 2.8f);
    EXPECT_NEAR(enemies[0]->y, -5 - 0.12f, 1e-4);
}

// Every comma starts a field, an empty one reads 0: empty fields never shift the others.
TEST_F(StageScript, EmptyFieldsReadAsZeroInTheirPlace) {
    EnterStage(1);
    UseScript({",enemy,000,640,64", "enemy,,000,640,64", "enemy,099,640,96,,1", "end"});
    RunStageScript();
    std::vector<Actor*> enemies = Group(GroupEnemy);
    ASSERT_EQ(enemies.size(), 1u);
    Actor* carrier = enemies[0];
    EXPECT_EQ(carrier->scoreValue, 100);
    EXPECT_FLOAT_EQ(carrier->x, 640);
    EXPECT_FLOAT_EQ(carrier->y, 96);
    carrier->hp = 0;
    Updates(carrier, 1);
    EXPECT_EQ(CountGroup(GroupItem), 1);  // shot down, it leaves item 0
}

// Numbers no level writes stay inside what their field means, so nothing made from
// them can overflow: huge ones stop at 32 bits instead of wrapping, then are clamped.
TEST_F(StageScript, HostileNumbersAreBoundedToWhatTheirFieldsMean) {
    EnterStage(1);
    UseScript({"enemy,000,2000000000,-2000000000", "enemy,000,4294967936,64",
               "enemy,000,-99999999999,64", "enemy,010,640,100,360", "enemy,010,640,100,-90",
               "end"});
    RunStageScript();
    std::vector<Actor*> enemies = Group(GroupEnemy);
    ASSERT_EQ(enemies.size(), 5u);
    EXPECT_FLOAT_EQ(enemies[0]->x, 1280);
    EXPECT_FLOAT_EQ(enemies[0]->y, -480);
    EXPECT_FLOAT_EQ(enemies[1]->x, 1280);  // not 640, as a wrap to 32 bits would read it
    EXPECT_FLOAT_EQ(enemies[2]->x, -640);
    EXPECT_EQ(enemies[3]->work[kDir].i, 0);  // 360 is no zero for the guard, but 0 degrees
    EXPECT_EQ(enemies[4]->work[kDir].i, 270);
    ReleaseAllActors();

    // an item beyond the carrier's pictures draws nothing and drops nothing
    SetDrawingEnabled(true);
    UseScript({"enemy,099,640,96,268435455,1", "enemy,099,640,160,6,1", "end"});
    RunStageScript();
    enemies = Group(GroupEnemy);
    ASSERT_EQ(enemies.size(), 2u);
    DrawActors();
    for (Actor* a : enemies) {
        a->hp = 0;
        Updates(a, 1);
    }
    EXPECT_EQ(CountGroup(GroupItem), 1);  // only item 6

    // counts of frames at the lowest int end at once instead of wrapping to the highest
    UseScript({"enemy,015,-2147483648", "end"});
    RunStageScript();
    Actor* emitter = Newest();
    UseScript({"event,004,-2147483648", "end"});
    RunStageScript();
    Actor* stream = Newest();
    ASSERT_NE(emitter, stream);
    Updates(emitter, 1);
    Updates(stream, 1);
    EXPECT_FALSE(emitter->alive);
    EXPECT_FALSE(stream->alive);
}

TEST_F(StageScript, EndStopsEverythingAfterIt) {
    EnterStage(1);
    UseScript({"end", "enemy,000,640,64", "wait,0", "enemy,000,640,96"});
    Frames(5);
    EXPECT_EQ(CountGroup(GroupEnemy), 0);
    EXPECT_EQ(scriptLine, 0);
    EXPECT_EQ(scriptEnded, 1);
}

TEST_F(StageScript, WaitWithoutNumberGoesOnNextFrame) {
    EnterStage(1);
    UseScript({"wait", "enemy,000,640,64", "end"});
    Frame();
    EXPECT_EQ(CountGroup(GroupEnemy), 0);
    Frame();
    EXPECT_EQ(CountGroup(GroupEnemy), 1);
}

TEST_F(StageScript, SplitLinesRunOnceAndATableWithoutEndStopsAtItsLastLine) {
    EnterStage(1);
    UseScript({"wait,3", "enemy,000,640,64", "// more"});
    Frame();
    EXPECT_STREQ(StageScriptTable[0], "wait");  // the split wrote its terminator
    Frames(4);
    EXPECT_STREQ(StageScriptTable[1], "enemy");
    EXPECT_EQ(CountGroup(GroupEnemy), 1);
    EXPECT_EQ(scriptEnded, 1);
    EXPECT_EQ(scriptLine, kScriptLines - 1);
    Frames(3);
    EXPECT_EQ(CountGroup(GroupEnemy), 1);
}

TEST_F(StageScript, StageOneScriptIsLoadedLineForLine) {
    stageNumber = 13;  // a longer script first: its tail must not survive
    LoadStageScript();
    stageNumber = 1;
    LoadStageScript();
    EXPECT_STREQ(StageScriptTable[0], "// wait4800");
    EXPECT_STREQ(StageScriptTable[3], "enemy,099,640,100,0,1");
    EXPECT_STREQ(StageScriptTable[108], "enemy,003,640,0");
    EXPECT_STREQ(StageScriptTable[191], "// boss");
    EXPECT_STREQ(StageScriptTable[193], "event,000,0");
    EXPECT_STREQ(StageScriptTable[194], "end");
    for (int i = 195; i < kScriptLines; i++) ASSERT_EQ(StageScriptTable[i][0], '\0') << i;

    std::strcpy(StageScriptTable[0], "kept");
    stageNumber = 29;  // no such stage: the table stays as it is
    LoadStageScript();
    EXPECT_STREQ(StageScriptTable[0], "kept");
}

TEST_F(StageScript, SharedScriptsTakeTheirSourceWithTheirOwnBoss) {
    stageNumber = 11;
    LoadStageScript();
    static char source[kScriptLines][kScriptLineBytes];
    std::memcpy(source, StageScriptTable, sizeof source);
    stageNumber = 12;
    LoadStageScript();
    int bossLines = 0;
    for (int i = 0; i < kScriptLines; i++) {
        if (std::strcmp(source[i], "event,000,5") == 0) {
            EXPECT_STREQ(StageScriptTable[i], "event,000,1");
            bossLines++;
        } else {
            ASSERT_STREQ(StageScriptTable[i], source[i]) << i;
        }
    }
    EXPECT_EQ(bossLines, 1);
}

// Stage 1 from its first play frame, fire held, the ship kept in lives: its boss
// event runs in frame 4955 and the script stops on its end line.
TEST_F(StageScript, StageOneBossEventRunsInFrame4955) {
    EnterStage(1);
    int bossFrame = -1;
    for (int frame = 0; frame <= 4960; frame++) {
        lives = 3;
        Frame(PadButton1);
        ASSERT_EQ(currentScene, ScenePlay);
        if (bossEventRequested && bossFrame < 0) {
            bossFrame = frame;
            // the stage music gives way to the warning in that very frame
            EXPECT_STREQ(CurrentMusicFile(), "data/SoundWarning.mp3");
        }
        if (!bossEventRequested) {
            ASSERT_STREQ(CurrentMusicFile(), "data/Sound03.mp3") << frame;
        }
    }
    EXPECT_EQ(bossFrame, 4955);
    EXPECT_EQ(bossEventIndex, 0);
    EXPECT_EQ(scriptEnded, 1);
    EXPECT_EQ(scriptLine, 194);
}

// Every row of the catalogue is reachable from a script line and starts its enemy with the
// row's numbers, whatever the kind's own set-up adds.
TEST_F(StageScript, EveryCatalogueRowCreatesItsKindWithItsNumbers) {
    std::set<int32_t> ids;
    for (int i = 0; i < EnemyKindCount(); i++) {
        const EnemyKind& kind = EnemyKindAt(i);
        EXPECT_TRUE(ids.insert(kind.id).second) << "kind " << kind.id << " twice";
        int spawns = (kind.spawnAt != nullptr) + (kind.spawnAtDir != nullptr) +
                     (kind.spawnFor != nullptr) + (kind.spawnCarrier != nullptr);
        EXPECT_EQ(spawns, 1) << "kind " << kind.id;

        ReleaseAllActors();
        rank = 37;
        char line[64];
        if (kind.spawnFor) std::snprintf(line, sizeof line, "enemy,%03d,5", kind.id);
        else std::snprintf(line, sizeof line, "enemy,%03d,300,200,180,1", kind.id);
        EnterStage(1);
        UseScript({line, "end"});
        RunStageScript();
        std::vector<Actor*> made = Group(GroupEnemy);
        ASSERT_EQ(made.size(), 1u) << line;
        const Actor* a = made[0];
        EXPECT_EQ(a->width, kind.width) << line;
        EXPECT_EQ(a->height, kind.height) << line;
        EXPECT_EQ(a->scoreValue, kind.scoreValue) << line;
        EXPECT_EQ(a->hp, EnemyKindHp(kind)) << line;
        EXPECT_EQ(a->attack, kind.attack) << line;
        ASSERT_EQ(a->hitRectCount, kind.hitRectCount) << line;
        for (int r = 0; r < kind.hitRectCount; r++) {
            EXPECT_EQ(a->hitRects[r].left, kind.hitRects[r].left) << line;
            EXPECT_EQ(a->hitRects[r].bottom, kind.hitRects[r].bottom) << line;
        }
    }
    EXPECT_EQ(FindEnemyKind(11), nullptr);
    EXPECT_EQ(FindEnemyKind(110)->hp.rankFactor, -300);  // the giant weakens with rank
}
