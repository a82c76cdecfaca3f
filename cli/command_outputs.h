// What the commands that change or draw a scene share: saving a scene in one piece, and printing
// face marks.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/job_output.h"
#include "standalone/document/json/json_writer.h"
#include "standalone/host/standalone_host.h"
#include "utilities/check_helpers.h"

namespace pellucid::cli {

// Saves the document as the job's output; false, with a message, on failure. On standard output
// the image paths stay as the document has them, relative to the folder it was read from.
bool SaveDocument(const doc::Document& document, JobOutput& output, std::ostream& out,
                  std::ostream& err);
// Saves the live scene the same way.
bool SaveScene(const standalone::StandaloneHost& host, JobOutput& output, std::ostream& out,
               std::ostream& err);

// "marks NAME: 1 2 3" per node with marked faces, in the order given; "marks (converted) NAME:"
// where the marks were made on a temporary conversion.
void PrintMarks(std::ostream& out, const std::vector<NodeMarks>& nodes);
// A notice per node whose marks never reach the scene.
void PrintConvertedNotes(std::ostream& err, const std::vector<NodeMarks>& nodes);
// The nodes as a JSON array: name, object class, converted, marked faces.
void WriteMarksJson(standalone::JsonWriter& json, const std::vector<NodeMarks>& nodes);

}  // namespace pellucid::cli
