// Finds the numbers of a written script that are not finite (the runtime writes them 1.#INF,
// -1.#INF, 1.#QNAN, -1.#IND) and names what each line is about: the bone and key of an
// animation line, the vertex of a geometry line.
#pragma once

#include <string>
#include <vector>

#include "cli/scene_survey.h"

namespace pellucid::cli {

// Notes for the lines of the script file at `path` that hold a non-finite number; `shownName` is
// how the notes name the script. At most `limit` lines are named one by one, then one note counts
// the rest.
std::vector<Finding> FindNonFiniteNumbers(const std::string& path, const std::string& shownName,
                                          const SceneSurvey& survey, size_t limit = 5);

// What one script line is about ("rotation key 3 (time 1600) of bone 1 \"Spine\""), from its
// command and first arguments; "" when the line is not one that names a subject.
std::string DescribeScriptLine(const std::string& line, const SceneSurvey& survey);

}  // namespace pellucid::cli
