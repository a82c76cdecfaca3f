#include <limits>

#include <fmt/format.h>

#include "standalone/document/read/read_described.h"

namespace pellucid::standalone {

namespace {

constexpr std::string_view kSettingsFields[] = {"ticksPerFrame", "animationRange", "time",
                                                "tcbDefaults",   "loop",           "drives"};
enum SettingsField { kTicksPerFrame, kAnimationRange, kTime, kTcbDefaults, kLoop, kDrives };

constexpr std::string_view kTcbFields[] = {"tension", "continuity", "bias", "easeIn", "easeOut"};

}  // namespace

void SceneDocumentReader::ReadSettings(JsonElement value, const JsonPath& path) {
    doc::Settings& settings = document_.settings;
    ForEachField(value, path, kSettingsFields, [&](int field, JsonElement v, const JsonPath& p) {
        switch (field) {
            case kTicksPerFrame:
                settings.ticksPerFrame =
                    static_cast<int>(Integer(v, p, 1, std::numeric_limits<int>::max()));
                break;
            case kAnimationRange: {
                int range[2] = {0, 0};
                std::size_t n = 0;
                for (JsonElement tick : Array(v, p)) {
                    if (n == 2) {
                        Fail(p, "expected [start, end] in ticks");
                    }
                    range[n] = ReadTime(tick, p.Item(n));
                    ++n;
                }
                if (n != 2) {
                    Fail(p, "expected [start, end] in ticks");
                }
                if (range[1] < range[0]) {
                    Fail(p, fmt::format("the end {} is before the start {}", range[1], range[0]));
                }
                settings.animationStart = range[0];
                settings.animationEnd = range[1];
                break;
            }
            case kTime:
                settings.time = ReadTime(v, p);
                break;
            case kTcbDefaults:
                ReadTcbDefaults(v, p);
                break;
            case kLoop:
                settings.loop = Bool(v, p);
                break;
            case kDrives:
                settings.drives.clear();
                ForEachItem(v, p, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
                    settings.drives.push_back(ReadDrive(item, itemPath));
                });
                break;
        }
    });
}

void SceneDocumentReader::ReadTcbDefaults(JsonElement value, const JsonPath& path) {
    doc::Settings& settings = document_.settings;
    float* const targets[] = {&settings.tension, &settings.continuity, &settings.bias,
                              &settings.easeIn, &settings.easeOut};
    ForEachField(value, path, kTcbFields, [&](int field, JsonElement v, const JsonPath& p) {
        *targets[field] = Float(v, p);
    });
}

doc::Drive SceneDocumentReader::ReadDrive(JsonElement value, const JsonPath& path) const {
    doc::Drive drive;
    ReadDescribed(*this, value, path, drive);
    return drive;
}

}  // namespace pellucid::standalone
