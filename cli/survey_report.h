// The survey of a scene in words and in JSON, as `info` and `validate` print it.
#pragma once

#include <iosfwd>

#include "cli/scene_survey.h"
#include "standalone/document/json/json_writer.h"

namespace pellucid::cli {

// The node tree, one line per node: name, object class, counts, material, and the roles the
// exports give it. With `why`, each role is followed by the rule that gives it, on lines of its
// own.
void PrintNodeTree(std::ostream& out, const SceneSurvey& survey, bool why);

// The main object's counts, its material list, its textures (as recorded, as written, the image
// and its size) and the skin.
void PrintObjectSummary(std::ostream& out, const SceneSurvey& survey);

// "3 bones, 1 trigger".
void PrintSkeletonCounts(std::ostream& out, const SceneSurvey& survey);

// The fields "nodes", "mainObject", "materials", "textures", "skin", "bones" and "triggers".
void WriteSurveyJson(standalone::JsonWriter& json, const SceneSurvey& survey);

}  // namespace pellucid::cli
