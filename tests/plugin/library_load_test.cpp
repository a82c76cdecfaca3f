// The load entry point and the library's life: the module handle and the one-time control
// initialisation.
#include <gtest/gtest.h>

#include "plugin/library.h"
#include "services/control_init.h"

namespace {

TEST(LibraryLoadTest, LoadEntryPointInitialisesControlsOnlyOnce) {
    LibraryLoad();
    EXPECT_EQ(hInstance, nullptr);
    EXPECT_EQ(GetControlInitialisations().customControls, 0);

    int first = 0, second = 0;
    auto* firstHandle = reinterpret_cast<HINSTANCE>(&first);
    auto* secondHandle = reinterpret_cast<HINSTANCE>(&second);
    EXPECT_EQ(LibMain(firstHandle, DLL_PROCESS_ATTACH, nullptr), TRUE);
    EXPECT_EQ(hInstance, firstHandle);
    EXPECT_EQ(GetControlInitialisations().customControls, 1);
    EXPECT_EQ(GetControlInitialisations().commonControls, 1);

    // A thread notice rewrites the handle and initialises nothing again.
    EXPECT_EQ(LibMain(secondHandle, DLL_THREAD_ATTACH, nullptr), TRUE);
    EXPECT_EQ(hInstance, secondHandle);
    EXPECT_EQ(LibMain(secondHandle, DLL_THREAD_DETACH, nullptr), TRUE);
    EXPECT_EQ(GetControlInitialisations().customControls, 1);
    EXPECT_EQ(GetControlInitialisations().commonControls, 1);

    LibraryUnload();
    EXPECT_EQ(hInstance, nullptr);

    // A library loaded afresh initialises once more.
    LibraryLoad();
    LibMain(firstHandle, DLL_PROCESS_ATTACH, nullptr);
    EXPECT_EQ(GetControlInitialisations().customControls, 1);
    EXPECT_EQ(GetControlInitialisations().commonControls, 1);
    LibraryUnload();
}

}  // namespace
