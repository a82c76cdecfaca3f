// Field-by-field comparison of two scene documents for the document tests.
#pragma once

#include <string>

#include "standalone/document/scene_document.h"

namespace pellucid::standalone::test {

// "" when the documents are equal, else the first difference ("nodes[2].transform.matrix[3].x:
// 1 != 2"). Floats are equal when their bits are (so -0 differs from 0), or when both are NaN.
// The base directories are compared only when `compareBaseDirectory`.
std::string DescribeDocumentDifference(const doc::Document& a, const doc::Document& b,
                                       bool compareBaseDirectory = true);

}  // namespace pellucid::standalone::test
