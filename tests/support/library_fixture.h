// Loads the library as a host does for each test (static objects, then the load entry point with
// a module handle) and unloads it afterwards.
#pragma once

#include <gtest/gtest.h>

#include "plugin/library.h"

// A module handle for tests: any non-null value that the library only stores.
inline HINSTANCE TestModuleHandle() {
    static int module = 0;
    return reinterpret_cast<HINSTANCE>(&module);
}

class LoadedLibraryTest : public testing::Test {
  protected:
    void SetUp() override {
        LibraryLoad();
        LibMain(TestModuleHandle(), DLL_PROCESS_ATTACH, nullptr);
    }
    void TearDown() override { LibraryUnload(); }
};
