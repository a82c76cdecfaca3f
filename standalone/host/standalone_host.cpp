#include "standalone/host/standalone_host.h"

#include <mutex>

#include "plugin/library.h"
#include "services/debug_log.h"
#include "standalone/import/directory_listing.h"
#include "standalone/scene/build/scene_builder.h"
#include "standalone/scene/build/scene_capture.h"
#include "standalone/scene/objects/mesh_objects.h"

namespace pellucid::standalone {

namespace {

// Stand-ins for the handles that the platform would give: never dereferenced, only passed on.
char g_moduleHandle;
char g_mainWindow;

// Answers whether this call loaded it; hosts made on several threads load it once.
bool LoadLibraryOnce() {
    static std::once_flag once;
    bool loadedNow = false;
    std::call_once(once, [&loadedNow] {
        LibraryLoad();
        LibMain(reinterpret_cast<HINSTANCE>(&g_moduleHandle), DLL_PROCESS_ATTACH, nullptr);
        loadedNow = true;
    });
    return loadedNow;
}

bool IsTraceLogDrive(char letter) {
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return upper(letter) == upper(kDebugLogPath[0]);
}

}  // namespace

StandaloneHost::StandaloneHost(doc::Document document) : StandaloneHost(std::move(document), {}) {}

StandaloneHost::StandaloneHost(doc::Document document,
                               const std::vector<std::pair<char, std::string>>& driveFolders)
    : tree_(scene_), importer_(scene_) {
    exportInterface_.theScene = &tree_;
    bool traceDrive = false;
    for (const auto& [letter, folder] : driveFolders) {
        folders_.Map(letter, folder);
        traceDrive = traceDrive || IsTraceLogDrive(letter);
    }
    AttachHostPlatform(this);
    if (!LoadLibraryOnce() && traceDrive) {
        OpenDebugLog();
    }
    try {
        BuildScene(std::move(document), scene_);
    } catch (...) {
        // No destructor runs for a host that was never made: the host before it is current again.
        DetachHostPlatform(this);
        throw;
    }
}

StandaloneHost::~StandaloneHost() {
    DetachHostPlatform(this);
}

void StandaloneHost::MapDrive(char letter, std::string folder) {
    folders_.Map(letter, std::move(folder));
    if (GetHostPlatform() == this && IsTraceLogDrive(letter)) {
        OpenDebugLog();
    }
}

doc::Document StandaloneHost::Capture() const {
    return CaptureScene(scene_);
}

int StandaloneHost::GetSelNodeCount() {
    return static_cast<int>(scene_.SelectedNodes().size());
}

INode* StandaloneHost::GetSelNode(int i) {
    const auto& selection = scene_.SelectedNodes();
    return i >= 0 && i < static_cast<int>(selection.size()) ? selection[static_cast<size_t>(i)]
                                                            : nullptr;
}

void StandaloneHost::ClearNodeSelection(BOOL) {
    for (const auto& node : scene_.Nodes()) {
        node->SetSelected(false);
    }
}

HWND StandaloneHost::GetMAXHWnd() {
    return reinterpret_cast<HWND>(&g_mainWindow);
}

Interval StandaloneHost::GetAnimRange() {
    return Interval(scene_.settings.animationStart, scene_.settings.animationEnd);
}

void StandaloneHost::FlashNodes(std::vector<INode*>* nodes) {
    if (nodes == nullptr) {
        return;
    }
    for (INode* node : *nodes) {
        flashed_.push_back(node != nullptr ? node->GetName() : "");
    }
}

BOOL StandaloneHost::MergeFromFile(const char* name, BOOL, BOOL selMerged, BOOL, int,
                                   std::vector<CStr>* mrgList) {
    MergeRecord record;
    record.file = name != nullptr ? name : "";
    record.localPath = name != nullptr ? ResolveIgnoringCase(LocalPath(name)) : "";
    if (mrgList != nullptr) {
        record.error = "merging a list of named nodes is not offered";
    } else if (record.localPath.empty()) {
        record.error = "the path is on a drive that is not mapped to a folder";
    } else {
        MergeResult result = MergeSceneDocument(scene_, record.localPath, selMerged != FALSE);
        record.merged = result.merged;
        record.error = result.error;
        record.topLevelNodes = result.topLevelNodes;
        for (SceneNode* node : result.nodes) {
            record.nodes.push_back(node->Name());
        }
    }
    merges_.push_back(record);
    return record.merged ? TRUE : FALSE;
}

int StandaloneHost::MessageBox(HWND, const char* text, const char* caption, UINT) {
    log_.Record(caption ? caption : "", text ? text : "");
    return IDOK;
}

void StandaloneHost::ReportAssertion(int line, const char* file) {
    log_.RecordAssertion(file ? file : "", line);
}

void StandaloneHost::ReportWriteError(const char* path, int error) {
    writeErrors_.emplace(path ? path : "", error);
}

std::vector<std::string> StandaloneHost::LogicalDriveRoots() {
    return DriveRoots(scene_.settings.drives);
}

std::string StandaloneHost::UniversalName(const std::string& driveRoot) {
    return DriveUniversalName(scene_.settings.drives, driveRoot);
}

std::string StandaloneHost::LocalPath(const std::string& platformPath) {
    return folders_.LocalPath(platformPath);
}

void StandaloneHost::TCBDefaults(float& tension, float& continuity, float& bias, float& easeIn,
                                 float& easeOut) {
    const doc::Settings& s = scene_.settings;
    tension = s.tension;
    continuity = s.continuity;
    bias = s.bias;
    easeIn = s.easeIn;
    easeOut = s.easeOut;
}

bool StandaloneHost::ListDirectory(const std::string& pattern,
                                   std::vector<WIN32_FIND_DATAA>& entries) {
    const std::string local = LocalPath(pattern);
    return !local.empty() && ListLocalDirectory(local, entries);
}

TriObject* StandaloneHost::NewTriObject() {
    return new EditableMesh();
}

int StandaloneHost::EnumDependents(ReferenceTarget* target, DependentEnumProc* proc) {
    return EnumSceneDependents(scene_, target, proc);
}

}  // namespace pellucid::standalone
