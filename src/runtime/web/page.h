// What the browser build's runtime shares with the page's JavaScript and with the program
// entries of the browser: the page's calls into the runtime and the runtime's calls out.
// Nothing outside src/runtime/ and the browser entries includes this.
#pragma once

#include <cstdint>

extern "C" {
// Out to the page (page.js).
bool zorbex_page_present(const uint8_t* rgba, int width, int height);  // false without a canvas
void zorbex_page_wait_animation_frame();  // sleeps until the browser's next animation frame
void zorbex_page_sleep(int ms);           // sleeps, the page going on meanwhile
double zorbex_page_milliseconds();        // the page's monotonic clock
void zorbex_page_show_cursor(int show);
void zorbex_page_start_input();          // the page's key, focus and first-press listeners
void zorbex_page_stop_input();
void zorbex_page_set_full_screen(int full);
int zorbex_page_full_screen();
int zorbex_page_poll_pad();               // the first pad's buttons as GetPadState bits, -1 for none
int zorbex_page_pad_start();
int zorbex_page_script_folder(char* out, int size);  // Node: the folder of the program's script
void zorbex_page_stopped();               // the program has ended
void zorbex_page_languages(char* out, int size);     // navigator.languages joined by ':'

// In from the page.
void WebKeyChanged(int scanCode, int down);  // a key by DirectInput scan code
void WebFocusLost();                         // the page was hidden or lost focus
void WebAllKeysUp();
void WebTapped(int x, int y);                // a tap or click on the canvas, in game pixels
// Test hooks: the game holds before its next frame; then `count` frames play the given
// pad bits (the keyboard and pad giving nothing but Escape and P), and it holds again.
void WebHoldFrames(int hold);
void WebPlayButtons(const uint8_t* buttons, int count);
int WebScriptedFramesLeft();
double WebFramesStarted();  // frames the paced loop has started since the page began
}

// A frame starts: the scripted buttons move on by one.
void WebAdvanceScript();
void WebUncountFrame();  // the frame just started never ran: it is not counted
// Whether frames are being held for a test.
bool WebFramesHeld();
