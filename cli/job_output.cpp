#include "cli/job_output.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <system_error>

namespace pellucid::cli {

namespace fs = std::filesystem;

namespace {

// Standard output is produced in the temporary folder and copied out at the end, so that a job
// that fails sends nothing.
fs::path TargetFor(const std::string& path) {
    if (path == "-") {
        return fs::temp_directory_path() /
               ("pellucid-standard-output-" + std::to_string(::getpid()));
    }
    return path;
}

std::string FolderOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? "." : parent.string();
}

// What to do about a failed write, by the system's error number.
const char* WriteAdvice(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT:
            return "free some space on that disk, or write elsewhere";
        case EFBIG:
            return "the file is larger than this process may write (see 'ulimit -f')";
        case EACCES:
        case EPERM:
            return "choose a folder that you can write to";
        case EROFS:
            return "that disk is read-only: choose another folder";
        default:
            return "choose another output file";
    }
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (fs::exists(a, ec) && fs::exists(b, ec)) {
        return fs::equivalent(a, b, ec) && !ec;
    }
    const fs::path ca = fs::weakly_canonical(a, ec);
    if (ec) {
        return false;
    }
    const fs::path cb = fs::weakly_canonical(b, ec);
    return !ec && ca == cb;
}

JobOutput::JobOutput(std::string path, std::string option)
    : path_(std::move(path)), option_(std::move(option)), file_(TargetFor(path_)) {}

std::string JobOutput::Name() const {
    return IsStandardOutput() ? "standard output" : path_;
}

bool JobOutput::Check(const std::vector<std::string>& inputs, std::ostream& err) const {
    if (IsStandardOutput()) {
        return true;
    }
    for (const std::string& input : inputs) {
        if (SameFile(path_, input)) {
            err << fmt::format(
                "pellucid: {} {}: this file is read by the command{} and would be "
                "overwritten; choose another output file\n",
                option_, path_, input == path_ ? "" : fmt::format(" (as {})", input));
            return false;
        }
    }
    std::error_code ec;
    if (fs::is_directory(path_, ec)) {
        err << fmt::format(
            "pellucid: {} {}: this is a folder; give the name of a file to write in it\n", option_,
            path_);
        return false;
    }
    const std::string folder = FolderOf(path_);
    if (!fs::exists(folder, ec)) {
        err << fmt::format(
            "pellucid: {} {}: the folder {} does not exist; create it first (mkdir -p {}) or "
            "choose another folder\n",
            option_, path_, folder, folder);
        return false;
    }
    if (!fs::is_directory(folder, ec)) {
        err << fmt::format("pellucid: {} {}: {} is a file, not a folder\n", option_, path_, folder);
        return false;
    }
    // Creating the temporary file is the one test that asks the system itself.
    const std::string probe = TemporaryPath();
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0) {
        const int error = errno;
        err << fmt::format("pellucid: {} {}: cannot create a file in {}: {}; {}\n", option_, path_,
                           folder, std::strerror(error), WriteAdvice(error));
        return false;
    }
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

bool JobOutput::Finish(std::ostream& out, std::ostream& err, int writeError) {
    if (!file_.Written()) {
        err << fmt::format(
            "pellucid: {}: nothing was written: the file could not be created in {}\n", Name(),
            IsStandardOutput() ? fs::temp_directory_path().string() : FolderOf(path_));
        return false;
    }
    if (writeError != 0) {
        err << fmt::format(
            "pellucid: {}: writing stopped part-way ({}), so nothing was written; {}\n", Name(),
            std::strerror(writeError), WriteAdvice(writeError));
        return false;
    }
    if (IsStandardOutput()) {
        std::ifstream in(file_.TemporaryPath(), std::ios::binary);
        out << in.rdbuf();
        out.flush();
        if (!out) {
            err << "pellucid: standard output: the output could not be written to its end\n";
            return false;
        }
        return true;
    }
    std::string error;
    if (!file_.Commit(error)) {
        err << fmt::format("pellucid: {}: cannot be put in place: {}; choose another output file\n",
                           path_, error);
        return false;
    }
    return true;
}

int JobOutput::WriteTemporary(std::string_view bytes) {
    int error = 0;
    std::FILE* file = std::fopen(TemporaryPath().c_str(), "wb");
    if (file == nullptr) {
        return errno;
    }
    // A failed write that leaves no error number still fails.
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        error = errno != 0 ? errno : EIO;
    }
    if (std::fclose(file) != 0 && error == 0) {
        error = errno != 0 ? errno : EIO;
    }
    return error;
}

bool JobOutput::WriteText(const std::string& text, std::ostream& out, std::ostream& err) {
    return Finish(out, err, WriteTemporary(text));
}

}  // namespace pellucid::cli
