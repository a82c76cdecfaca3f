#include "cli/command_outputs.h"

#include <fmt/format.h>

#include <ostream>

#include "cli/object_names.h"
#include "standalone/document/scene_document_io.h"

namespace pellucid::cli {

bool SaveDocument(const doc::Document& document, JobOutput& output, std::ostream& out,
                  std::ostream& err) {
    std::string text;
    try {
        text = output.IsStandardOutput()
                   ? standalone::SerializeSceneDocument(document)
                   : standalone::SerializeSceneDocumentFor(document, output.Name());
    } catch (const std::exception& e) {
        err << "pellucid: " << e.what() << "\n";
        return false;
    }
    return output.WriteText(text, out, err);
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
        json.StringField("name", marks.node->GetName());
        json.StringField("objectClass", ObjectClassName(marks.objectClass));
        json.BoolField("converted", marks.converted);
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
