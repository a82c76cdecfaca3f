#include "services/debug_log.h"

#include <atomic>
#include <fstream>
#include <mutex>
#include <string>

#include "host/interface.h"

const char* const kDebugLogPath = "d:\\project\\pellucid\\test\\debug.txt";

namespace {

// A trace can come from the innermost loops of an export, so the log is written through the
// stream's buffer and reaches the disk when it is closed; a per-line flush would change no byte.
// The log is the library's, shared by every host and export in the process: exports on several
// threads write whole lines in turn. While it is closed (the usual case) a trace takes no lock.
class DebugLog {
  public:
    void Open(const std::string& localPath) {
        std::lock_guard lock(mutex_);
        CloseLocked();
        if (localPath.empty()) {
            return;
        }
        out_.open(localPath, std::ios::binary | std::ios::trunc);
        open_ = out_.is_open();
    }
    void Close() {
        std::lock_guard lock(mutex_);
        CloseLocked();
    }
    void Write(const char* text) {
        if (!open_.load(std::memory_order_relaxed)) {
            return;
        }
        std::lock_guard lock(mutex_);
        if (!out_.is_open()) {
            return;
        }
        if (text != nullptr) {
            out_ << text;
        }
        out_ << "\r\n";
    }

  private:
    void CloseLocked() {
        open_ = false;
        if (out_.is_open()) {
            out_.close();
        }
    }

    std::mutex mutex_;
    std::atomic<bool> open_ = false;
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
