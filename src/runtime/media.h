// The media runtime: the game's only contact with the machine.
// Plain functions over one global media state; pictures and sounds are int32
// handles. Every drawing and playing operation accepts -1 and 0 and ignores them.
#pragma once

#include <cstdint>

// Start and stop.
void SetWindowTitle(const char* text);
void SetWindowedMode(int windowed);
void SetLogFileEnabled(int enabled);
void SetScreenMode(int width, int height, int bits, int refresh);
int StartRuntime();  // 0 success, -1 failure
void StopRuntime();
int PumpWindowMessages();  // nonzero once the window was closed or quit was asked
void ShowMouseCursor(int show);

// Time and random numbers.
int32_t GetMillis();
void SleepMillis(int ms);  // lets the processor rest
// Frame pacing: returns once GetMillis() - millis >= 0 (a 32-bit signed difference),
// sleeping until just before then and never returning early.
void WaitUntilMillis(int32_t millis);
int32_t RandomUpTo(int32_t n);  // uniform over 0..n inclusive

// The languages the player's system asks for, most wanted first, separated by ':': locale
// names on the desktop ("ja_JP.UTF-8"), language tags in the browser ("ja-JP"); "" for none.
void GetSystemLanguagePreferences(char* out, int size);

// Input. Scan codes in the DirectInput numbering the game uses.
constexpr int KeyEscape = 0x01;
constexpr int KeyZ = 0x2C;
constexpr int KeyX = 0x2D;
constexpr int KeyC = 0x2E;
constexpr int KeyUp = 0xC8;
constexpr int KeyDown = 0xD0;
constexpr int KeyLeft = 0xCB;
constexpr int KeyRight = 0xCD;

// Bits of GetPadState.
constexpr int PadDown = 0x01;
constexpr int PadLeft = 0x02;
constexpr int PadRight = 0x04;
constexpr int PadUp = 0x08;
constexpr int PadButton1 = 0x10;
constexpr int PadButton2 = 0x20;
constexpr int PadButton3 = 0x40;

int IsKeyDown(int scanCode);
int GetPadState(int pad);
// Brings the keys and the pad up to date with what has happened so far, leaving the
// window messages themselves to PumpWindowMessages.
void PumpInputEvents();

// Pictures.
int LoadImage(const char* path, int flag);
int LoadImageStrip(const char* path, int count, int across, int down, int cellWidth,
                   int cellHeight, int* handles, int flag);
void DrawImage(int x, int y, int handle, int transparent);
void DrawImageRegion(int x, int y, int srcX, int srcY, int width, int height, int handle,
                     int transparent, int flip);
void DrawImageStretched(int x1, int y1, int x2, int y2, int handle, int transparent);
void DrawImageRotated(int x, int y, int cx, int cy, double scale, double angle, int handle,
                      int transparent, int flip);
void DrawDot(int x, int y, int colour);
void ClearBackBuffer();
void PresentFrame();
void SetRenderTarget(int target);
void SetColorKey(int r, int g, int b);
void SetBlend(int mode, int param);
void SetTint(int r, int g, int b);
int MakeColor(int r, int g, int b);

// Text, in Shift-JIS.
void SetTextSize(int size);
void SetTextWeight(int weight);
void SetTextFace(const char* face, int charset);
void SetTextStyle(int style);
int MeasureText(const char* text, int length, int vertical);
void DrawText(int x, int y, const char* text, int colour, int edgeColour);

// Sound and music.
int LoadSound(const char* path, int buffers, int unionFlag);
void SetSoundVolume(int volume, int handle);
int PlaySound(int handle, int playType, int fromStart);
int PlayMusicFile(const char* path, int playType);
void StopMusicFile();

// The replay theatre: while silent, effects start nothing and music files are only noted,
// so a replay sought or summed up stays quiet; then the noted music is started part-way in
// (StartMusicAt: false where it cannot be placed, and it plays from its top). Away from 1x
// only the effects are silent: the music plays on.
struct MusicNote {
    const char* file;  // "" for none
    int playType;
    int starts;        // PlayMusicFile calls with a file so far
};
void SetAudioSilent(int silent);
void SetEffectsSilent(int silent);
MusicNote NotedMusic();
bool StartMusicAt(const char* path, int playType, double seconds);

// Desktop: where the data came from, and what the pause outside the game's frames needs.
bool DataFolderInstalled();  // data found under ../share/zorbex/data beside the executable
constexpr int KeyP = 0x19;
int IsPadStartDown();        // 1 while the first pad's Start button is held
int TakeWindowFocusLoss();   // 1 once after the window lost focus or was minimised
void PauseAudio(int paused); // 1 holds music and effects where they are, 0 resumes them
void DimBackBuffer(int keep);  // scales every back-buffer pixel by keep/255
void KeepBackBuffer(int keep);  // dims the back buffer so and keeps a copy of it
void DrawKeptBackBuffer();      // the kept copy back into the back buffer

// The front end's settings, applied at once.
// Keys by SDL scancode name ("Z", "Left Shift"), pad buttons by SDL game-controller button
// name ("a", "start"); -1 or nullptr for a name or number that is not known.
int KeyFromName(const char* name);
const char* KeyNameOf(int scanCode);
constexpr int PadA = 0;      // SDL_CONTROLLER_BUTTON_A and its sisters, as the names number them
constexpr int PadB = 1;
constexpr int PadX = 2;
constexpr int PadStart = 6;
int PadButtonFromName(const char* name);
const char* PadButtonNameOf(int button);
// The pad's buttons that give PadButton1, PadButton2, PadButton3 and the pause (Start);
// the game sees the bits only.
void BindPadButtons(int fire, int bomb, int cont, int pause);
int BoundPadButton(int slot);  // 0 fire, 1 bomb, 2 continue, 3 pause
// Music and effects, 0 (silent) to 10 (the full mix).
void SetAudioVolumes(int music, int effects);
// The window: full screen or not, and its scale (0 the largest whole scale that fits, else 1 to 4).
void SetFullScreenNow(int full);
void SetWindowScale(int scale);
// Whether the program may end itself: a page in a browser cannot.
int CanQuit();

// Text in the game's glyph font (a picture of glyph cells and the table of their code
// points, made at build time): the same pixels in both builds, drawn from UTF-8 glyph by
// glyph. A character the font lacks draws as a box; nothing draws before the font loads.
int LoadGlyphFont(const char* picturePath, const char* tablePath);  // 0, or -1 when unusable
int GlyphFontHas(uint32_t codePoint);
int MeasureGlyphText(const char* utf8);  // pixels across, as DrawGlyphText advances
int GlyphLineHeight();
// Draws with the top-left corner at (x, y), the white glyphs tinted by (r, g, b).
void DrawGlyphText(int x, int y, const char* utf8, int r, int g, int b);
// The first pad's button by its SDL game-controller number (PadA ...), for choosing one.
int IsPadButtonDown(int button);
// A tap or click on the game's picture since the last call: 1 and the point in game pixels
// (0..639, 0..479), else 0. The page hands taps in; the desktop has none.
int TakeTappedPoint(int* x, int* y);
