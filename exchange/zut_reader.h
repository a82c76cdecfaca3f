// Reading a ZUT object file as the importer reads it: everything up to the first line that
// contains "Cube_MeshNew" is skipped, then vertex and face lines are collected until a line that
// is neither. Each line is kept with its number, so that what was read can be explained.
#pragma once

#include <array>
#include <istream>
#include <vector>

#include "host/max_types.h"
#include "host/point3.h"

// The stores of the importer: the format's limit per object.
constexpr size_t kZutVertexLimit = 1024;
constexpr size_t kZutFaceLimit = 1024;

struct ZutVertexLine {
    Point3 position;  // the line's second position
    int line = 0;
    // Fields of "Cube_Vertex(%d,%f,%f,%f,%f,%f,%f);" that were read; the rest read as 0.
    int fields = 0;
};

struct ZutFaceLine {
    std::array<DWORD, 3> corners{};  // vertex indices in corner order
    int line = 0;
    // Fields of "Cube_Face(%d,%d,%d,%d,%d,%d,%d)" that were read; the rest read as 0.
    int fields = 0;
};

struct ZutSection {
    // Whether a line containing "Cube_MeshNew" was read; without it nothing is imported.
    bool found = false;
    int sectionLine = 0;
    std::vector<ZutVertexLine> vertices;
    std::vector<ZutFaceLine> faces;

    // Why the reading ended, and the number of the line at which it did.
    enum class End {
        NotRecognised,  // a line that is neither a vertex nor a face line
        VertexLimit,    // a vertex line beyond the vertex store
        FaceLimit,      // a face line beyond the face store
        EndOfFile,
        LongLine,      // a line longer than 1023 characters
        Unterminated,  // a last line without a line end
    };
    End end = End::EndOfFile;
    int endLine = 0;
};

ZutSection ReadZutSection(std::istream& in);

// Whether a face names a vertex that the section does not have.
bool NamesMissingVertex(const ZutFaceLine& face, size_t vertexCount);
