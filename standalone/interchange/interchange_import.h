// Scenes from interchange formats (glTF, FBX, 3DS, COLLADA, OBJ and the other formats the importer
// reads) converted into a scene document, so that documents and assets share one set of checks and
// one builder, and a conversion can be saved and edited as a document.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "standalone/document/scene_document.h"

namespace pellucid::interchange {

struct ConversionOptions {
    // The animation that becomes keyed controllers; empty for the file's first one.
    std::string animation;
    // Multiplies every length (positions, vertices, morph offsets).
    float scale = 1.0f;
    // The import is cancelled after this long (some files make the importer loop for a long time).
    double timeLimitSeconds = 60.0;
};

// One thing the conversion changed or left out, for the report: kind is "dropped" (not in the
// document) or "changed" (in the document, but not as the file had it).
struct ConversionNote {
    std::string kind;
    std::string text;
};

struct ConversionCounts {
    int nodes = 0;
    int meshes = 0;
    int vertices = 0;
    int faces = 0;
    int materials = 0;
    int bitmaps = 0;
    int bones = 0;
    int skins = 0;
    int morphChannels = 0;
    int positionKeys = 0;
    int rotationKeys = 0;
    int scaleKeys = 0;
};

struct ConversionReport {
    std::string format;     // the importer's name of the file's format
    std::string animation;  // the converted animation's name, "" when none was converted
    bool turnedZUp = false;
    ConversionCounts counts;
    std::vector<ConversionNote> notes;
};

// An image that the asset carries inside itself: `bytes` is the encoded file (PNG, JPEG, ...) that
// the document's bitmap names by `path`, relative to the document's base directory.
struct EmbeddedImage {
    std::string path;
    std::string bytes;
};

struct Conversion {
    doc::Document document;
    ConversionReport report;
    std::vector<EmbeddedImage> embeddedImages;
};

// A file that cannot be converted; what() is one line "<file>: <what is wrong>".
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads the asset at `path` and converts it. Images named by the asset are loaded from beside it;
// embedded ones are decoded and listed in `embeddedImages`. Throws ConversionError.
Conversion ConvertInterchangeFile(const std::string& path, const ConversionOptions& options);

// The report as lines for standard error: "converted: ...", then one line per note.
std::vector<std::string> DescribeConversion(const ConversionReport& report);

}  // namespace pellucid::interchange
