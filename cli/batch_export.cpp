#include "cli/batch_export.h"

#include <sys/wait.h>
#include <unistd.h>

#include <fmt/format.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <thread>

#include "cli/command_line.h"
#include "cli/scene_session.h"

namespace pellucid::cli {

namespace {

namespace fs = std::filesystem;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using CapturedFile = std::unique_ptr<std::FILE, FileCloser>;

// One scene's export: what it printed (kept in anonymous temporary files until its turn to be
// shown comes) and how it ended.
struct SceneRun {
    std::string output;
    CapturedFile out;
    CapturedFile err;
    pid_t pid = -1;
    bool finished = false;
    int exitCode = kExitBadInput;
};

void CopyCaptured(std::FILE* file, std::ostream& to) {
    std::rewind(file);
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
        to.write(buffer, static_cast<std::streamsize>(n));
    }
    to.flush();
}

// The child's side: standard output and error go to the run's files, the job runs, and the
// process ends with the job's exit code without running the parent's exit handlers.
[[noreturn]] void RunChild(const SceneExportJob& job, const std::string& scene,
                           const SceneRun& run) {
    ::dup2(::fileno(run.out.get()), STDOUT_FILENO);
    ::dup2(::fileno(run.err.get()), STDERR_FILENO);
    int code = kExitBadInput;
    try {
        code = job(scene, run.output, std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "pellucid: " << scene << ": " << e.what() << "\n";
    } catch (...) {
        std::cerr << "pellucid: " << scene << ": the export failed\n";
    }
    // Only the child's own streams: flushing every stream would also write out what the parent
    // had buffered for other runs' captures when it forked, and that text would appear twice.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(stdout);
    std::fflush(stderr);
    ::_exit(code);
}

// Reads how a child ended (`status` is null when its end could not be read); a child ended by a
// signal has left its temporary file behind.
void RecordEnd(SceneRun& run, const std::string& scene, const int* status) {
    run.finished = true;
    if (status != nullptr && WIFEXITED(*status)) {
        run.exitCode = WEXITSTATUS(*status);
        return;
    }
    run.exitCode = kExitBadInput;
    std::error_code ignored;
    fs::remove(run.output + ".partial-" + std::to_string(run.pid), ignored);
    const std::string how = status != nullptr && WIFSIGNALED(*status)
                                ? ::strsignal(WTERMSIG(*status))
                                : std::string("its end could not be read");
    std::fprintf(run.err.get(),
                 "pellucid: %s: the export stopped abnormally (%s); no file was "
                 "written\n",
                 scene.c_str(), how.c_str());
    // Written through at once, so that no child forked later inherits it in a buffer.
    std::fflush(run.err.get());
}

// Waits until one of the running children ends. Only our own children are waited for, so that
// other children of the process (when the command line runs inside another program) keep their
// status for their owners.
void WaitForOne(std::vector<SceneRun>& runs, const std::vector<std::string>& scenes,
                std::vector<size_t>& running) {
    for (;;) {
        for (auto it = running.begin(); it != running.end(); ++it) {
            SceneRun& run = runs[*it];
            int status = 0;
            const pid_t ended = ::waitpid(run.pid, &status, WNOHANG);
            if (ended == run.pid || (ended < 0 && errno != EINTR)) {
                RecordEnd(run, scenes[*it], ended == run.pid ? &status : nullptr);
                running.erase(it);
                return;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace

bool IsFolderOutput(const std::string& path, size_t sceneCount) {
    std::error_code ec;
    return (!path.empty() && path.back() == '/') || (sceneCount > 1 && fs::is_directory(path, ec));
}

std::string BatchOutputPath(const std::string& folder, const std::string& scene,
                            const std::string& suffix) {
    std::string name = fs::path(scene).filename().string();
    constexpr std::string_view kDocument = ".pscene.json";
    if (EndsWithIgnoringCase(name, kDocument) && name.size() > kDocument.size()) {
        name.resize(name.size() - kDocument.size());
    } else {
        name = fs::path(name).stem().string();
    }
    return (fs::path(folder) / (name + suffix)).string();
}

int RunBatchExport(const BatchExport& batch, const SceneExportJob& job, std::ostream& out,
                   std::ostream& err) {
    std::error_code ec;
    fs::create_directories(batch.folder, ec);
    if (ec || !fs::is_directory(batch.folder)) {
        err << fmt::format("pellucid: {}: the output folder cannot be made: {}\n", batch.folder,
                           ec ? ec.message() : "a file of that name is in the way");
        return kExitBadInput;
    }
    std::vector<SceneRun> runs(batch.scenes.size());
    std::map<std::string, size_t> sceneOfOutput;
    for (size_t i = 0; i < batch.scenes.size(); ++i) {
        runs[i].output = BatchOutputPath(batch.folder, batch.scenes[i], batch.suffix);
        const auto [found, added] = sceneOfOutput.emplace(runs[i].output, i);
        if (!added) {
            err << fmt::format(
                "pellucid: {} and {} would both be written to {}; export them "
                "into different folders\n",
                batch.scenes[found->second], batch.scenes[i], runs[i].output);
            return kExitBadInput;
        }
    }

    out.flush();
    err.flush();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    const size_t jobs = static_cast<size_t>(std::max(batch.jobs, 1));
    std::vector<size_t> running;
    size_t next = 0;
    size_t shown = 0;
    int worst = kExitOk;
    size_t written = 0;
    while (shown < runs.size()) {
        while (next < runs.size() && running.size() < jobs) {
            SceneRun& run = runs[next];
            run.out.reset(std::tmpfile());
            run.err.reset(std::tmpfile());
            run.pid = run.out && run.err ? ::fork() : -1;
            if (run.pid == 0) {
                RunChild(job, batch.scenes[next], run);
            }
            if (run.pid < 0) {
                err << fmt::format("pellucid: {}: no process could be started for its export: {}\n",
                                   batch.scenes[next], std::strerror(errno));
                run.finished = true;
            } else {
                running.push_back(next);
            }
            ++next;
        }
        if (!runs[shown].finished) {
            WaitForOne(runs, batch.scenes, running);
        }
        // Reports are shown in the order of the scenes, whatever order the exports end in.
        while (shown < runs.size() && runs[shown].finished) {
            SceneRun& run = runs[shown];
            if (run.out) {
                CopyCaptured(run.out.get(), out);
            }
            if (run.err) {
                CopyCaptured(run.err.get(), err);
            }
            run.out.reset();
            run.err.reset();
            worst = std::max(worst, run.exitCode);
            written += run.exitCode == kExitBadInput ? 0 : 1;
            ++shown;
        }
    }
    out << fmt::format("{} of {} scenes written to {}\n", written, runs.size(), batch.folder);
    return worst;
}

}  // namespace pellucid::cli
