#include <fmt/format.h>

#include <ostream>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "plugin/library.h"
#include "standalone/host/standalone_host.h"

namespace pellucid::cli {

namespace {

// The name the host gives a plug-in super-class.
const char* SuperClassName(SClass_ID id) {
    switch (id) {
        case SCENE_EXPORT_CLASS_ID:
            return "scene exporter";
        case SCENE_IMPORT_CLASS_ID:
            return "scene importer";
        case HELPER_CLASS_ID:
            return "helper object";
        case UTILITY_CLASS_ID:
            return "utility";
        case OSM_CLASS_ID:
            return "object-space modifier";
        default:
            return "other";
    }
}

int RunClassesCommand(std::ostream& out) {
    // An empty scene: the host loads the library, whose strings need its module handle.
    standalone::StandaloneHost host{doc::Document{}};
    const int count = LibNumberClasses();
    for (int i = 0; i < count; ++i) {
        ClassDesc* desc = LibClassDesc(i);
        // ClassName and Category share one buffer: copy each before asking the next.
        const std::string name = desc->ClassName() ? desc->ClassName() : "(null)";
        const std::string category = desc->Category() ? desc->Category() : "(null)";
        const Class_ID id = desc->ClassID();
        out << fmt::format("{:>2}  {:<17}  {:#06x} {:<21}  {:#010x} {:#010x}  {}\n", i, name,
                           desc->SuperClassID(), SuperClassName(desc->SuperClassID()), id.PartA(),
                           id.PartB(), category);
    }
    return kExitOk;
}

}  // namespace

Job DeclareClassesCommand(CLI::App&) {
    return [](std::ostream& out, std::ostream&) { return RunClassesCommand(out); };
}

}  // namespace pellucid::cli
