// Fuzz entry point of the scene-document reader (libFuzzer). Every input must end in a document or
// a DocumentError; anything else (a crash, a sanitizer report, another exception) is a finding.
// Not part of the default build: see README.md in this folder.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "standalone/scene_document_io.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const pellucid::doc::Document document =
            pellucid::standalone::ParseSceneDocument(text, FUZZ_SCENES_DIRECTORY, "fuzz.pscene.json");
        // What was read must also be writable and read back.
        const std::string written = pellucid::standalone::SerializeSceneDocument(document);
        pellucid::standalone::ParseSceneDocument(written, FUZZ_SCENES_DIRECTORY, "written.pscene.json");
    } catch (const pellucid::standalone::DocumentError&) {
    }
    return 0;
}
