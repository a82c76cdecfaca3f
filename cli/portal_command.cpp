#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

#include "cli/command_line.h"
#include "cli/command_outputs.h"
#include "cli/commands.h"
#include "cli/scene_session.h"
#include "resources/resource_ids.h"
#include "standalone/panels/utility_session.h"
#include "utilities/portal.h"

namespace pellucid::cli {

namespace {

struct PortalButton {
    const char* name;
    int id;
    const char* help;
};

const PortalButton kButtons[] = {
    {"next-portal", IDC_PORTAL_NEXT, "Press Next under Portals N times"},
    {"prev-portal", IDC_PORTAL_PREV, "Press Prev under Portals N times"},
    {"next-sector", IDC_SECTOR_NEXT, "Press Next under Sectors N times"},
    {"prev-sector", IDC_SECTOR_PREV, "Press Prev under Sectors N times"},
    {"update", IDC_PORTAL_UPDATE, "Press Update N times"},
};

std::string Json(const PortalOptions& options, const std::string& status,
                 const PortalBrowser& browser) {
    standalone::JsonWriter json(16);
    json.BeginObject();
    json.StringField("button", options.button);
    json.IntField("presses", options.presses);
    json.StringField("status", status);
    json.IntField("portals", browser.portalCount);
    json.IntField("currentPortal", browser.currentPortal);
    json.IntField("sectors", browser.sectorCount);
    json.IntField("currentSector", browser.currentSector);
    json.Key("nodes");
    std::vector<NodeMarks> selected;
    if (browser.lastSelection.node != nullptr) {
        selected.push_back(browser.lastSelection);
    }
    WriteMarksJson(json, selected);
    json.EndObject();
    return json.Text() + "\n";
}

}  // namespace

int RunPortalCommand(const PortalOptions& options, std::ostream& out, std::ostream& err) {
    const PortalButton* button = nullptr;
    for (const PortalButton& b : kButtons) {
        if (options.button == b.name) {
            button = &b;
        }
    }
    if (button == nullptr || options.presses < 0) {
        err << "pellucid: portal: expected one of --next-portal, --prev-portal, --next-sector, "
               "--prev-sector, --update with a count of 0 or more\n";
        return kExitBadInput;
    }
    auto host = LoadScene(options.scene, err);
    if (!host) {
        return kExitBadInput;
    }
    try {
        standalone::panels::UtilitySession session(host.get(), host->Toolkit(), "Portal");
        for (int i = 0; i < options.presses; ++i) {
            session.Press(button->id);
        }
        const std::string status = session.StatusText(IDC_PORTAL_STATUS);
        const PortalBrowser& browser = session.DlgProc<PortalDlgProc>()->Browser();
        if (options.json) {
            out << Json(options, status, browser);
        } else {
            out << "status: " << status << "\n";
            PrintMarks(out, {browser.lastSelection});
            PrintConvertedNotes(err, {browser.lastSelection});
            if (FindExaminedNode(host.get()) == nullptr) {
                err << "note: no node is selected: the portal browser examines the first "
                       "selected node's mesh\n";
            }
        }
        return kExitOk;
    } catch (const std::exception& e) {
        err << fmt::format("pellucid: {}: {}\n", options.scene.scenePath, e.what());
        return kExitBadInput;
    }
}

Job DeclarePortalCommand(CLI::App& command) {
    auto o = std::make_shared<PortalOptions>();
    AddSceneOptions(command, o->scene);
    std::vector<CLI::Option*> buttons;
    for (const PortalButton& b : kButtons) {
        const std::string name = b.name;
        buttons.push_back(command
                              .add_option_function<int>(
                                  std::string("--") + b.name,
                                  [o, name](int n) {
                                      o->button = name;
                                      o->presses = n;
                                  },
                                  b.help)
                              ->type_name("N"));
    }
    for (CLI::Option* a : buttons) {
        for (CLI::Option* b : buttons) {
            if (a != b) {
                a->excludes(b);
            }
        }
    }
    command.add_flag("--json", o->json, "Print the result as one JSON report");
    return [o](std::ostream& out, std::ostream& err) { return RunPortalCommand(*o, out, err); };
}

}  // namespace pellucid::cli
