// The message boxes and assertion reports of a session, recorded in order and echoed to standard
// error as "caption: text"; neither stops anything.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace pellucid::standalone {

struct HostMessage {
    std::string caption, text;
};

class MessageLog {
  public:
    void Record(std::string caption, std::string text);
    // Recorded with the caption "assertion" and the text "<unit> line <N>".
    void RecordAssertion(const std::string& unit, int line);
    const std::vector<HostMessage>& Messages() const { return messages_; }
    void SetEcho(bool echo) { echo_ = echo; }
    // Called with each message as it is recorded, after its echo.
    void SetListener(std::function<void(const HostMessage&)> listener) {
        listener_ = std::move(listener);
    }

  private:
    std::vector<HostMessage> messages_;
    bool echo_ = true;
    std::function<void(const HostMessage&)> listener_;
};

}  // namespace pellucid::standalone
