#include "services/debug_log.h"

#include <fstream>
#include <string>

#include "host/interface.h"

const char* const kDebugLogPath = "d:\\project\\pellucid\\test\\debug.txt";

namespace {

// A trace can come from the innermost loops of an export, so the log is written through the
// stream's buffer and reaches the disk when it is closed; a per-line flush would change no byte.
class DebugLog {
  public:
    void Open(const std::string& localPath) {
        Close();
        if (localPath.empty()) {
            return;
        }
        out_.open(localPath, std::ios::binary | std::ios::trunc);
    }
    void Close() {
        if (out_.is_open()) {
            out_.close();
        }
    }
    void Write(const char* text) {
        if (!out_.is_open()) {
            return;
        }
        if (text != nullptr) {
            out_ << text;
        }
        out_ << "\r\n";
    }

  private:
    std::ofstream out_;
};

DebugLog& Log() {
    static DebugLog log;
    return log;
}

}  // namespace

void Trace(const char* text) {
    Log().Write(text);
}

void OpenDebugLog() {
    HostPlatform* platform = GetHostPlatform();
    Log().Open(platform != nullptr ? platform->LocalPath(kDebugLogPath) : std::string());
}

void CloseDebugLog() {
    Log().Close();
}
