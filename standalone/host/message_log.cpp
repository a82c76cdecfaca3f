#include "standalone/host/message_log.h"

#include <cstdio>

namespace pellucid::standalone {

void MessageLog::Record(std::string caption, std::string text) {
    if (echo_) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        std::fflush(stderr);
    }
    messages_.push_back({std::move(caption), std::move(text)});
    if (listener_) {
        listener_(messages_.back());
    }
}

void MessageLog::RecordAssertion(const std::string& unit, int line) {
    Record("assertion", unit + " line " + std::to_string(line));
}

}  // namespace pellucid::standalone
