// Every job runs guarded: whatever it throws (a bad allocation included) ends that job with one
// message and exit code 2, never the process. Temporary files go with the unwinding (OutputFile),
// and what an exporter changed in the host is put back by HostStateGuard.
#pragma once

#include <iosfwd>

#include "cli/command_table.h"
#include "host/interface.h"

namespace pellucid::cli {

// Runs `job`; an exception that escapes it is printed as "pellucid: ..." and gives exit code 2.
int RunGuarded(const Job& job, std::ostream& out, std::ostream& err);

// Puts the host's current time back when a job is left by an exception: the bone exporter sets it
// to 0 while it reads the scene and restores it only when it returns.
class HostStateGuard {
  public:
    explicit HostStateGuard(Interface& host);
    ~HostStateGuard();
    HostStateGuard(const HostStateGuard&) = delete;
    HostStateGuard& operator=(const HostStateGuard&) = delete;

  private:
    Interface& host_;
    TimeValue time_;
    int exceptions_;
};

}  // namespace pellucid::cli
