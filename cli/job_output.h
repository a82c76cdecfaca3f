// The file a command writes, made safe: it never replaces one of the command's inputs, a folder
// that cannot take it is refused before the work starts with the system's reason and what to do,
// the job writes a temporary file that is moved into place only when every byte of it was
// written, and "-" sends the result to standard output instead.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/output_file.h"

namespace pellucid::cli {

class JobOutput {
  public:
    // `path` as the user gave it after `option` ("-o", "--svg"); "-" is standard output.
    JobOutput(std::string path, std::string option);

    bool IsStandardOutput() const { return path_ == "-"; }
    // How messages name the output: the path, or "standard output".
    std::string Name() const;

    // Before the job: false, after printing why and what to do, when the output names one of
    // `inputs` or cannot be created where it is asked for.
    bool Check(const std::vector<std::string>& inputs, std::ostream& err) const;

    // Where the job writes.
    std::string TemporaryPath() const { return file_.TemporaryPath().string(); }

    // After the job: moves the temporary file into place (or copies it to `out` for standard
    // output). `writeError` is the system's error number of a write that failed while the job
    // wrote the file, 0 when none did. False, after printing why, when the job wrote nothing, a
    // write failed or the move failed; nothing is left behind then.
    bool Finish(std::ostream& out, std::ostream& err, int writeError = 0);

    // Writes `bytes` as the whole temporary file; the system's error number of a failed write,
    // 0 when every byte was written. Finish then puts the file in place.
    int WriteTemporary(std::string_view bytes);

    // Writes `text` as the whole output, then finishes.
    bool WriteText(const std::string& text, std::ostream& out, std::ostream& err);

  private:
    std::string path_;
    std::string option_;
    OutputFile file_;
};

// True when the two paths name the same file (an existing file by identity, otherwise by the
// path each resolves to).
bool SameFile(const std::string& a, const std::string& b);

}  // namespace pellucid::cli
