// --submit URL FILE --name NAME: a player's replay sent to a score board, which replays it
// with its own simulator; this waits for the verdict and prints it. The game stays offline.
// the plain functions, not the type-checking macros, so that they can be looked up
#define CURL_DISABLE_TYPECHECK
#include <curl/curl.h>
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "options.h"
#include "runtime/files.h"
#include "session.h"
#include "shell/replay.h"

namespace {

constexpr size_t kMaxReplayBytes = size_t(16) << 20;
constexpr long kRequestSeconds = 60;
constexpr int kVerdictWaitSeconds = 600;  // the board's own limit on one verification is shorter

// libcurl is opened when a replay is submitted, not linked: its libraries would cost every
// other run of the simulator (a verification) their loading.
#define CURL_FUNCTIONS(X) \
    X(curl_easy_cleanup) \
    X(curl_easy_getinfo) \
    X(curl_easy_init) \
    X(curl_easy_perform) \
    X(curl_easy_setopt) \
    X(curl_easy_strerror) \
    X(curl_global_cleanup) \
    X(curl_global_init) \
    X(curl_mime_addpart) \
    X(curl_mime_data) \
    X(curl_mime_filename) \
    X(curl_mime_free) \
    X(curl_mime_init) \
    X(curl_mime_name)

struct CurlFunctions {
#define CURL_POINTER(name) decltype(&::name) name = nullptr;
    CURL_FUNCTIONS(CURL_POINTER)
#undef CURL_POINTER
};
CurlFunctions libcurl;

// False, with the loader's reason on stderr, when libcurl cannot be opened.
bool OpenCurl() {
    if (!dlopen("libcurl.so.4", RTLD_NOW | RTLD_GLOBAL)) {
        std::fprintf(stderr, "zorbex-sim: cannot open libcurl: %s\n", dlerror());
        return false;
    }
#define CURL_LOOK_UP(name)                                                         \
    libcurl.name = reinterpret_cast<decltype(&::name)>(dlsym(RTLD_DEFAULT, #name));   \
    if (!libcurl.name) {                                                           \
        std::fprintf(stderr, "zorbex-sim: libcurl has no %s\n", #name);           \
        return false;                                                              \
    }
    CURL_FUNCTIONS(CURL_LOOK_UP)
#undef CURL_LOOK_UP
    return true;
}

struct Answer {
    long status = 0;
    std::string body;
};

size_t Collect(char* data, size_t size, size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

// One request: a GET, or a POST of the replay and the name as a form.
bool Request(const std::string& url, const std::string* replay, const char* name, Answer* answer) {
    CURL* curl = libcurl.curl_easy_init();
    if (!curl) return false;
    curl_mime* form = nullptr;
    libcurl.curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    libcurl.curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    libcurl.curl_easy_setopt(curl, CURLOPT_WRITEDATA, &answer->body);
    libcurl.curl_easy_setopt(curl, CURLOPT_TIMEOUT, kRequestSeconds);
    libcurl.curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    libcurl.curl_easy_setopt(curl, CURLOPT_USERAGENT, "zorbex-sim");
    if (replay) {
        form = libcurl.curl_mime_init(curl);
        curl_mimepart* part = libcurl.curl_mime_addpart(form);
        libcurl.curl_mime_name(part, "replay");
        libcurl.curl_mime_filename(part, "run.replay");
        libcurl.curl_mime_data(part, replay->data(), replay->size());
        part = libcurl.curl_mime_addpart(form);
        libcurl.curl_mime_name(part, "name");
        libcurl.curl_mime_data(part, name, CURL_ZERO_TERMINATED);
        libcurl.curl_easy_setopt(curl, CURLOPT_MIMEPOST, form);
    }
    CURLcode result = libcurl.curl_easy_perform(curl);
    if (result == CURLE_OK) libcurl.curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &answer->status);
    else std::fprintf(stderr, "zorbex-sim: %s: %s\n", url.c_str(), libcurl.curl_easy_strerror(result));
    libcurl.curl_mime_free(form);
    libcurl.curl_easy_cleanup(curl);
    return result == CURLE_OK;
}

// The value of a top-level field in the board's compact JSON: a number or a string
// (with its escapes undone); empty when absent or null.
std::string Field(const std::string& json, const char* key) {
    std::string needle = std::string("\"") + key + "\":";
    size_t at = json.find(needle);
    if (at == std::string::npos) return "";
    at += needle.size();
    std::string value;
    if (at < json.size() && json[at] == '"') {
        for (size_t i = at + 1; i < json.size() && json[i] != '"'; i++) {
            if (json[i] == '\\' && i + 1 < json.size()) i++;
            value += json[i];
        }
        return value;
    }
    while (at < json.size() && json[at] != ',' && json[at] != '}') value += json[at++];
    return value == "null" ? "" : value;
}

}  // namespace

int RunSubmit(const SimOptions& o) {
    std::string replay, error;
    if (!ReadWholeFile(o.submitFile, kMaxReplayBytes, &replay, &error)) {
        std::fprintf(stderr, "zorbex-sim: %s\n", error.c_str());
        return 2;
    }
    Replay parsed;
    if (!ParseReplay(replay.data(), replay.size(), &parsed, &error)) {
        std::fprintf(stderr, "zorbex-sim: %s: %s\n", o.submitFile, error.c_str());
        return 2;
    }
    std::string board = o.submitUrl;
    while (!board.empty() && board.back() == '/') board.pop_back();
    if (!OpenCurl()) return 2;
    libcurl.curl_global_init(CURL_GLOBAL_DEFAULT);
    Answer sent;
    bool ok = Request(board + "/api/runs", &replay, o.submitName, &sent);
    std::string id = Field(sent.body, "id");
    if (ok && (sent.status != 202 || id.empty())) {
        std::string why = Field(sent.body, "detail");
        std::fprintf(stderr, "zorbex-sim: the board refused the upload (%ld): %s\n", sent.status,
                     why.empty() ? sent.body.c_str() : why.c_str());
        ok = false;
    }
    if (!ok) {
        libcurl.curl_global_cleanup();
        return 2;
    }
    if (!o.quiet) std::fprintf(stderr, "zorbex-sim: sent as run %s; waiting for the verdict\n", id.c_str());

    Answer run;
    std::string status = "waiting";
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kVerdictWaitSeconds);
    while (status == "waiting" && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        run = Answer{};
        if (Request(board + "/api/runs/" + id, nullptr, nullptr, &run) && run.status == 200)
            status = Field(run.body, "status");
    }
    libcurl.curl_global_cleanup();
    if (status == "waiting") {
        std::fprintf(stderr, "zorbex-sim: run %s is still waiting at %s/runs/%s\n", id.c_str(), board.c_str(), id.c_str());
        return 2;
    }
    if (!o.quiet) {
        if (status == "verified")
            std::fprintf(stderr, "zorbex-sim: run %s verified: score %s, %s/runs/%s\n", id.c_str(),
                         Field(run.body, "score").c_str(), board.c_str(), id.c_str());
        else
            std::fprintf(stderr, "zorbex-sim: run %s %s: %s\n", id.c_str(), status.c_str(), Field(run.body, "reason").c_str());
    }
    std::printf("%s\n", run.body.c_str());
    return status == "verified" ? 0 : 1;
}
