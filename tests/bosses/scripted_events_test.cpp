// Scripted events: the beams' blinking sign and 91-frame band, and the enemy streams.
#include "bosses/bosses.h"
#include "runtime/headless.h"
#include "shell/assets.h"
#include "stages/stage_fixture.h"

class ScriptedEvents : public StageTest {
protected:
    static int Sounds(int handle) {
        int n = 0;
        for (int b = 0; b < 3; b++) n += SoundStartCount(handle, b);
        return n;
    }
    static std::vector<Actor*> Blocks() { return Group(GroupEnemyShot); }
};

TEST_F(ScriptedEvents, HorizontalBeamBlinksSixTimesThenFiresANinetyOneBlockBand) {
    EnterStage(1);
    UseScript({"event,002,640,224,4,6", "end"});
    Frame();  // created by the script and updated once in the same frame
    std::vector<Actor*> events;
    for (Actor* a : Group(GroupEffect))
        if (a->width == 128) events.push_back(a);
    ASSERT_EQ(events.size(), 1u);
    Actor* beam = events[0];
    EXPECT_FLOAT_EQ(beam->x, 624);
    EXPECT_FLOAT_EQ(beam->y, 224);
    EXPECT_EQ(beam->hitRectCount, 0);
    ReleaseAllActors();

    SpawnHorizontalBeam(640, 224, 4, 6);
    beam = Newest();
    int sounds = Sounds(WavEnemyShot[3]);
    for (int update = 1; update <= 59; update++) {
        beam->update(beam);
        bool shown = (update / 10) % 2 == 0;
        ASSERT_EQ(beam->work[1].i == 0, shown) << update;
    }
    EXPECT_EQ(Sounds(WavEnemyShot[3]), sounds);
    beam->update(beam);  // update 60
    EXPECT_EQ(Sounds(WavEnemyShot[3]), sounds + 1);
    EXPECT_EQ(beam->work[1].i, 1);
    EXPECT_TRUE(Blocks().empty());
    beam->update(beam);  // update 61: the first block
    ASSERT_EQ(Blocks().size(), 1u);
    Actor* first = Blocks()[0];
    EXPECT_FLOAT_EQ(first->x + 64, 816);
    EXPECT_FLOAT_EQ(first->y + 64, 288);
    EXPECT_EQ(first->work[kDir].i, 180);
    EXPECT_FLOAT_EQ(first->speed, 128);
    int update = 61;
    while (beam->alive) {
        beam->update(beam);
        update++;
    }
    EXPECT_EQ(update, 151);  // the 91st and last block
    EXPECT_EQ(Blocks().size(), 91u);
}

TEST_F(ScriptedEvents, BeamsStartAtTheEdgeTheirCodeNames) {
    SpawnHorizontalBeam(0, 96, 6, 6);
    Actor* right = Newest();
    EXPECT_FLOAT_EQ(right->x, -112);
    EXPECT_FLOAT_EQ(right->y, 96);
    SpawnVerticalBeam(260, 480, 8, 6);
    Actor* up = Newest();
    EXPECT_FLOAT_EQ(up->x, 260);
    EXPECT_FLOAT_EQ(up->y, 464);
    SpawnVerticalBeam(260, 0, 2, 6);
    Actor* down = Newest();
    EXPECT_FLOAT_EQ(down->y, -112);
    for (int i = 0; i < 61; i++) {
        right->update(right);
        up->update(up);
        down->update(down);
    }
    std::vector<Actor*> blocks = Blocks();
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_FLOAT_EQ(blocks[0]->x + 64, -176);
    EXPECT_FLOAT_EQ(blocks[0]->y + 64, 160);
    EXPECT_EQ(blocks[0]->work[kDir].i, 0);
    EXPECT_FLOAT_EQ(blocks[1]->x + 64, 324);
    EXPECT_FLOAT_EQ(blocks[1]->y + 64, 656);
    EXPECT_EQ(blocks[1]->work[kDir].i, 90);
    EXPECT_FLOAT_EQ(blocks[2]->x + 64, 324);
    EXPECT_FLOAT_EQ(blocks[2]->y + 64, -176);
    EXPECT_EQ(blocks[2]->work[kDir].i, 270);
}

TEST_F(ScriptedEvents, ABeamWithoutBlinksFiresInItsFirstUpdate) {
    SpawnHorizontalBeam(0, 200, 6, 0);
    Actor* beam = Newest();
    beam->update(beam);
    EXPECT_EQ(beam->work[1].i, 1);
    beam->update(beam);
    EXPECT_EQ(Blocks().size(), 1u);
}

TEST_F(ScriptedEvents, StreamsRunTheirFramesAndReleaseTheirKinds) {
    StartEnemyStream004(40);
    Actor* stream = Newest();
    EXPECT_EQ(stream->group, GroupEffect);
    int updates = 0;
    while (stream->alive) {
        stream->update(stream);
        updates++;
    }
    EXPECT_EQ(updates, 40);
    for (Actor* e : Group(GroupEnemy)) {
        EXPECT_FLOAT_EQ(e->x, 640);
        EXPECT_EQ(e->scoreValue, 300);  // the fast flyer
    }
    ReleaseAllActors();
    StartEnemyStream005(0);
    stream = Newest();
    stream->update(stream);  // a duration of 0 still runs one frame
    EXPECT_EQ(stream->alive, 0);

    ReleaseAllActors();
    StartEnemyStream006(300);
    Updates(Newest(), 300);
    std::vector<Actor*> squids = Group(GroupEnemy);
    EXPECT_GT(squids.size(), 40u);
    for (Actor* e : squids) {
        EXPECT_TRUE(e->y == 512 || e->y == -64) << e->y;
        EXPECT_LE(e->x, 608);
    }

    ReleaseAllActors();
    StartEnemyStream007(600);
    Updates(Newest(), 600);
    std::vector<Actor*> chargers = Group(GroupEnemy);
    EXPECT_GT(chargers.size(), 20u);
    int sides = 0;
    for (Actor* e : chargers) {
        EXPECT_EQ(e->width, 64);
        bool topOrBottom = (e->y == 480 || e->y == -64) && e->x <= 576;
        bool leftOrRight = (e->x == 640 || e->x == -64) && e->y <= 416;
        EXPECT_TRUE(topOrBottom || leftOrRight);
        sides += leftOrRight;
    }
    EXPECT_GT(sides, 0);
}
