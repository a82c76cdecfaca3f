// Settings: read by their table (document_fields.h); the animation range is a pair of times.
#include <fmt/format.h>

#include "standalone/document/read/read_described.h"

namespace pellucid::standalone {

void SceneDocumentReader::ReadSettings(JsonElement value, const JsonPath& path) {
    ReadDescribed(*this, value, path, document_.settings);
}

void SceneDocumentReader::ReadTimeRange(JsonElement value, const JsonPath& path, int& start,
                                        int& end) const {
    int range[2] = {0, 0};
    std::size_t n = 0;
    for (JsonElement tick : Array(value, path)) {
        if (n == 2) {
            Fail(path, "expected [start, end] in ticks");
        }
        range[n] = ReadTime(tick, path.Item(n));
        ++n;
    }
    if (n != 2) {
        Fail(path, "expected [start, end] in ticks");
    }
    if (range[1] < range[0]) {
        Fail(path, fmt::format("the end {} is before the start {}", range[1], range[0]));
    }
    start = range[0];
    end = range[1];
}

}  // namespace pellucid::standalone
