// Reading a QMO model-batch list: one "ModelBatch(" line per placed model, with the directory
// tree to search for the model's scene file, the model's name, its position in engine units and
// its orientation. Other lines are not model lines and are passed over.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "exchange/text_lines.h"
#include "host/matrix3.h"

// Engine units to scene units: 100 / 4096.
constexpr double kQmoUnitScale = 0.0244140625;
constexpr int kQmoTokenCount = 14;
// The longest directory (subfolders added by the search included) and model name.
constexpr size_t kQmoPathLimit = 1023;
constexpr size_t kQmoNameLimit = 123;
constexpr size_t kQmoNumberLimit = 19;

struct QmoModelLine {
    int line = 0;
    std::string directory;  // the root of the tree to search
    std::string model;      // the scene file searched for is this name followed by ".max"
    // Rows 0 to 2 are the orientation as given; row 3 is the position scaled to scene units.
    Matrix3 transform;
};

// A line that mentions "ModelBatch" but is not a model line.
struct QmoSkippedLine {
    int line = 0;
    enum class Why {
        NotAtStart,     // the line does not start with "ModelBatch("
        MissingTokens,  // fewer than 14 tokens follow
        LongToken,      // a token is longer than its limit
    } why = Why::NotAtStart;
    int tokens = 0;  // MissingTokens: how many there are
    int token = 0;   // LongToken: which one (from 1)
};

struct QmoList {
    std::vector<QmoModelLine> models;
    std::vector<QmoSkippedLine> skipped;
    // How the reading ended, and the number of the line at which it did.
    TextLines::Stop stop = TextLines::Stop::EndOfFile;
    int endLine = 0;
};

QmoList ReadQmoList(std::istream& in);

// The longest a token may be (from 1).
size_t QmoTokenLimit(int token);
