#include "standalone/viewport/create_by_mouse.h"

#include <memory>

#include "plugin/library.h"

namespace pellucid::standalone::viewport {

namespace {

std::unique_ptr<Object> NewObject(Class_ID classId) {
    for (int i = 0; i < LibNumberClasses(); ++i) {
        ClassDesc* desc = LibClassDesc(i);
        if (desc != nullptr && desc->ClassID() == classId) {
            return std::unique_ptr<Object>(static_cast<Object*>(desc->Create(FALSE)));
        }
    }
    return nullptr;
}

}  // namespace

INode* CreateByMouse(StandaloneHost& host, Viewport& view, Class_ID classId,
                     const std::vector<MouseEvent>& events, const std::string& name) {
    std::unique_ptr<Object> object = NewObject(classId);
    CreateMouseCallBack* callback = object ? object->GetCreateMouseCallBack() : nullptr;
    if (callback == nullptr) {
        return nullptr;
    }
    // The host shows the object's parameters while it is being created.
    object->BeginEditParams(&host, 0, nullptr);
    Matrix3 mat;
    int point = 0;
    int result = CREATE_CONTINUE;
    for (const MouseEvent& event : events) {
        result = callback->proc(&view, event.msg, point, event.flags, event.at, mat);
        if (result != CREATE_CONTINUE) {
            break;
        }
        if (event.msg == MOUSE_POINT) {
            ++point;
        }
    }
    object->EndEditParams(&host, END_EDIT_REMOVEUI, nullptr);
    if (result != CREATE_STOP) {
        return nullptr;
    }
    Scene& scene = host.GetScene();
    ObjectEntry entry;
    entry.type = doc::ObjectType::CollBox;
    entry.object = std::move(object);
    Object* placed = scene.AddObject(std::move(entry));
    SceneNode* node = scene.NewNode(name);
    scene.Root()->AttachChild(node);
    node->SetObject(placed);
    Matrix3 world = mat * view.ConstructionPlane();
    node->SetNodeTM(0, world);
    return node;
}

}  // namespace pellucid::standalone::viewport
