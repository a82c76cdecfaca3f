// An output file written under a temporary name beside its target and moved into place only when
// the job succeeds, so that a failed command leaves no partial file behind.
#pragma once

#include <filesystem>
#include <string>

namespace pellucid::cli {

class OutputFile {
  public:
    explicit OutputFile(std::filesystem::path target);
    // Removes the temporary file unless it was committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Where the job writes.
    const std::filesystem::path& TemporaryPath() const { return temporary_; }
    // True when the job produced the temporary file.
    bool Written() const;
    // Moves the temporary file onto the target; false (with `error` set) when that fails.
    bool Commit(std::string& error);

  private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    bool committed_ = false;
};

}  // namespace pellucid::cli
