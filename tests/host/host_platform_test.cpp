// Which host the library's calls reach: the one attached last on the calling thread, and the one
// before it again when that goes away.
#include <gtest/gtest.h>

#include <cstdint>
#include <thread>

#include "host/dialog_controls.h"
#include "host/param_map.h"
#include "support/fake_platform.h"

namespace {

TEST(HostPlatform, HostThatGoesAwayGivesTheLibraryBackToTheOneBeforeIt) {
    FakePlatform first;
    first.ticksPerFrame = 100;
    ScopedHostPlatform firstScope(&first);
    {
        FakePlatform second;
        second.ticksPerFrame = 200;
        ScopedHostPlatform secondScope(&second);
        EXPECT_EQ(GetTicksPerFrame(), 200);
        MessageBox(nullptr, "to the second", "Warning", MB_OK);
    }
    EXPECT_EQ(GetHostPlatform(), &first);
    EXPECT_EQ(GetTicksPerFrame(), 100);
    MessageBox(nullptr, "to the first", "Warning", MB_OK);
    assert1(12, "unit");
    EXPECT_EQ(first.messages, (std::vector<FakePlatform::Message>{{"Warning", "to the first"}}));
    EXPECT_EQ(first.assertions, (std::vector<FakePlatform::Assertion>{{"unit", 12}}));
}

TEST(HostPlatform, DetachingAHostBelowTheCurrentOneKeepsTheCurrentOne) {
    FakePlatform a, b, c;
    AttachHostPlatform(&a);
    AttachHostPlatform(&b);
    AttachHostPlatform(&c);
    DetachHostPlatform(&b);
    EXPECT_EQ(GetHostPlatform(), &c);
    // Attaching an attached host makes it current again; detaching it returns to the one before.
    AttachHostPlatform(&a);
    EXPECT_EQ(GetHostPlatform(), &a);
    DetachHostPlatform(&a);
    EXPECT_EQ(GetHostPlatform(), &c);
    DetachHostPlatform(&c);
    EXPECT_EQ(GetHostPlatform(), nullptr);
    // A host that is not attached changes nothing.
    DetachHostPlatform(&b);
    EXPECT_EQ(GetHostPlatform(), nullptr);
    EXPECT_EQ(GetTicksPerFrame(), 160);
    EXPECT_EQ(MessageBox(nullptr, "nobody", "Warning", MB_OK), IDOK);
}

TEST(HostPlatform, HostsOfOtherThreadsAreNotSeen) {
    FakePlatform here;
    ScopedHostPlatform scope(&here);
    HostPlatform* seenThere = &here;
    int ticksThere = 0;
    std::thread other([&] {
        FakePlatform there;
        there.ticksPerFrame = 30;
        EXPECT_EQ(GetHostPlatform(), nullptr);
        ScopedHostPlatform thereScope(&there);
        seenThere = GetHostPlatform();
        ticksThere = GetTicksPerFrame();
        MessageBox(nullptr, "there", "Warning", MB_OK);
    });
    other.join();
    EXPECT_NE(seenThere, &here);
    EXPECT_EQ(ticksThere, 30);
    EXPECT_EQ(GetHostPlatform(), &here);
    EXPECT_TRUE(here.messages.empty());
}

// Without a host, or with a host that has no panels, the control calls answer "no control" and
// the releases do nothing.
TEST(HostPlatform, ControlCallsWithoutPanelsAnswerNothing) {
    const auto expectNothing = [](const char* where) {
        HWND dialog = reinterpret_cast<HWND>(std::intptr_t{1});
        EXPECT_EQ(GetDlgItem(dialog, 1000), nullptr) << where;
        EXPECT_EQ(IsDlgButtonChecked(dialog, 1000), static_cast<UINT>(BST_UNCHECKED)) << where;
        EXPECT_EQ(CheckDlgButton(dialog, 1000, BST_CHECKED), FALSE) << where;
        EXPECT_EQ(GetICustButton(dialog), nullptr) << where;
        EXPECT_EQ(GetICustStatus(dialog), nullptr) << where;
        EXPECT_EQ(GetICustEdit(dialog), nullptr) << where;
        EXPECT_EQ(GetISpinner(dialog), nullptr) << where;
        EXPECT_EQ(CreateCPParamMap(nullptr, 0, nullptr, nullptr, nullptr, "", "", 0), nullptr)
            << where;
        ReleaseICustButton(nullptr);
        DestroyCPParamMap(nullptr);
    };
    expectNothing("no host");
    FakePlatform platform;
    ScopedHostPlatform scope(&platform);
    expectNothing("a host without panels");
}

}  // namespace
