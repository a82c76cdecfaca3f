#include "host/interface.h"

#include <cstring>

#include "host/control.h"

namespace {
HostPlatform* g_platform = nullptr;
}

void SetHostPlatform(HostPlatform* platform) {
    g_platform = platform;
}
HostPlatform* GetHostPlatform() {
    return g_platform;
}

Interface* GetCOREInterface() {
    return g_platform ? g_platform->Core() : nullptr;
}

int GetTicksPerFrame() {
    return g_platform ? g_platform->TicksPerFrame() : 160;
}

TimeValue GetAnimStart() {
    Interface* core = GetCOREInterface();
    return core ? core->GetAnimRange().Start() : 0;
}

TimeValue GetAnimEnd() {
    Interface* core = GetCOREInterface();
    return core ? core->GetAnimRange().End() : 0;
}

void GetTCBDefaultParams(float& tension, float& continuity, float& bias, float& easeIn,
                         float& easeOut) {
    tension = continuity = bias = easeIn = easeOut = 0.0f;
    if (g_platform) {
        g_platform->TCBDefaults(tension, continuity, bias, easeIn, easeOut);
    }
}

int MessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return g_platform ? g_platform->MessageBox(owner, text, caption, type) : IDOK;
}

void assert1(int line, const char* file) {
    if (g_platform) {
        g_platform->ReportAssertion(line, file);
    }
}

void ReportWriteError(const char* path, int error) {
    if (g_platform) {
        g_platform->ReportWriteError(path, error);
    }
}

DWORD GetLogicalDriveStringsA(DWORD bufferLength, char* buffer) {
    std::string all;
    if (g_platform) {
        for (const std::string& root : g_platform->LogicalDriveRoots()) {
            all += root;
            all.push_back('\0');
        }
    }
    if (all.size() + 1 > bufferLength || buffer == nullptr) {
        return static_cast<DWORD>(all.size() + 1);
    }
    std::memcpy(buffer, all.data(), all.size());
    buffer[all.size()] = '\0';
    return static_cast<DWORD>(all.size());
}

std::string GetUniversalName(const char* localPath) {
    return g_platform && localPath ? g_platform->UniversalName(localPath) : std::string();
}

int ReferenceTarget::EnumDependents(DependentEnumProc* dep) {
    return g_platform && dep ? g_platform->EnumDependents(this, dep) : 0;
}
