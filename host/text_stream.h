// A text-mode output file as the original platform wrote it: every '\n' is stored as CR LF, and
// numbers are formatted as its runtime formatted them (host/number_format.h). Bytes are
// collected in a large buffer and written when it fills or the stream closes; the per-line flush of
// the original changes no byte and is not repeated.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "host/number_format.h"

class TextStream {
  public:
    TextStream() = default;
    // Opens `path` for writing, emptying an existing file.
    explicit TextStream(const std::string& path) { open(path); }
    ~TextStream();
    TextStream(const TextStream&) = delete;
    TextStream& operator=(const TextStream&) = delete;

    bool open(const std::string& path);
    // Writes what is buffered and closes the file.
    void close();
    bool is_open() const { return file_ != nullptr; }
    // False when the file could not be opened or a write failed.
    bool good() const { return file_ != nullptr && !failed_; }

    void setFloatFormat(FloatFormat format) { format_ = format; }
    FloatFormat floatFormat() const { return format_; }
    // The script writers' floatOutputMode for what is written to this stream: 0 (a new stream)
    // writes the integer parts of points and quaternions, any other value the floats. Every
    // exporter sets it to 1 on its own stream before it writes, so exports do not share it.
    void setFloatOutputMode(int mode) { floatOutputMode_ = mode; }
    int floatOutputMode() const { return floatOutputMode_; }

    TextStream& operator<<(std::string_view text);
    TextStream& operator<<(const char* text) { return *this << std::string_view(text ? text : ""); }
    TextStream& operator<<(const std::string& text) { return *this << std::string_view(text); }
    TextStream& operator<<(char c);
    TextStream& operator<<(int value);
    TextStream& operator<<(unsigned int value);
    TextStream& operator<<(long value);
    TextStream& operator<<(unsigned long value);
    TextStream& operator<<(long long value);
    // A float is widened to double, as the stream does.
    TextStream& operator<<(float value) { return *this << static_cast<double>(value); }
    TextStream& operator<<(double value);
    TextStream& operator<<(TextStream& (*manipulator)(TextStream&)) { return manipulator(*this); }

    // The line end of the original: a newline, then a flush.
    TextStream& endLine();
    // Bytes written so far, buffered ones included.
    size_t size() const { return written_ + buffer_.size(); }

  private:
    void append(std::string_view bytes);
    void drain();
    void drainWhenFull();

    // Tells the host about the first failed write; the stream carries on as the original did.
    void fail(int error);

    std::FILE* file_ = nullptr;
    std::string path_;
    std::string buffer_;
    size_t written_ = 0;
    bool failed_ = false;
    FloatFormat format_ = FloatFormat::General6;
    int floatOutputMode_ = 0;
};

// std::endl of the script writers.
TextStream& endl(TextStream& stream);
