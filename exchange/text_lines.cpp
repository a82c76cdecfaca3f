#include "exchange/text_lines.h"

bool TextLines::Next(std::string& line) {
    if (stop_ != Stop::None) {
        return false;
    }
    std::streambuf* buffer = in_.rdbuf();
    line.clear();
    bool ended = false;
    using Traits = std::char_traits<char>;
    // One character more than the limit may be a CR that the line feed after it removes.
    while (line.size() <= kMaxLength + 1) {
        const Traits::int_type c = buffer != nullptr ? buffer->sbumpc() : Traits::eof();
        if (Traits::eq_int_type(c, Traits::eof())) {
            break;
        }
        if (Traits::to_char_type(c) == '\n') {
            ended = true;
            break;
        }
        line.push_back(Traits::to_char_type(c));
    }
    if (ended && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (!ended && line.empty()) {
        stop_ = Stop::EndOfFile;
        return false;
    }
    ++number_;
    if (line.size() > kMaxLength) {
        stop_ = Stop::LongLine;
        return false;
    }
    if (!ended) {
        stop_ = Stop::Unterminated;
        return false;
    }
    const size_t zero = line.find('\0');
    if (zero != std::string::npos) {
        line.resize(zero);
    }
    return true;
}
