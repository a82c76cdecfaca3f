// The stand-alone host: a live scene behind the host interface, built from a scene document, with
// the platform services the library asks for (message boxes, assertion reports, drives, time).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/interface.h"
#include "standalone/document/scene_document.h"
#include "standalone/host/drive_map.h"
#include "standalone/host/message_log.h"
#include "standalone/host/scene_import.h"
#include "standalone/import/scene_merge.h"
#include "standalone/panels/panel_toolkit.h"
#include "standalone/scene/scene_store.h"
#include "standalone/scene/scene_walks.h"

namespace pellucid::standalone {

class StandaloneHost : public Interface, public HostPlatform {
  public:
    // Makes this host the library's host on this thread (AttachHostPlatform), loads the library
    // once per process (LibraryLoad, then LibMain with DLL_PROCESS_ATTACH) and builds the live
    // scene. Throws DocumentError for a document that ValidateDocument refuses, and SceneBuildError
    // when the library does not offer a class that the document uses. When the host goes away, the
    // host made before it on this thread is the library's host again.
    explicit StandaloneHost(doc::Document document);
    // The same, with drive letters mapped to local folders before the library is loaded, so that
    // what the library opens at load (its trace log) can reach a local file.
    StandaloneHost(doc::Document document,
                   const std::vector<std::pair<char, std::string>>& driveFolders);
    ~StandaloneHost() override;
    StandaloneHost(const StandaloneHost&) = delete;
    StandaloneHost& operator=(const StandaloneHost&) = delete;

    ExpInterface* GetExpInterface() { return &exportInterface_; }
    ImpInterface* GetImpInterface() { return &importer_; }

    // Message boxes in order; assertion reports appear with the caption "assertion" and the text
    // "<unit> line <N>".
    using Message = HostMessage;
    const std::vector<Message>& Messages() const { return log_.Messages(); }
    // Echo "caption: text" to standard error (on by default).
    void SetEchoMessages(bool echo) { log_.SetEcho(echo); }
    // Called with each message box as it is shown, after its echo.
    void SetMessageListener(std::function<void(const Message&)> listener) {
        log_.SetListener(std::move(listener));
    }
    // The first failed write to each file that the library wrote, with the system's error number.
    const std::map<std::string, int>& WriteErrors() const { return writeErrors_; }
    // Platform paths "d:\x\y" name the local file folder/x/y. Mapping the drive of the library's
    // trace log (re)opens the log there, as if the drive had been there when the library loaded.
    void MapDrive(char letter, std::string folder);
    // The first node in tree order with this name, or null.
    INode* FindNodeByName(const std::string& name) { return scene_.FindNodeByName(name); }
    // The live scene as a document: a loaded document gives an equivalent one, and changes made
    // since (transforms, keys, face selections, new nodes) are kept.
    doc::Document Capture() const;

    Scene& GetScene() { return scene_; }
    // The names of the nodes that the library asked to flash, in order.
    const std::vector<std::string>& FlashedNodes() const { return flashed_; }
    // Makes this host the library's host again (after another host was made on this thread).
    void MakeCurrent() { AttachHostPlatform(this); }

    // Interface.
    INode* GetRootNode() override { return scene_.Root(); }
    int GetSelNodeCount() override;
    INode* GetSelNode(int i) override;
    void ClearNodeSelection(BOOL redraw = TRUE) override;
    HWND GetMAXHWnd() override;
    TimeValue GetTime() override { return scene_.settings.time; }
    void SetTime(TimeValue t, BOOL redraw = TRUE) override { scene_.settings.time = t; }
    Interval GetAnimRange() override;
    BOOL GetLoopOption() override { return scene_.settings.loop ? TRUE : FALSE; }
    void FlashNodes(std::vector<INode*>* nodes) override;
    // Reads the file as a scene document and merges all its nodes (MergeSceneDocument); the
    // merged nodes become the selection with selMerged. A name list is not offered (FALSE).
    BOOL MergeFromFile(const char* name, BOOL mergeAll = FALSE, BOOL selMerged = FALSE,
                       BOOL refresh = TRUE, int dupAction = 0,
                       std::vector<CStr>* mrgList = nullptr) override;

    // HostPlatform.
    int MessageBox(HWND owner, const char* text, const char* caption, UINT type) override;
    void ReportAssertion(int line, const char* file) override;
    std::vector<std::string> LogicalDriveRoots() override;
    std::string UniversalName(const std::string& driveRoot) override;
    std::string LocalPath(const std::string& platformPath) override;
    Interface* Core() override { return this; }
    int TicksPerFrame() override { return scene_.settings.ticksPerFrame; }
    void TCBDefaults(float& tension, float& continuity, float& bias, float& easeIn,
                     float& easeOut) override;
    int EnumDependents(ReferenceTarget* target, DependentEnumProc* proc) override;
    // Local folders through MapDrive's mapping (ListLocalDirectory).
    bool ListDirectory(const std::string& pattern, std::vector<WIN32_FIND_DATAA>& entries) override;
    TriObject* NewTriObject() override;

    // The merges the library asked for, in order.
    const std::vector<MergeRecord>& Merges() const { return merges_; }
    HostPanels* Panels() override { return &panels_; }
    void ReportWriteError(const char* path, int error) override;
    // The toolkit in which the library's panels open.
    panels::PanelToolkit& Toolkit() { return panels_; }

  private:
    Scene scene_;
    SceneTree tree_;
    ExpInterface exportInterface_;
    SceneImporter importer_;
    MessageLog log_;
    DriveFolders folders_;
    std::vector<std::string> flashed_;
    std::vector<MergeRecord> merges_;
    std::map<std::string, int> writeErrors_;
    // Last, so that pages still open close while the scene is there.
    panels::PanelToolkit panels_;
};

}  // namespace pellucid::standalone
