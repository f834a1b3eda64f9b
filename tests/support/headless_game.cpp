// The one headless runtime a test process shares between its game tests.
#include "support/headless_game.h"

namespace {

uint32_t sharedSession = 0;  // the runtime start whose loaded assets the tests share

// Stops the shared runtime after the last test, so that no sound thread outlives it.
class SharedRuntimeEnvironment : public ::testing::Environment {
public:
    void TearDown() override { StopRuntime(); }
};

const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new SharedRuntimeEnvironment);

}  // namespace

void StartSharedHeadlessGame(uint32_t seed) {
    if (sharedSession != 0 && RuntimeSession() == sharedSession) {
        RestartHeadlessSession(seed);
        SetUpGameKeepingAssets();
        return;
    }
    StopRuntime();
    EnableHeadless(seed);
    ASSERT_EQ(StartRuntime(), 0);
    SetUpGame();
    sharedSession = RuntimeSession();
}
