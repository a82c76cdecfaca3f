#include "host/text_stream.h"

#include <cerrno>

#include "host/interface.h"

namespace {

constexpr size_t kBufferLimit = 1 << 20;

}  // namespace

TextStream::~TextStream() {
    close();
}

bool TextStream::open(const std::string& path) {
    close();
    failed_ = false;
    written_ = 0;
    buffer_.clear();
    file_ = std::fopen(path.c_str(), "wb");
    path_ = path;
    if (file_ != nullptr) {
        buffer_.reserve(kBufferLimit + 4096);
    }
    return file_ != nullptr;
}

void TextStream::close() {
    if (file_ == nullptr) {
        return;
    }
    drain();
    if (std::fclose(file_) != 0) {
        fail(errno);
    }
    file_ = nullptr;
}

void TextStream::drain() {
    if (file_ != nullptr && !buffer_.empty()) {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
            fail(errno);
        }
        written_ += buffer_.size();
    }
    buffer_.clear();
}

void TextStream::fail(int error) {
    if (!failed_) {
        ReportWriteError(path_.c_str(), error);
    }
    failed_ = true;
}

void TextStream::drainWhenFull() {
    if (buffer_.size() >= kBufferLimit) {
        drain();
    }
}

void TextStream::append(std::string_view bytes) {
    if (file_ == nullptr) {
        return;
    }
    buffer_.append(bytes);
    drainWhenFull();
}

TextStream& TextStream::operator<<(std::string_view text) {
    for (size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
        append(text.substr(0, end));
        append("\r\n");
        text.remove_prefix(end + 1);
    }
    append(text);
    return *this;
}

TextStream& TextStream::operator<<(char c) {
    return c == '\n' ? (append("\r\n"), *this) : (append(std::string_view(&c, 1)), *this);
}

TextStream& TextStream::operator<<(int value) {
    return *this << static_cast<long long>(value);
}
TextStream& TextStream::operator<<(long value) {
    return *this << static_cast<long long>(value);
}
TextStream& TextStream::operator<<(unsigned int value) {
    return *this << static_cast<unsigned long>(value);
}

TextStream& TextStream::operator<<(unsigned long value) {
    if (file_ != nullptr) {
        AppendUnsigned(buffer_, value);
        drainWhenFull();
    }
    return *this;
}

TextStream& TextStream::operator<<(long long value) {
    if (file_ != nullptr) {
        AppendInteger(buffer_, value);
        drainWhenFull();
    }
    return *this;
}

TextStream& TextStream::operator<<(double value) {
    if (file_ != nullptr) {
        AppendFloat(buffer_, value, format_);
        drainWhenFull();
    }
    return *this;
}

TextStream& TextStream::endLine() {
    append("\r\n");
    return *this;
}

TextStream& endl(TextStream& stream) {
    return stream.endLine();
}
