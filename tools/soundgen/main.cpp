// Sound generator entry: writes every sound and music track of the game into the folder given.
// Tracks render and encode on two threads; each is independent, so the output never varies.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "audio_files.h"
#include "effects.h"
#include "loudness.h"
#include "songs.h"

using namespace soundgen;

namespace {

constexpr int kThreads = 2;

const Song* const kSongs[] = {
    &kSound03, &kSound01, &kSound07, &kSound02, &kSound00, &kSound09, &kSound06,
    &kSound08, &kSound05, &kSound04, &kSoundWarning, &kSoundSelect01, &kSoundSelect02, &kSound11,
};

struct Job {
    std::string file;
    const Song* song = nullptr;
    const Effect* effect = nullptr;
    double cost = 0.0;  // rough seconds of audio, to start the longest first
};

struct Result {
    bool ok = false;
    std::string error;
    double seconds = 0.0;
    Levels levels;
    double quietestSection = 0.0, loudestSection = 0.0;  // LUFS
    double renderSeconds = 0.0, encodeSeconds = 0.0;
};

double Since(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

Result RunJob(const Job& job, const std::string& dir) {
    Result r;
    const std::string path = dir + "/" + job.file;
    auto t0 = std::chrono::steady_clock::now();
    if (job.effect) {
        std::vector<float> v = job.effect->make();
        MasterEffect(v, job.effect->FileLufs(), kEffectCeilingDb);
        r.seconds = (double)v.size() / kRate;
        r.levels = MeasureMono(v);
        r.renderSeconds = Since(t0);
        r.ok = WriteWav(path, v);
        if (!r.ok) r.error = "cannot write " + path;
        return r;
    }
    Stereo audio;
    std::vector<SectionSpan> spans;
    if (!RenderSong(*job.song, audio, r.error, &spans)) return r;
    r.seconds = (double)audio.Length() / kRate;
    r.levels = MeasureLevels(audio);
    r.quietestSection = 0.0;
    r.loudestSection = -200.0;
    for (const SectionSpan& span : spans) {
        const double lufs = IntegratedLufs(audio, span.start, span.end);
        r.quietestSection = std::min(r.quietestSection, lufs);
        r.loudestSection = std::max(r.loudestSection, lufs);
    }
    r.renderSeconds = Since(t0);
    if (r.seconds < job.song->minSeconds ||
        (job.song->maxSeconds > 0.0f && r.seconds > job.song->maxSeconds)) {
        r.error = job.file + " lasts " + std::to_string(r.seconds) + " s, outside its bounds";
        return r;
    }
    auto t1 = std::chrono::steady_clock::now();
    r.ok = WriteMp3(path, audio);
    r.encodeSeconds = Since(t1);
    if (!r.ok) r.error = "cannot encode " + path;
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: soundgen DATA_DIR [FILE...]\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::filesystem::create_directories(dir);
    auto wanted = [&](const char* file) {
        if (argc == 2) return true;
        for (int i = 2; i < argc; ++i)
            if (std::strcmp(argv[i], file) == 0) return true;
        return false;
    };

    std::vector<Job> jobs;
    for (const Effect& e : AllEffects())
        if (wanted(e.file)) jobs.push_back({e.file, nullptr, &e, 1.0});
    for (const Song* s : kSongs)
        if (wanted(s->file)) jobs.push_back({s->file, s, nullptr, s->minSeconds});
    std::vector<size_t> order(jobs.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return jobs[a].cost > jobs[b].cost; });

    auto start = std::chrono::steady_clock::now();
    std::vector<Result> results(jobs.size());
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t k; (k = next.fetch_add(1)) < order.size();) results[order[k]] = RunJob(jobs[order[k]], dir);
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) threads.emplace_back(worker);
    for (std::thread& t : threads) t.join();

    int failures = 0;
    double audioSeconds = 0.0;
    std::printf("%-20s %8s %6s %-20s %7s %7s %11s %7s %7s\n", "file", "seconds", "bpm", "key", "dBTP", "LUFS",
                "sections", "synth s", "mp3 s");
    for (size_t i = 0; i < jobs.size(); ++i) {
        const Result& r = results[i];
        if (!r.ok) {
            std::fprintf(stderr, "soundgen: %s\n", r.error.c_str());
            ++failures;
            continue;
        }
        audioSeconds += r.seconds;
        const Song* s = jobs[i].song;
        char arc[32] = "";
        if (s) std::snprintf(arc, sizeof arc, "%.1f..%.1f", r.quietestSection, r.loudestSection);
        std::printf("%-20s %8.2f %6.0f %-20s %7.2f %7.2f %11s %7.2f %7.2f\n", jobs[i].file.c_str(), r.seconds,
                    s ? s->tempo : 0.0f, s ? s->key : "", r.levels.peakDb, r.levels.lufs, arc, r.renderSeconds,
                    r.encodeSeconds);
    }
    std::printf("%zu files, %.1f s of audio in %.1f s\n", jobs.size() - failures, audioSeconds, Since(start));
    return failures ? 1 : 0;
}
