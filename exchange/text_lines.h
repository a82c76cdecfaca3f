// Text lines as the importers read them from a text-mode stream: up to a line feed, with the CR
// of a CR LF line end dropped, and at most 1023 characters. A longer line, or a last line that
// reaches the end of the file without a line feed, ends the reading.
#pragma once

#include <istream>
#include <string>

class TextLines {
  public:
    static constexpr size_t kMaxLength = 1023;

    enum class Stop {
        None,          // still reading
        EndOfFile,     // every line was read
        LongLine,      // a line longer than kMaxLength
        Unterminated,  // the last line has no line feed
    };

    explicit TextLines(std::istream& in) : in_(in) {}

    // The next line, cut at its first zero byte as a C string would be; false when the reading
    // has ended.
    bool Next(std::string& line);
    // The number of the line last returned, or of the line that ended the reading (from 1).
    int Number() const { return number_; }
    Stop Stopped() const { return stop_; }

  private:
    std::istream& in_;
    int number_ = 0;
    Stop stop_ = Stop::None;
};
