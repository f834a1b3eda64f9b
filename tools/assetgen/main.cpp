// Picture generator entry: writes every picture of the game into the folder given,
// and a contact sheet of them all beside that folder for review. With file names after
// the folder, it draws only those pictures.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "canvas.h"
#include "contact.h"
#include "glyphs.h"
#include "icons.h"
#include "picture_list.h"
#include "pictures.h"
#include "text.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: assetgen DATA_DIR [FILE...]\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    std::filesystem::path dataDir = argv[1];
    std::filesystem::create_directories(dataDir);
    if (!StartText()) {
        std::fprintf(stderr, "assetgen: no IPA Gothic font found (Debian package fonts-ipafont-gothic)\n");
        return 1;
    }

    std::vector<DrawerEntry> drawers;
    AddScreenDrawers(drawers);
    AddHudDrawers(drawers);
    AddPlayerDrawers(drawers);
    AddEffectDrawers(drawers);
    AddEnemyDrawers(drawers);
    AddGroundDrawers(drawers);
    AddBossDrawers(drawers);
    std::map<std::string, const Drawer*> byFile;
    for (const DrawerEntry& d : drawers) byFile[d.file] = &d.draw;

    // with file names given, only those are drawn (and no contact sheet)
    std::vector<std::string> only(argv + 2, argv + argc);
    auto wanted = [&only](const char* file) {
        if (only.empty()) return true;
        for (const std::string& f : only)
            if (f == file) return true;
        return false;
    };

    // Pictures are independent of each other: two threads draw alternate ones. Each
    // picture's pixels depend only on its own drawing, so the files are the same either way.
    struct Result {
        Canvas canvas;
        std::string error;
        bool drawn = false;
    };
    std::vector<Result> results(kPictureCount);
    auto work = [&](int first) {
        for (int i = first; i < kPictureCount; i += 2) {
            const PictureSpec& picture = kPictures[i];
            if (!wanted(picture.file)) continue;
            auto it = byFile.find(picture.file);
            if (it == byFile.end()) {
                results[i].error = std::string("no drawing for ") + picture.file;
                continue;
            }
            Canvas cv(picture.cellW * picture.cols, picture.cellH * picture.rows);
            (*it->second)(cv);
            if (picture.flashRow) AddFlashRow(cv, picture.cellH);
            if (!WritePng((dataDir / picture.file).string(), cv, &results[i].error)) continue;
            results[i].canvas = std::move(cv);
            results[i].drawn = true;
        }
    };
    std::thread second(work, 1);
    work(0);
    second.join();

    std::vector<SheetItem> sheet;
    int failures = 0;
    for (int i = 0; i < kPictureCount; ++i) {
        const PictureSpec& picture = kPictures[i];
        if (!results[i].error.empty()) {
            std::fprintf(stderr, "assetgen: %s\n", results[i].error.c_str());
            ++failures;
        }
        if (results[i].drawn) sheet.push_back(SheetItem{picture.file, std::move(results[i].canvas), picture.cellW, picture.cellH});
    }
    if (wanted("ImgGlyphs.png")) {
        std::string glyphError;
        if (!WriteGlyphFont(dataDir, ZORBEX_GLYPH_LIST, &glyphError)) {
            std::fprintf(stderr, "assetgen: %s\n", glyphError.c_str());
            ++failures;
        }
    }
    StopText();
    if (failures) return 1;
    if (!only.empty()) return 0;

    // The contact sheet lives beside data/, never inside it.
    std::filesystem::path parent = std::filesystem::absolute(dataDir).lexically_normal();
    if (parent.filename().empty()) parent = parent.parent_path();
    parent = parent.parent_path();
    std::string err;
    if (!WriteContactSheet((parent / "contact-sheet.png").string(), sheet, &err)) {
        std::fprintf(stderr, "assetgen: %s\n", err.c_str());
        return 1;
    }
    // the desktop icons sit beside data/ too: the game never loads them
    if (!WriteIcons((parent / "icons").string(), &err)) {
        std::fprintf(stderr, "assetgen: %s\n", err.c_str());
        return 1;
    }
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: %d pictures in %.0f ms\n", int(sheet.size()), ms);
    return 0;
}
