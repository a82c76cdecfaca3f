// Settings: only those that differ from the defaults are written.
#include "standalone/document/write/write_context.h"

namespace pellucid::standalone {

void SceneDocumentWriter::WriteSettings() {
    const doc::Settings& settings = document_.settings;
    const doc::Settings defaults;
    const bool tcbDefault = settings.tension == defaults.tension &&
                            settings.continuity == defaults.continuity &&
                            settings.bias == defaults.bias && settings.easeIn == defaults.easeIn &&
                            settings.easeOut == defaults.easeOut;
    const bool rangeDefault = settings.animationStart == defaults.animationStart &&
                              settings.animationEnd == defaults.animationEnd;
    if (settings.ticksPerFrame == defaults.ticksPerFrame && rangeDefault &&
        settings.time == defaults.time && tcbDefault && settings.loop == defaults.loop &&
        settings.drives.empty()) {
        return;
    }
    json_.Key("settings");
    json_.BeginObject();
    if (settings.ticksPerFrame != defaults.ticksPerFrame) {
        json_.Key("ticksPerFrame");
        json_.Int(settings.ticksPerFrame);
    }
    if (!rangeDefault) {
        json_.Key("animationRange");
        json_.BeginInlineArray();
        json_.Int(settings.animationStart);
        json_.Int(settings.animationEnd);
        json_.EndInlineArray();
    }
    if (settings.time != defaults.time) {
        json_.Key("time");
        json_.Int(settings.time);
    }
    if (!tcbDefault) {
        json_.Key("tcbDefaults");
        json_.BeginObject();
        const std::pair<const char*, float> values[] = {{"tension", settings.tension},
                                                        {"continuity", settings.continuity},
                                                        {"bias", settings.bias},
                                                        {"easeIn", settings.easeIn},
                                                        {"easeOut", settings.easeOut}};
        for (const auto& [name, value] : values) {
            json_.Key(name);
            json_.Float(value);
        }
        json_.EndObject();
    }
    if (settings.loop != defaults.loop) {
        json_.Key("loop");
        json_.Bool(settings.loop);
    }
    if (!settings.drives.empty()) {
        json_.Key("drives");
        json_.BeginArray();
        for (const doc::Drive& drive : settings.drives) {
            WriteDescribed(drive);
        }
        json_.EndArray();
    }
    json_.EndObject();
}

}  // namespace pellucid::standalone
