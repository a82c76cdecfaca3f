#include "cli/import_watchdog.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstring>

#include <fmt/format.h>

namespace pellucid::cli {

namespace {

// The message is made before the alarm is set: the handler may only write and exit.
char message[1024];
std::size_t messageLength = 0;

extern "C" void OnAlarm(int) {
    const ssize_t written = ::write(STDERR_FILENO, message, messageLength);
    (void)written;
    ::_exit(2);
}

}  // namespace

ImportWatchdog::ImportWatchdog(const std::string& path, double seconds) {
    const std::string text =
        fmt::format("pellucid: {}: reading took longer than {} s and was stopped\n", path, seconds);
    messageLength = std::min(text.size(), sizeof(message));
    std::memcpy(message, text.data(), messageLength);
    std::signal(SIGALRM, OnAlarm);
    // A little after the importer's own limit, which stops it more gently where it can.
    ::alarm(static_cast<unsigned>(std::clamp(std::ceil(seconds) + 2.0, 1.0, 1.0e6)));
}

ImportWatchdog::~ImportWatchdog() {
    ::alarm(0);
    std::signal(SIGALRM, SIG_DFL);
}

}  // namespace pellucid::cli
