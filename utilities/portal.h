// The portal browser: counts the portals and sectors of the first selected mesh and steps
// through them, selecting the faces of the current portal or sector.
#pragma once

#include <string>
#include <vector>

#include "utilities/check_helpers.h"
#include "utilities/utility_panel.h"

// The browser's state as the page keeps it between presses.
class PortalBrowser {
  public:
    // The five buttons' actions on the scene of `ip`.
    void NextPortal(Interface* ip);
    void PrevPortal(Interface* ip);
    void NextSector(Interface* ip);
    void PrevSector(Interface* ip);
    void Update(Interface* ip);

    // "Portals: %d  Sectors: %d" with the counts as they stand.
    std::string CountsText() const;

    int portalCount = 0;
    int currentPortal = 0;
    int sectorCount = 0;
    int currentSector = 0;
    std::vector<int> portalTable;
    std::vector<int> sectorTable;
    // The faces that the last selection marked; no node when nothing was examined.
    NodeMarks lastSelection;

  private:
    void CollectPortals(Interface* ip);
    void CollectSectors(Interface* ip);
    void Select(Interface* ip, const std::vector<int>& table, int value);
};

// The examined node: the first selected node in a walk of the scene from the root (a node before
// its children), or null.
INode* FindExaminedNode(Interface* ip);

class PortalDlgProc : public UtilityDlgProc {
  public:
    explicit PortalDlgProc(UtilityPanel* owner);
    const PortalBrowser& Browser() const { return browser_; }

  protected:
    void ButtonDown(int id) override;

  private:
    PortalBrowser browser_;
};

class Portal : public UtilityPanel {
  public:
    Portal();

  protected:
    ParamMapUserDlgProc* CreateDlgProc() override;
};
