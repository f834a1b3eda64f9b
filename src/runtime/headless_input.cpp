// The buttons and keys a headless caller supplies, and the key events it queues: the
// same on every platform.
#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

namespace {

bool headlessKeys[256];
int headlessPad = 0;
bool headlessPadStart = false;
bool suppliedButtons = false;  // a window run played from SetHeadlessPad

// Key events of a headless run that the next pump at or after their time applies.
struct QueuedKey {
    int scanCode;
    bool down;
    int32_t atMillis;
};
constexpr int kQueuedKeySlots = 16;
QueuedKey queuedKeys[kQueuedKeySlots];
int queuedKeyCount = 0;

}  // namespace

void ResetHeadlessInput() {
    for (bool& k : headlessKeys) k = false;
    headlessPad = 0;
    headlessPadStart = false;
    queuedKeyCount = 0;
}

void QueueHeadlessKeyEvent(int scanCode, bool down, int32_t atMillis) {
    if (queuedKeyCount < kQueuedKeySlots) queuedKeys[queuedKeyCount++] = {scanCode, down, atMillis};
}

// The queued key events whose time has come, in the order they were queued.
void ApplyQueuedHeadlessKeys() {
    const int32_t now = VirtualMillis();
    int kept = 0;
    for (int i = 0; i < queuedKeyCount; ++i) {
        const QueuedKey& k = queuedKeys[i];
        if (int32_t(uint32_t(now) - uint32_t(k.atMillis)) >= 0)
            SetHeadlessKey(k.scanCode, k.down);
        else
            queuedKeys[kept++] = k;
    }
    queuedKeyCount = kept;
}

void SetHeadlessPad(int padBits) { headlessPad = padBits; }

void SetHeadlessKey(int scanCode, bool down) {
    if (scanCode >= 0 && scanCode < 256) headlessKeys[scanCode] = down;
}

void UseSuppliedButtons(bool enabled) { suppliedButtons = enabled; }

void SetHeadlessPadStart(bool down) { headlessPadStart = down; }

bool HeadlessKeyDown(int scanCode) { return scanCode >= 0 && scanCode < 256 && headlessKeys[scanCode]; }
int HeadlessPad() { return headlessPad; }
bool HeadlessPadStart() { return headlessPadStart; }
bool SuppliedButtonsOn() { return suppliedButtons; }
