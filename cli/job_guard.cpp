#include "cli/job_guard.h"

#include <exception>
#include <new>
#include <ostream>

#include "cli/command_line.h"

namespace pellucid::cli {

int RunGuarded(const Job& job, std::ostream& out, std::ostream& err) {
    try {
        return job(out, err);
    } catch (const std::bad_alloc&) {
        err << "pellucid: out of memory: the job was stopped and nothing was written\n";
    } catch (const std::exception& e) {
        err << "pellucid: the job was stopped and nothing was written: " << e.what() << "\n";
    } catch (...) {
        err << "pellucid: the job was stopped by an unknown error and nothing was written\n";
    }
    return kExitBadInput;
}

HostStateGuard::HostStateGuard(Interface& host)
    : host_(host), time_(host.GetTime()), exceptions_(std::uncaught_exceptions()) {}

HostStateGuard::~HostStateGuard() {
    if (std::uncaught_exceptions() > exceptions_) {
        host_.SetTime(time_, FALSE);
    }
}

}  // namespace pellucid::cli
