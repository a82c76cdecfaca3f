// What the commands that change or draw a scene share: refusing an output that would overwrite
// the input, writing a picture or a scene in one piece, and printing face marks.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "standalone/document/json/json_writer.h"
#include "standalone/host/standalone_host.h"
#include "utilities/check_helpers.h"

namespace pellucid::cli {

// False, with a message, when `output` names the scene file itself.
bool CheckOutputIsNotInput(const std::string& output, const std::string& scene, const char* option,
                           std::ostream& err);
// Writes the text to `path` through a temporary file; false, with a message, on failure.
bool WriteTextFile(const std::string& path, const std::string& text, std::ostream& err);
// Saves the live scene as a scene document at `path`; false, with a message, on failure.
bool SaveScene(const standalone::StandaloneHost& host, const std::string& path, std::ostream& err);

// "marks NAME: 1 2 3" per node with marked faces, in the order given; "marks (converted) NAME:"
// where the marks were made on a temporary conversion.
void PrintMarks(std::ostream& out, const std::vector<NodeMarks>& nodes);
// A notice per node whose marks never reach the scene.
void PrintConvertedNotes(std::ostream& err, const std::vector<NodeMarks>& nodes);
// The nodes as a JSON array: name, object class, converted, marked faces.
void WriteMarksJson(standalone::JsonWriter& json, const std::vector<NodeMarks>& nodes);

}  // namespace pellucid::cli
