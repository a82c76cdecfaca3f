#include "utilities/portal.h"

#include <cstdio>
#include <new>

#include "host/interface.h"
#include "resources/resource_ids.h"
#include "utilities/portal_tables.h"

namespace {

const PanelButton kButtons[] = {
    {IDC_PORTAL_NEXT, "Select next portal"}, {IDC_PORTAL_PREV, "Select previous portal"},
    {IDC_SECTOR_NEXT, "Select next sector"}, {IDC_SECTOR_PREV, "Select previous sector"},
    {IDC_PORTAL_UPDATE, "Update info"},
};
const int kStatusLines[] = {IDC_PORTAL_STATUS};
// The portal page sets no text format on its status line.
const PanelDescription kPanel = {IDD_PORTAL, "Portal", kButtons, kStatusLines, false};

// Hands the examined node and its evaluated mesh, with the face selection cleared, to `use`;
// does nothing when the node does not evaluate to a mesh.
template <typename Use>
void WithClearedMesh(Interface* ip, Use use) {
    INode* node = FindExaminedNode(ip);
    EvaluatedMesh evaluated(node);
    Mesh* mesh = evaluated.GetMesh();
    if (mesh == nullptr) {
        return;
    }
    mesh->FaceSel().ClearAll();
    use(node, *mesh);
}

// The next and previous buttons step the current index through `count` entries and wrap at
// either end; with nothing counted the index stays.
void StepForward(int& current, int count) {
    if (count != 0) {
        current = (current + 1) % count;
    }
}

void StepBack(int& current, int count) {
    if (count != 0) {
        --current;
        if (current == -1) {
            current = count - 1;
        }
    }
}

}  // namespace

INode* FindExaminedNode(Interface* ip) {
    std::vector<INode*> pending{ip->GetRootNode()};
    while (!pending.empty()) {
        INode* node = pending.back();
        pending.pop_back();
        if (node == nullptr) {
            continue;
        }
        if (node->Selected()) {
            return node;
        }
        for (int i = node->NumberOfChildren() - 1; i >= 0; --i) {
            pending.push_back(node->GetChildNode(i));
        }
    }
    return nullptr;
}

void PortalBrowser::CollectPortals(Interface* ip) {
    portalCount = 0;
    WithClearedMesh(ip, [this](INode* node, Mesh& mesh) {
        portalTable = CollectPortalTable(node, mesh);
        portalCount = PortalCount(portalTable);
    });
}

void PortalBrowser::CollectSectors(Interface* ip) {
    CollectPortals(ip);
    sectorCount = 0;
    WithClearedMesh(ip, [this](INode*, Mesh& mesh) {
        sectorTable = CollectSectorTable(mesh, portalTable, sectorCount);
    });
}

void PortalBrowser::Select(Interface* ip, const std::vector<int>& table, int value) {
    INode* node = FindExaminedNode(ip);
    EvaluatedMesh evaluated(node);
    Mesh* mesh = evaluated.GetMesh();
    lastSelection = NodeMarks();
    if (mesh == nullptr) {
        return;
    }
    BitArray& selection = mesh->FaceSel();
    if (selection.GetSize() != mesh->getNumFaces()) {
        selection.SetSize(mesh->getNumFaces(), true);
    }
    selection.ClearAll();
    lastSelection.node = node;
    lastSelection.objectClass = node->EvalWorldState(0, TRUE).obj->ClassID();
    lastSelection.converted = evaluated.Converted();
    for (int f = 0; f < mesh->getNumFaces() && static_cast<size_t>(f) < table.size(); ++f) {
        if (table[static_cast<size_t>(f)] == value) {
            selection.Set(f);
            lastSelection.faces.push_back(f);
        }
    }
}

void PortalBrowser::NextPortal(Interface* ip) {
    CollectPortals(ip);
    StepForward(currentPortal, portalCount);
    Select(ip, portalTable, currentPortal);
}

void PortalBrowser::PrevPortal(Interface* ip) {
    CollectPortals(ip);
    StepBack(currentPortal, portalCount);
    Select(ip, portalTable, currentPortal);
}

void PortalBrowser::NextSector(Interface* ip) {
    CollectSectors(ip);
    StepForward(currentSector, sectorCount);
    Select(ip, sectorTable, currentSector);
}

void PortalBrowser::PrevSector(Interface* ip) {
    CollectSectors(ip);
    StepBack(currentSector, sectorCount);
    Select(ip, sectorTable, currentSector);
}

void PortalBrowser::Update(Interface* ip) {
    CollectSectors(ip);
}

std::string PortalBrowser::CountsText() const {
    char text[64];
    std::snprintf(text, sizeof text, "Portals: %d  Sectors: %d", portalCount, sectorCount);
    return text;
}

PortalDlgProc::PortalDlgProc(UtilityPanel* owner) : UtilityDlgProc(owner, owner->Description()) {}

void PortalDlgProc::ButtonDown(int id) {
    Interface* ip = GetInterface();
    if (ip == nullptr) {
        return;
    }
    switch (id) {
        case IDC_PORTAL_NEXT:
            browser_.NextPortal(ip);
            break;
        case IDC_PORTAL_PREV:
            browser_.PrevPortal(ip);
            break;
        case IDC_SECTOR_NEXT:
            browser_.NextSector(ip);
            break;
        case IDC_SECTOR_PREV:
            browser_.PrevSector(ip);
            break;
        case IDC_PORTAL_UPDATE:
            browser_.Update(ip);
            break;
        default:
            return;
    }
    SetStatusText(IDC_PORTAL_STATUS, browser_.CountsText().c_str());
}

Portal::Portal() : UtilityPanel(kPanel) {}

ParamMapUserDlgProc* Portal::CreateDlgProc() {
    return new (std::nothrow) PortalDlgProc(this);
}
