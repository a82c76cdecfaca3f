// The running host: scene access, time, selection, message boxes and the platform services that
// the library reaches through it.
#pragma once

#include <string>
#include <vector>

#include "host/find_file.h"
#include "host/inode.h"
#include "host/max_types.h"

class Interface {
  public:
    virtual ~Interface() = default;

    virtual INode* GetRootNode() = 0;
    virtual int GetSelNodeCount() = 0;
    virtual INode* GetSelNode(int i) = 0;
    virtual void ClearNodeSelection(BOOL redraw = TRUE) = 0;
    // Owner window of the library's message boxes.
    virtual HWND GetMAXHWnd() = 0;
    virtual TimeValue GetTime() = 0;
    virtual void SetTime(TimeValue t, BOOL redraw = TRUE) = 0;
    virtual Interval GetAnimRange() = 0;
    // The user option that allows the bone export to mark an animation cyclic.
    virtual BOOL GetLoopOption() = 0;
    virtual void FlashNodes(std::vector<INode*>* nodes) = 0;
    // Merges the nodes of a scene file; TRUE on success.
    virtual BOOL MergeFromFile(const char* name, BOOL mergeAll = FALSE, BOOL selMerged = FALSE,
                               BOOL refresh = TRUE, int dupAction = 0,
                               std::vector<CStr>* mrgList = nullptr) = 0;
};

class ExpInterface {
  public:
    virtual ~ExpInterface() = default;
    IScene* theScene = nullptr;
};

class ImpNode {
  public:
    virtual ~ImpNode() = default;
    virtual void Reference(Object* obj) = 0;
    virtual void SetTransform(TimeValue t, Matrix3 tm) = 0;
    virtual void SetName(const char* name) = 0;
    virtual INode* GetINode() = 0;
};

class ImpInterface {
  public:
    virtual ~ImpInterface() = default;
    virtual ImpNode* CreateNode() = 0;
    virtual void AddNodeToScene(ImpNode* node) = 0;
    virtual int NewScene() = 0;
    virtual void RedrawViews() = 0;
};

// Message-box styles and answers.
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr int IDOK = 1;

// Services that the library asks of the platform it runs on, answered by the host that loaded it.
class HostPlatform {
  public:
    virtual ~HostPlatform() = default;
    // Records and shows a message box; answers IDOK.
    virtual int MessageBox(HWND owner, const char* text, const char* caption, UINT type) = 0;
    // The host's assertion reporter: an internal inconsistency in `file` at `line`.
    virtual void ReportAssertion(int line, const char* file) = 0;
    // Logical drive roots in the system's order, such as "C:\" and "P:\".
    virtual std::vector<std::string> LogicalDriveRoots() = 0;
    // The universal (network) name of a drive root, or "" when it has none.
    virtual std::string UniversalName(const std::string& driveRoot) = 0;
    // The local file that a platform path names ("d:\project\..."), or "" when it names none.
    virtual std::string LocalPath(const std::string& platformPath) = 0;
    // The host's scene at hand.
    virtual Interface* Core() = 0;
    virtual int TicksPerFrame() = 0;
    virtual void TCBDefaults(float& tension, float& continuity, float& bias, float& easeIn,
                             float& easeOut) = 0;
    // ReferenceTarget::EnumDependents as the host answers it; a host that tracks no dependents
    // reports none.
    virtual int EnumDependents(ReferenceTarget* target, DependentEnumProc* proc) { return 0; }
    // The entries of a directory listing (FindFirstFileA), in the platform's order; false when
    // the listing cannot be started.
    virtual bool ListDirectory(const std::string& pattern, std::vector<WIN32_FIND_DATAA>& entries) {
        return false;
    }
    // A new triangle-mesh object of the host's own class (CreateNewTriObject).
    virtual TriObject* NewTriObject() { return new TriObject(); }
    // The host's panel toolkit, or null for a host without panels.
    virtual class HostPanels* Panels() { return nullptr; }
    // A write to a file that the library opened failed (a full disk, a file-size limit); `error`
    // is the system's error number. The library goes on as if nothing happened; the host may
    // tell its user.
    virtual void ReportWriteError(const char* path, int error) {}
};

// The host that the library's calls reach (GetCOREInterface, MessageBox, GetTicksPerFrame, ...).
// Hosts are attached per thread: the library's calls on a thread reach the host attached last on
// that thread that is still attached, so a host that goes away gives the library back to the one
// before it, and hosts on other threads never see each other. A host attaches itself before the
// library's first call; attaching an attached host makes it the current one again.
void AttachHostPlatform(HostPlatform* platform);
// Forgets the platform (its last attachment, for null); the one attached before it is current
// again when it was the current one.
void DetachHostPlatform(HostPlatform* platform);
// The current host on this thread, or null.
HostPlatform* GetHostPlatform();

Interface* GetCOREInterface();
int GetTicksPerFrame();
// A new, empty triangle-mesh object; the caller hands it to a node or deletes it.
TriObject* CreateNewTriObject();
TimeValue GetAnimStart();
TimeValue GetAnimEnd();

int MessageBox(HWND owner, const char* text, const char* caption, UINT type);
inline int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBox(owner, text, caption, type);
}
// The host's assertion reporter.
void assert1(int line, const char* file);
// Tells the host that a write to `path` failed with the system's error number `error`.
void ReportWriteError(const char* path, int error);

// Windows' logical-drive list: the roots, each ending in a zero, with a final zero. Answers the
// length written (without the last zero), or the length needed when the buffer is too small.
DWORD GetLogicalDriveStringsA(DWORD bufferLength, char* buffer);
// The universal name of a local path, or "" when it has none.
std::string GetUniversalName(const char* localPath);
