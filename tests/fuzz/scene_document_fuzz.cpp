// Fuzz entry point of the scene-document reader (libFuzzer). Every input must end in a document or
// a DocumentError; anything else (a crash, a sanitizer report, another exception) is a finding.
// A document that was read must also be written and read back without a refusal.
// Not part of the default build: see README.md in this folder.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "standalone/document/scene_document_io.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<pellucid::doc::Document> document;
    try {
        document = pellucid::standalone::ParseSceneDocument(text, FUZZ_SCENES_DIRECTORY,
                                                            "fuzz.pscene.json");
    } catch (const pellucid::standalone::DocumentError&) {
        return 0;
    }
    try {
        const std::string written = pellucid::standalone::SerializeSceneDocument(*document);
        pellucid::standalone::ParseSceneDocument(written, FUZZ_SCENES_DIRECTORY,
                                                 "written.pscene.json");
    } catch (const pellucid::standalone::DocumentError& error) {
        std::fprintf(stderr, "a document read but did not write back: %s\n", error.what());
        std::abort();
    }
    return 0;
}
