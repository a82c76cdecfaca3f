#include "cli/output_file.h"

#include <unistd.h>

#include <system_error>

namespace pellucid::cli {

OutputFile::OutputFile(std::filesystem::path target) : target_(std::move(target)) {
    temporary_ = target_;
    temporary_ += ".partial-" + std::to_string(::getpid());
}

OutputFile::~OutputFile() {
    if (!committed_) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

bool OutputFile::Written() const {
    std::error_code ec;
    return std::filesystem::is_regular_file(temporary_, ec);
}

bool OutputFile::Commit(std::string& error) {
    std::error_code ec;
    std::filesystem::rename(temporary_, target_, ec);
    if (ec) {
        error = ec.message();
        return false;
    }
    committed_ = true;
    return true;
}

}  // namespace pellucid::cli
