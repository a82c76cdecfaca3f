#include "cli/command_outputs.h"

#include <fmt/format.h>

#include <ostream>

#include "cli/object_names.h"
#include "standalone/document/scene_document_io.h"

namespace pellucid::cli {

bool SaveDocument(const doc::Document& document, JobOutput& output, std::ostream& out,
                  std::ostream& err) {
    try {
        if (output.IsStandardOutput()) {
            return output.WriteText(standalone::SerializeSceneDocument(document), out, err);
        }
        standalone::WriteSceneDocument(document, output.TemporaryPath());
    } catch (const std::exception& e) {
        // The writer's message names the file it was given: the temporary one.
        std::string message = e.what();
        const std::string temporary = output.TemporaryPath();
        for (size_t at = message.find(temporary); at != std::string::npos;
             at = message.find(temporary, at)) {
            message.replace(at, temporary.size(), output.Name());
            at += output.Name().size();
        }
        err << "pellucid: " << message << "\n";
        return false;
    }
    return output.Finish(out, err);
}

bool SaveScene(const standalone::StandaloneHost& host, JobOutput& output, std::ostream& out,
               std::ostream& err) {
    return SaveDocument(host.Capture(), output, out, err);
}

void PrintMarks(std::ostream& out, const std::vector<NodeMarks>& nodes) {
    for (const NodeMarks& marks : nodes) {
        if (marks.faces.empty()) {
            continue;
        }
        std::string line = marks.converted ? "marks (converted) " : "marks ";
        line += marks.node->GetName();
        line += ":";
        for (int face : marks.faces) {
            line += fmt::format(" {}", face);
        }
        out << line << "\n";
    }
}

void PrintConvertedNotes(std::ostream& err, const std::vector<NodeMarks>& nodes) {
    for (const NodeMarks& marks : nodes) {
        if (marks.converted && !marks.faces.empty()) {
            err << fmt::format(
                "note: {} is a {}, not an editable mesh: its marks were made on a temporary "
                "copy and do not reach the scene\n",
                marks.node->GetName(), ObjectClassName(marks.objectClass));
        }
    }
}

void WriteMarksJson(standalone::JsonWriter& json, const std::vector<NodeMarks>& nodes) {
    json.BeginArray();
    for (const NodeMarks& marks : nodes) {
        json.BeginObject();
        json.Key("name");
        json.String(marks.node->GetName());
        json.Key("objectClass");
        json.String(ObjectClassName(marks.objectClass));
        json.Key("converted");
        json.Bool(marks.converted);
        json.Key("markedFaces");
        json.BeginInlineArray();
        for (int face : marks.faces) {
            json.Int(face);
        }
        json.EndInlineArray();
        json.EndObject();
    }
    json.EndArray();
}

}  // namespace pellucid::cli
