// A job that throws ends with one message and exit code 2, and what it changed in the host's time
// is put back.
#include "cli/job_guard.h"

#include <gtest/gtest.h>

#include <new>
#include <sstream>
#include <stdexcept>

#include "cli/command_line.h"
#include "cli/scene_session.h"

namespace pellucid::cli {
namespace {

TEST(JobGuard, WhatAJobThrowsEndsItWithOneMessageAndExitTwo) {
    struct Case {
        Job job;
        std::string err;
    };
    const Case cases[] = {
        {[](std::ostream&, std::ostream&) -> int { throw std::bad_alloc(); },
         "pellucid: out of memory: the job was stopped and nothing was written\n"},
        {[](std::ostream&, std::ostream&) -> int { throw std::runtime_error("bad key table"); },
         "pellucid: the job was stopped and nothing was written: bad key table\n"},
        {[](std::ostream&, std::ostream&) -> int { throw 7; },
         "pellucid: the job was stopped by an unknown error and nothing was written\n"},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunGuarded(c.job, out, err), kExitBadInput);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(err.str(), c.err);
    }
    std::ostringstream out, err;
    EXPECT_EQ(RunGuarded(
                  [](std::ostream& o, std::ostream&) {
                      o << "done";
                      return kExitFindings;
                  },
                  out, err),
              kExitFindings);
    EXPECT_EQ(out.str(), "done");
}

TEST(JobGuard, HostTimeIsRestoredOnlyWhenTheJobIsLeftByAnException) {
    std::ostringstream err;
    auto document = ReadSceneFile(PELLUCID_SOURCE_DIR "/examples/character.pscene.json", err);
    ASSERT_TRUE(document) << err.str();
    standalone::StandaloneHost host(std::move(*document));
    host.SetTime(480, FALSE);
    try {
        const HostStateGuard guard(host);
        host.SetTime(0, FALSE);
        throw std::runtime_error("stopped");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(host.GetTime(), 480);

    {
        const HostStateGuard guard(host);
        host.SetTime(160, FALSE);
    }
    EXPECT_EQ(host.GetTime(), 160);
}

}  // namespace
}  // namespace pellucid::cli
