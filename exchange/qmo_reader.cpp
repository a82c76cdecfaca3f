#include "exchange/qmo_reader.h"

#include <array>

#include "exchange/field_scan.h"

namespace {

Point3 Row(const std::array<std::string, kQmoTokenCount>& tokens, int first, double scale) {
    Point3 row;
    for (int axis = 0; axis < 3; ++axis) {
        row[axis] =
            static_cast<float>(LeadingDecimal(tokens[static_cast<size_t>(first + axis)]) * scale);
    }
    return row;
}

// A model line, or the reason why the line is not one.
bool ParseModelLine(const std::string& text, QmoModelLine& model, QmoSkippedLine& skipped) {
    FieldScanner scan(text);
    if (!scan.Literal("ModelBatch(")) {
        skipped.why = QmoSkippedLine::Why::NotAtStart;
        return false;
    }
    std::array<std::string, kQmoTokenCount> tokens;
    int count = 0;
    while (count < kQmoTokenCount && scan.Token(tokens[static_cast<size_t>(count)])) {
        ++count;
    }
    if (count < kQmoTokenCount) {
        skipped.why = QmoSkippedLine::Why::MissingTokens;
        skipped.tokens = count;
        return false;
    }
    for (int i = 0; i < kQmoTokenCount; ++i) {
        if (tokens[static_cast<size_t>(i)].size() > QmoTokenLimit(i + 1)) {
            skipped.why = QmoSkippedLine::Why::LongToken;
            skipped.token = i + 1;
            return false;
        }
    }
    model.directory = tokens[0];
    model.model = tokens[1];
    model.transform.IdentityMatrix();
    model.transform.SetRow(0, Row(tokens, 5, 1.0));
    model.transform.SetRow(1, Row(tokens, 8, 1.0));
    model.transform.SetRow(2, Row(tokens, 11, 1.0));
    model.transform.SetRow(3, Row(tokens, 2, kQmoUnitScale));
    return true;
}

}  // namespace

size_t QmoTokenLimit(int token) {
    switch (token) {
        case 1:
            return kQmoPathLimit;
        case 2:
            return kQmoNameLimit;
        default:
            return kQmoNumberLimit;
    }
}

QmoList ReadQmoList(std::istream& in) {
    QmoList list;
    TextLines lines(in);
    std::string text;
    while (lines.Next(text)) {
        if (text.find("ModelBatch") == std::string::npos) {
            continue;
        }
        QmoModelLine model;
        QmoSkippedLine skipped;
        model.line = skipped.line = lines.Number();
        if (ParseModelLine(text, model, skipped)) {
            list.models.push_back(std::move(model));
        } else {
            list.skipped.push_back(skipped);
        }
    }
    list.stop = lines.Stopped();
    list.endLine = lines.Number();
    return list;
}
