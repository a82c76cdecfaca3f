// A hard time limit around reading an asset: an importer that loops without ever reporting
// progress cannot be stopped from inside, so the process ends itself with the command's usual
// one-line message and exit code 2. Nothing has been written while an asset is read.
#pragma once

#include <string>

namespace pellucid::cli {

class ImportWatchdog {
  public:
    // Ends the process `seconds` (rounded up) after construction unless destroyed before.
    ImportWatchdog(const std::string& path, double seconds);
    ~ImportWatchdog();
    ImportWatchdog(const ImportWatchdog&) = delete;
    ImportWatchdog& operator=(const ImportWatchdog&) = delete;
};

}  // namespace pellucid::cli
