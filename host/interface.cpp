#include "host/interface.h"

#include <algorithm>
#include <cstring>

#include "host/control.h"

namespace {

// The hosts attached on this thread, the current one last.
thread_local std::vector<HostPlatform*> t_attached;

}  // namespace

void AttachHostPlatform(HostPlatform* platform) {
    if (platform != nullptr) {
        std::erase(t_attached, platform);
    }
    t_attached.push_back(platform);
}

void DetachHostPlatform(HostPlatform* platform) {
    const auto found = std::find(t_attached.rbegin(), t_attached.rend(), platform);
    if (found != t_attached.rend()) {
        t_attached.erase(std::next(found).base());
    }
}

HostPlatform* GetHostPlatform() {
    return t_attached.empty() ? nullptr : t_attached.back();
}

Interface* GetCOREInterface() {
    HostPlatform* platform = GetHostPlatform();
    return platform ? platform->Core() : nullptr;
}

int GetTicksPerFrame() {
    HostPlatform* platform = GetHostPlatform();
    return platform ? platform->TicksPerFrame() : 160;
}

TriObject* CreateNewTriObject() {
    HostPlatform* platform = GetHostPlatform();
    return platform ? platform->NewTriObject() : new TriObject();
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
    if (HostPlatform* platform = GetHostPlatform()) {
        platform->TCBDefaults(tension, continuity, bias, easeIn, easeOut);
    }
}

int MessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    HostPlatform* platform = GetHostPlatform();
    return platform ? platform->MessageBox(owner, text, caption, type) : IDOK;
}

void assert1(int line, const char* file) {
    if (HostPlatform* platform = GetHostPlatform()) {
        platform->ReportAssertion(line, file);
    }
}

void ReportWriteError(const char* path, int error) {
    if (HostPlatform* platform = GetHostPlatform()) {
        platform->ReportWriteError(path, error);
    }
}

DWORD GetLogicalDriveStringsA(DWORD bufferLength, char* buffer) {
    std::string all;
    if (HostPlatform* platform = GetHostPlatform()) {
        for (const std::string& root : platform->LogicalDriveRoots()) {
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
    HostPlatform* platform = GetHostPlatform();
    return platform && localPath ? platform->UniversalName(localPath) : std::string();
}

int ReferenceTarget::EnumDependents(DependentEnumProc* dep) {
    HostPlatform* platform = GetHostPlatform();
    return platform && dep ? platform->EnumDependents(this, dep) : 0;
}
