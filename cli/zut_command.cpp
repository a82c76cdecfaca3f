// pellucid export zut, pellucid import zut: meshes to and from the studio's modelling tool.
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <fstream>
#include <memory>
#include <ostream>

#include "cli/command_line.h"
#include "cli/command_outputs.h"
#include "cli/commands.h"
#include "cli/job_report.h"
#include "cli/library_classes.h"
#include "cli/scene_session.h"
#include "exchange/zut_node_writer.h"
#include "exchange/zut_reader.h"
#include "standalone/document/scene_document_io.h"
#include "standalone/scene/objects/mesh_objects.h"

namespace pellucid::cli {

namespace {

struct ZutExportOptions {
    SceneOptions scene;
    std::string outputPath;
    bool strict = false;
    bool json = false;
};

struct ZutImportOptions {
    std::string inputPath;
    std::string outputPath;
    bool strict = false;
    bool json = false;
};

struct ExportedObject {
    INode* node;
    int restVertices = 0;
    int vertices = 0;
    int faces = 0;
};

bool IsMeshObject(Object* object) {
    return object != nullptr && object->SuperClassID() == GEOMOBJECT_CLASS_ID &&
           object->CanConvertToType(triObjectClassID);
}

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return text;
}

// The nodes the exporter will write, with their frame-0 vertex counts, and notes on the nodes
// that a user may have meant to export. Read before the export, while the nodes stand at 0.
std::vector<ExportedObject> FindExportedObjects(standalone::StandaloneHost& host,
                                                JobReport& report) {
    std::vector<ExportedObject> objects;
    for (standalone::SceneNode* node : host.GetScene().NodesInTreeOrder()) {
        Object* object = node->EvalWorldState(0, TRUE).obj;
        const std::string& name = node->Name();
        if (HasZUTPrefix(name.c_str())) {
            if (IsMeshObject(object)) {
                auto rest = standalone::ConvertToEditableMesh(object, 0);
                objects.push_back({node, rest ? rest->mesh.getNumVerts() : 0});
            } else {
                report.Note(
                    fmt::format("node \"{}\" is not exported: its object is not a mesh", name));
            }
        } else if (UpperAscii(name.substr(0, 3)) == "ZUT" && IsMeshObject(object)) {
            report.Note(fmt::format(
                "node \"{}\" is not exported: only names that begin with \"ZUT\" in capitals are",
                name));
        }
    }
    return objects;
}

void CountExportedObjects(std::vector<ExportedObject>& objects, JobReport& report) {
    const TimeValue frame10 = 10 * GetTicksPerFrame();
    for (ExportedObject& exported : objects) {
        auto posed = standalone::ConvertToEditableMesh(
            exported.node->EvalWorldState(frame10, TRUE).obj, frame10);
        if (posed) {
            exported.vertices = posed->mesh.getNumVerts();
            exported.faces = posed->mesh.getNumFaces();
        }
        if (exported.restVertices == 0 && exported.vertices > 0) {
            report.Note(fmt::format(
                "node \"{}\" has no vertices at frame 0: each vertex line gives its frame-10 "
                "position twice",
                exported.node->GetName()));
        }
    }
    if (objects.empty()) {
        report.Note("no mesh node's name begins with \"ZUT\": the file is empty");
    }
}

int RunZutExport(const ZutExportOptions& options, std::ostream& out, std::ostream& err) {
    JobOutput output(options.outputPath, "-o");
    auto host = LoadJobScene(options.scene, output, options.json, err, "file");
    if (!host) {
        return kExitBadInput;
    }
    std::unique_ptr<SceneExport> exporter = CreateSceneExporter("ZUT");
    if (!exporter) {
        err << "pellucid: the library registers no exporter for ZUT files\n";
        return kExitBadInput;
    }
    JobReport report;
    std::vector<ExportedObject> objects = FindExportedObjects(*host, report);
    exporter->DoExport(output.TemporaryPath().c_str(), host->GetExpInterface(), host.get());
    if (!output.Finish(out, err, WriteErrorOf(*host, output.TemporaryPath()))) {
        return kExitBadInput;
    }
    CountExportedObjects(objects, report);
    std::string summary = fmt::format("wrote {} ({} object{})\n", output.Name(), objects.size(),
                                      objects.size() == 1 ? "" : "s");
    for (const ExportedObject& o : objects) {
        summary +=
            fmt::format("  {}: {} vertices, {} faces\n", o.node->GetName(), o.vertices, o.faces);
    }
    return ReportJob(options.json, options.strict, output, report, *host, summary, out, err,
                     [&](standalone::JsonWriter& json) {
                         json.Key("objects");
                         json.BeginArray();
                         for (const ExportedObject& o : objects) {
                             json.BeginObject();
                             WriteMeshCounts(json, o.node->GetName(), o.vertices, o.faces);
                             json.EndObject();
                         }
                         json.EndArray();
                     });
}

const char* EndReason(ZutSection::End end) {
    switch (end) {
        case ZutSection::End::NotRecognised:
            return "it is neither a vertex nor a face line, so the mesh section ends there and "
                   "the rest of the file is not read";
        case ZutSection::End::VertexLimit:
            return "a ZUT object holds at most 1024 vertices: the mesh section ends there";
        case ZutSection::End::FaceLimit:
            return "a ZUT object holds at most 1024 faces: the mesh section ends there";
        case ZutSection::End::LongLine:
            return "it is longer than 1023 characters: the reading ends there";
        case ZutSection::End::Unterminated:
            return "the last line has no line end and is not read";
        case ZutSection::End::EndOfFile:
            break;
    }
    return "";
}

// What the importer passed over in silence, from the same reading of the file.
void ExplainZutSection(const ZutSection& section, const std::string& path, JobReport& report) {
    auto noteFields = [&](int line, int fields, int used, const char* kind) {
        if (fields < used) {
            report.Note(fmt::format(
                "{} line {}: only {} of the {} numbers that the {} line needs could be read; "
                "the rest read as 0",
                path, line, fields, used, kind));
        }
    };
    for (const ZutVertexLine& vertex : section.vertices) {
        noteFields(vertex.line, vertex.fields, 7, "vertex");
    }
    for (const ZutFaceLine& face : section.faces) {
        noteFields(face.line, face.fields, 4, "face");
        for (DWORD corner : face.corners) {
            if (corner >= section.vertices.size()) {
                report.Note(fmt::format(
                    "{} line {}: the face names vertex {}, but the section has {} vertices; the "
                    "face is left out",
                    path, face.line, corner, section.vertices.size()));
                break;
            }
        }
    }
    if (section.end != ZutSection::End::EndOfFile) {
        report.Note(fmt::format("{} line {}: {}", path, section.endLine, EndReason(section.end)));
    }
}

int RunZutImport(const ZutImportOptions& options, std::ostream& out, std::ostream& err) {
    JobOutput output(options.outputPath, "-o");
    std::ifstream in;
    if (!OpenImportInput(options.inputPath, output, options.json, in, err)) {
        return kExitBadInput;
    }
    const ZutSection section = ReadZutSection(in);
    auto host = NewEmptyScene({}, err);
    std::unique_ptr<SceneImport> importer = CreateSceneImporter("ZUT");
    if (!host || !importer) {
        err << "pellucid: the library registers no importer for ZUT files\n";
        return kExitBadInput;
    }
    if (importer->DoImport(options.inputPath.c_str(), host->GetImpInterface(), host.get()) == 0) {
        if (section.end == ZutSection::End::LongLine ||
            section.end == ZutSection::End::Unterminated) {
            err << fmt::format("pellucid: {} line {}: {}, before any line with \"Cube_MeshNew\"\n",
                               options.inputPath, section.endLine, EndReason(section.end));
        } else {
            err << fmt::format(
                "pellucid: {}: no line contains \"Cube_MeshNew\", so there is no mesh section to "
                "import (files written by 'pellucid export zut' have none: add a line "
                "Cube_MeshNew(); before the first vertex line)\n",
                options.inputPath);
        }
        return kExitBadInput;
    }
    JobReport report;
    ExplainZutSection(section, options.inputPath, report);
    if (!SaveScene(*host, output, out, err)) {
        return kExitBadInput;
    }
    INode* object = host->FindNodeByName("ZUT_Object");
    auto mesh = standalone::ConvertToEditableMesh(
        object != nullptr ? object->EvalWorldState(0, TRUE).obj : nullptr, 0);
    const int vertices = mesh ? mesh->mesh.getNumVerts() : 0;
    const int faces = mesh ? mesh->mesh.getNumFaces() : 0;
    return ReportJob(options.json, options.strict, output, report, *host,
                     fmt::format("wrote {} (ZUT_Object: {} vertices, {} faces)\n", output.Name(),
                                 vertices, faces),
                     out, err, [&](standalone::JsonWriter& json) {
                         WriteMeshCounts(json, "ZUT_Object", vertices, faces);
                     });
}

}  // namespace

Job DeclareExportZutCommand(CLI::App& command) {
    auto options = std::make_shared<ZutExportOptions>();
    AddSceneOptions(command, options->scene);
    command.add_option("-o,--output", options->outputPath, "Output file (*.zut)")->required();
    AddReportFlags(command, options->strict, options->json);
    command.footer(
        "Writes every mesh node whose name begins with \"ZUT\" (in capitals): one line per vertex "
        "with its position at frame 10 and the position of the nearest vertex at frame 0, then "
        "one line per face.");
    return [options](std::ostream& out, std::ostream& err) {
        return RunZutExport(*options, out, err);
    };
}

Job DeclareImportZutCommand(CLI::App& command) {
    auto options = std::make_shared<ZutImportOptions>();
    AddInputAndOutput(command, "file", options->inputPath, "ZUT object file", options->outputPath,
                      "Output scene document (*.pscene.json)");
    AddReportFlags(command, options->strict, options->json);
    command.footer(
        "Reads the mesh section that follows the first line containing \"Cube_MeshNew\" and "
        "saves it as one mesh named ZUT_Object in a new scene document.");
    return [options](std::ostream& out, std::ostream& err) {
        return RunZutImport(*options, out, err);
    };
}

}  // namespace pellucid::cli
