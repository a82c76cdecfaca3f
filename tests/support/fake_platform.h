// A host platform for tests that need no scene: it records message boxes and assertion reports,
// maps platform paths to local files by prefix, and answers fixed settings. Attach it with
// AttachHostPlatform (the guard below does so for the length of a scope).
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/interface.h"

class FakePlatform : public HostPlatform {
  public:
    struct Message {
        std::string caption, text;
        bool operator==(const Message&) const = default;
    };
    struct Assertion {
        std::string file;
        int line;
        bool operator==(const Assertion&) const = default;
    };

    int MessageBox(HWND, const char* text, const char* caption, UINT) override {
        messages.push_back({caption ? caption : "", text ? text : ""});
        return IDOK;
    }
    void ReportAssertion(int line, const char* file) override {
        assertions.push_back({file ? file : "", line});
    }
    std::vector<std::string> LogicalDriveRoots() override {
        std::vector<std::string> roots;
        for (const auto& drive : drives) {
            roots.push_back(drive.first);
        }
        return roots;
    }
    std::string UniversalName(const std::string& driveRoot) override {
        for (const auto& drive : drives) {
            if (drive.first == driveRoot) {
                return drive.second;
            }
        }
        return "";
    }
    // The platform path with a mapped prefix (compared without regard to case) replaced by its
    // folder and backslashes turned into slashes; "" when no prefix matches.
    std::string LocalPath(const std::string& platformPath) override {
        for (const auto& [prefix, folder] : pathMap) {
            if (platformPath.size() >= prefix.size() &&
                std::equal(prefix.begin(), prefix.end(), platformPath.begin(),
                           [](char a, char b) { return std::tolower(a) == std::tolower(b); })) {
                std::string rest = platformPath.substr(prefix.size());
                std::replace(rest.begin(), rest.end(), '\\', '/');
                return folder + "/" + rest;
            }
        }
        return "";
    }
    Interface* Core() override { return core; }
    int TicksPerFrame() override { return ticksPerFrame; }
    void TCBDefaults(float& tension, float& continuity, float& bias, float& easeIn,
                     float& easeOut) override {
        tension = tcb[0];
        continuity = tcb[1];
        bias = tcb[2];
        easeIn = tcb[3];
        easeOut = tcb[4];
    }

    // Maps platform paths beginning with `prefix` (such as "d:\") into `folder`.
    void MapPath(std::string prefix, std::string folder) {
        pathMap[std::move(prefix)] = std::move(folder);
    }

    std::vector<Message> messages;
    std::vector<Assertion> assertions;
    std::map<std::string, std::string> pathMap;
    // Drive roots in order with their universal names ("" for none).
    std::vector<std::pair<std::string, std::string>> drives;
    Interface* core = nullptr;
    int ticksPerFrame = 160;
    float tcb[5] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
};

// Makes a platform (or, with null, no platform) the library's host for the life of the guard.
class ScopedHostPlatform {
  public:
    explicit ScopedHostPlatform(HostPlatform* platform) : platform_(platform) {
        AttachHostPlatform(platform);
    }
    ~ScopedHostPlatform() { DetachHostPlatform(platform_); }
    ScopedHostPlatform(const ScopedHostPlatform&) = delete;
    ScopedHostPlatform& operator=(const ScopedHostPlatform&) = delete;

  private:
    HostPlatform* platform_;
};
