// A scene document loaded into the stand-alone host for one command.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>

#include "cli/commands.h"
#include "standalone/host/standalone_host.h"

namespace pellucid::cli {

// Loads the document and builds the host; on bad input prints one line "pellucid: ..." to `err`
// and gives nothing.
std::unique_ptr<standalone::StandaloneHost> LoadScene(const SceneOptions& options,
                                                      std::ostream& err);

}  // namespace pellucid::cli
