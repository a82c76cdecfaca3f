// Reading and writing scene documents (*.pscene.json): JSON text <-> doc::Document.
//
// The reader checks everything it reads and refuses a document with one DocumentError whose
// message is a single line "<file>: <where>: <what was expected>"; <where> is the JSON pointer of
// the offending value ("/" for the whole document), or "line L, column C" for malformed JSON.
// The writer emits a document that reads back to an equal doc::Document.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "standalone/document/scene_document.h"

namespace pellucid::standalone {

class DocumentError : public std::runtime_error {
  public:
    explicit DocumentError(const std::string& message) : std::runtime_error(message) {}
};

// How the reader treats what a document asks of the file system.
struct ReadOptions {
    // Side files and images are read only from the document's folder and below: a document from
    // elsewhere cannot make the reader open any file on the machine. An absolute path, or one that
    // climbs above the folder with "..", is refused unless this is set. (The check is on the
    // names as written; a symbolic link inside the folder is followed.)
    bool allowOutsidePaths = false;
    // What the refusal of such a path tells the user to do besides moving the file; a command
    // line names its own switch here.
    std::string allowOutsideRemedy = "allow files outside the document's folder";
};

// Reads and checks the document at `path`; side files and images are found beside it.
doc::Document ReadSceneDocument(const std::string& path, const ReadOptions& options = {});

// Reads and checks a document held in memory. Side files and images are looked up relative to
// `baseDirectory` (the current directory when empty); messages name `fileNameForMessages`.
doc::Document ParseSceneDocument(std::string_view json, const std::string& baseDirectory,
                                 const std::string& fileNameForMessages,
                                 const ReadOptions& options = {});

// Checks a document's contents as the reader checks every document it reads: indices within
// their lists, the node tree, per-face lists, selections and modifiers against their node's mesh,
// and cycles of sub-maps, sub-materials and (when `refuseLinkCycles`) link targets. Refuses with a
// DocumentError "<fileName>: <pointer>: <problem>", the pointer naming the value as
// WriteSceneDocument would write it (for a document that was read, where it stands in its file).
void ValidateDocument(const doc::Document& document, const std::string& fileName,
                      bool refuseLinkCycles = true);

// Writes the document to `path` in one piece; nothing is written when the document cannot be
// represented (DocumentError). Relative image paths are rewritten to stay valid from the folder of
// `path` when it differs from the document's base directory.
void WriteSceneDocument(const doc::Document& document, const std::string& path);

// The text that WriteSceneDocument would write, with image paths as they are.
std::string SerializeSceneDocument(const doc::Document& document);

// The text that WriteSceneDocument(document, path) writes, for a caller that writes the file
// itself: relative image paths rewritten to stay valid from the folder of `path`, messages naming
// `path`.
std::string SerializeSceneDocumentFor(const doc::Document& document, const std::string& path);

}  // namespace pellucid::standalone
