#include "cli/command_outputs.h"

#include <fmt/format.h>

#include <filesystem>
#include <fstream>
#include <ostream>

#include "cli/object_names.h"
#include "cli/output_file.h"
#include "standalone/document/scene_document_io.h"

namespace pellucid::cli {

bool CheckOutputIsNotInput(const std::string& output, const std::string& scene, const char* option,
                           std::ostream& err) {
    std::error_code ec;
    if (!output.empty() && std::filesystem::equivalent(output, scene, ec) && !ec) {
        err << fmt::format(
            "pellucid: {} {}: this is the scene being read; choose another file so that the "
            "scene is not overwritten\n",
            option, output);
        return false;
    }
    return true;
}

bool WriteTextFile(const std::string& path, const std::string& text, std::ostream& err) {
    OutputFile output(path);
    {
        std::ofstream file(output.TemporaryPath(), std::ios::binary);
        file << text;
        file.flush();
        if (!file) {
            err << fmt::format(
                "pellucid: {}: cannot be written (is the folder there and "
                "writable?)\n",
                path);
            return false;
        }
    }
    std::string error;
    if (!output.Commit(error)) {
        err << fmt::format("pellucid: {}: {}\n", path, error);
        return false;
    }
    return true;
}

bool SaveScene(const standalone::StandaloneHost& host, const std::string& path, std::ostream& err) {
    OutputFile output(path);
    try {
        standalone::WriteSceneDocument(host.Capture(), output.TemporaryPath().string());
    } catch (const std::exception& e) {
        err << fmt::format("pellucid: {}: {}\n", path, e.what());
        return false;
    }
    std::string error;
    if (!output.Written() || !output.Commit(error)) {
        err << fmt::format("pellucid: {}: cannot be written{}\n", path,
                           error.empty() ? "" : ": " + error);
        return false;
    }
    return true;
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
