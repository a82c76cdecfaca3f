// The platform's drives as the stand-alone host answers for them: logical drive roots and their
// universal (network) names from the scene settings, and the local folders that stand for drive
// letters in platform paths.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "standalone/document/scene_document.h"

namespace pellucid::standalone {

// The drive roots in the settings' order.
std::vector<std::string> DriveRoots(const std::vector<doc::Drive>& drives);
// The universal name of the drive whose root equals `root` (ignoring case), or "".
std::string DriveUniversalName(const std::vector<doc::Drive>& drives, const std::string& root);

class DriveFolders {
  public:
    // Platform paths on drive `letter` (either case) name files under `folder`.
    void Map(char letter, std::string folder);
    // "d:\x\y" with d mapped to F gives "F/x/y"; a path on a drive that is not mapped names no
    // local file (""); a path without a drive letter is taken as it is, with "/" for "\".
    std::string LocalPath(const std::string& platformPath) const;

  private:
    std::map<char, std::string> folders_;
};

}  // namespace pellucid::standalone
