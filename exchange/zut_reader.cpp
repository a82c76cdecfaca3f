#include "exchange/zut_reader.h"

#include <string>

#include "exchange/field_scan.h"
#include "exchange/text_lines.h"

namespace {

ZutVertexLine ParseVertexLine(const std::string& text, int line) {
    ZutVertexLine vertex;
    vertex.line = line;
    FieldScanner scan(text);
    int index = 0;
    float values[6] = {0, 0, 0, 0, 0, 0};
    if (scan.Literal("Cube_Vertex(") && scan.Int(index)) {
        vertex.fields = 1;
        for (float& value : values) {
            if (!scan.Literal(",") || !scan.Float(value)) {
                break;
            }
            ++vertex.fields;
        }
    }
    vertex.position = Point3(values[3], values[4], values[5]);
    return vertex;
}

ZutFaceLine ParseFaceLine(const std::string& text, int line) {
    ZutFaceLine face;
    face.line = line;
    FieldScanner scan(text);
    int values[7] = {0, 0, 0, 0, 0, 0, 0};
    if (scan.Literal("Cube_Face(")) {
        for (int& value : values) {
            if ((face.fields > 0 && !scan.Literal(",")) || !scan.Int(value)) {
                break;
            }
            ++face.fields;
        }
    }
    // Indices are unsigned: a negative one names no vertex.
    face.corners = {static_cast<DWORD>(values[1]), static_cast<DWORD>(values[2]),
                    static_cast<DWORD>(values[3])};
    return face;
}

ZutSection::End EndOf(const TextLines& lines) {
    switch (lines.Stopped()) {
        case TextLines::Stop::LongLine:
            return ZutSection::End::LongLine;
        case TextLines::Stop::Unterminated:
            return ZutSection::End::Unterminated;
        default:
            return ZutSection::End::EndOfFile;
    }
}

}  // namespace

bool NamesMissingVertex(const ZutFaceLine& face, size_t vertexCount) {
    for (DWORD corner : face.corners) {
        if (corner >= vertexCount) {
            return true;
        }
    }
    return false;
}

ZutSection ReadZutSection(std::istream& in) {
    ZutSection section;
    TextLines lines(in);
    std::string text;
    bool read = lines.Next(text);
    while (read && text.find("Cube_MeshNew") == std::string::npos) {
        read = lines.Next(text);
    }
    if (!read) {
        section.end = EndOf(lines);
        section.endLine = lines.Number();
        return section;
    }
    section.found = true;
    section.sectionLine = lines.Number();
    read = lines.Next(text);
    while (read) {
        bool recognised = false;
        section.end = ZutSection::End::NotRecognised;
        // Both markers are tested, so a line with both words counts as both kinds.
        auto collect = [&](const char* marker, auto& store, size_t limit, auto parse,
                           ZutSection::End full) {
            if (text.find(marker) == std::string::npos) {
                return;
            }
            if (store.size() < limit) {
                store.push_back(parse(text, lines.Number()));
                recognised = true;
            } else {
                section.end = full;
            }
        };
        collect("Cube_Vertex", section.vertices, kZutVertexLimit, ParseVertexLine,
                ZutSection::End::VertexLimit);
        collect("Cube_Face", section.faces, kZutFaceLimit, ParseFaceLine,
                ZutSection::End::FaceLimit);
        if (!recognised) {
            section.endLine = lines.Number();
            return section;
        }
        read = lines.Next(text);
    }
    section.end = EndOf(lines);
    section.endLine = lines.Number();
    return section;
}
