// Notes that name what each of the library's message boxes refers to. The library's texts are
// fixed ("Illegal texture size."); the survey knows which texture, which face, which bone each one
// is about, in the order the exporters come to them, so each message takes the next subject of
// its kind.
#pragma once

#include <string>
#include <vector>

#include "cli/scene_survey.h"

namespace pellucid::cli {

class MessageNotes {
  public:
    explicit MessageNotes(const SceneSurvey& survey) : survey_(survey) {}

    // The notes for the next message box that an export shows.
    std::vector<Finding> For(const standalone::HostMessage& message);

  private:
    const SceneSurvey& survey_;
    // How many messages of each kind have been explained so far.
    size_t extraObjects_ = 0;
    size_t materialIds_ = 0;
    size_t driveTextures_ = 0;
    size_t sizeTextures_ = 0;
    size_t rootlessBones_ = 0;
};

}  // namespace pellucid::cli
