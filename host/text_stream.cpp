#include "host/text_stream.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>

#include "host/interface.h"

namespace {

constexpr size_t kBufferLimit = 1 << 20;

// printf writes at least two exponent digits; the original runtime wrote at least three.
void WidenExponent(char* begin, char*& end) {
    char* e = static_cast<char*>(std::memchr(begin, 'e', static_cast<size_t>(end - begin)));
    if (e == nullptr) {
        return;
    }
    char* digits = e + 2;  // past the sign
    if (end - digits == 2) {
        std::memmove(digits + 1, digits, 2);
        *digits = '0';
        ++end;
    }
}

// Infinities and NaNs as the original runtime printed them: 1.#INF, -1.#INF, 1.#QNAN, -1.#IND.
bool AppendSpecial(std::string& out, double value, bool scientific) {
    if (std::isfinite(value)) {
        return false;
    }
    const char* text;
    if (std::isinf(value)) {
        text = value < 0 ? "-1.#INF" : "1.#INF";
    } else {
        text = std::signbit(value) ? "-1.#IND" : "1.#QNAN";
    }
    std::string s = text;
    if (scientific) {
        const size_t fraction = s.size() - s.find('.') - 1;
        s.append(17 - fraction, '0');
        s += "e+000";
    }
    out += s;
    return true;
}

}  // namespace

void AppendGeneral6(std::string& out, double value) {
    if (AppendSpecial(out, value, false)) {
        return;
    }
    char buf[64];
    char* end = std::to_chars(buf, buf + sizeof(buf) - 2, value, std::chars_format::general, 6).ptr;
    WidenExponent(buf, end);
    out.append(buf, end);
}

void AppendScientific17(std::string& out, double value) {
    if (AppendSpecial(out, value, true)) {
        return;
    }
    char buf[64];
    char* end =
        std::to_chars(buf, buf + sizeof(buf) - 2, value, std::chars_format::scientific, 17).ptr;
    WidenExponent(buf, end);
    out.append(buf, end);
}

std::string FormatGeneral6(double value) {
    std::string s;
    AppendGeneral6(s, value);
    return s;
}

std::string FormatScientific17(double value) {
    std::string s;
    AppendScientific17(s, value);
    return s;
}

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

void TextStream::append(std::string_view bytes) {
    if (file_ == nullptr) {
        return;
    }
    buffer_.append(bytes);
    if (buffer_.size() >= kBufferLimit) {
        drain();
    }
}

TextStream& TextStream::operator<<(std::string_view text) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            append(text.substr(start, i - start));
            append("\r\n");
            start = i + 1;
        }
    }
    append(text.substr(start));
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
    char buf[32];
    char* end = std::to_chars(buf, buf + sizeof(buf), value).ptr;
    append(std::string_view(buf, static_cast<size_t>(end - buf)));
    return *this;
}

TextStream& TextStream::operator<<(long long value) {
    char buf[32];
    char* end = std::to_chars(buf, buf + sizeof(buf), value).ptr;
    append(std::string_view(buf, static_cast<size_t>(end - buf)));
    return *this;
}

TextStream& TextStream::operator<<(double value) {
    if (file_ == nullptr) {
        return *this;
    }
    if (format_ == FloatFormat::General6) {
        AppendGeneral6(buffer_, value);
    } else {
        AppendScientific17(buffer_, value);
    }
    if (buffer_.size() >= kBufferLimit) {
        drain();
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
