// Parameter maps: a rollup page made from a dialog template whose spinners show and edit values
// of a parameter array, with a user dialog procedure for everything else on the page.
#pragma once

#include "host/dialog_controls.h"
#include "host/parameters.h"

// How a spinner's value is shown and limited.
enum EditSpinnerType { EDITTYPE_INT, EDITTYPE_FLOAT, EDITTYPE_UNIVERSE, EDITTYPE_POS_FLOAT };

// One spinner of a parameter map: parameter `index` of the parameter array, shown in edit
// `editId` with spinner `spinnerId` between `lowLimit` and `highLimit`; a scale below zero lets
// the spinner choose its own step.
struct ParamUIDesc {
    int index;
    EditSpinnerType spinType;
    int editId;
    int spinnerId;
    float lowLimit;
    float highLimit;
    float scale;
};

class IParamMap;

class ParamMapUserDlgProc {
  public:
    virtual ~ParamMapUserDlgProc() = default;
    virtual BOOL DlgProc(TimeValue t, IParamMap* map, HWND hWnd, UINT msg, WPARAM wParam,
                         LPARAM lParam) = 0;
    virtual void DeleteThis() = 0;
    virtual void Update(TimeValue t) {}
};

class IParamMap {
  public:
    virtual ~IParamMap() = default;
    // Installs the page's procedure, which receives WM_INITDIALOG at once; the map owns it from
    // then on and calls DeleteThis when it is destroyed.
    virtual void SetUserDlgProc(ParamMapUserDlgProc* proc = nullptr) = 0;
    virtual ParamMapUserDlgProc* GetUserDlgProc() = 0;
    // Points the spinners at another parameter array and shows its values.
    virtual void SetParamBlock(IParamArray* values) = 0;
    // Shows the parameter array's values again.
    virtual void Invalidate() = 0;
    virtual HWND GetHWnd() = 0;
};

IParamMap* CreateCPParamMap(ParamUIDesc* desc, int count, IParamArray* values, Interface* ip,
                            HINSTANCE instance, const char* dialog, const char* title, DWORD flags);
void DestroyCPParamMap(IParamMap* map);
