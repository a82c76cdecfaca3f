#include "utilities/check_helpers.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

TriObject* EvalTriObject(INode* node, BOOL& deleteIt) {
    deleteIt = FALSE;
    if (node == nullptr) {
        return nullptr;
    }
    Object* obj = node->EvalWorldState(0, TRUE).obj;
    if (obj == nullptr || !obj->CanConvertToType(triObjectClassID)) {
        return nullptr;
    }
    auto* tri = dynamic_cast<TriObject*>(obj->ConvertToType(0, triObjectClassID));
    deleteIt = tri != nullptr && tri != obj ? TRUE : FALSE;
    return tri;
}

bool NameHasKeyword(const char* name, std::string_view keyword) {
    // The name is tested as an upper-cased copy of at most 2047 characters.
    constexpr size_t kBufferSize = 2048;
    std::array<char, kBufferSize> upper{};
    const size_t length = name != nullptr ? strnlen(name, kBufferSize - 1) : 0;
    for (size_t i = 0; i < length; ++i) {
        const char c = name[i];
        upper[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return std::string_view(upper.data(), length).find(keyword) != std::string_view::npos;
}

CheckFindings CheckSceneMeshes(INode* root, const MeshRule& rule) {
    CheckFindings findings;
    // A work list, so that a chain of nodes deeper than any call stack is walked too.
    std::vector<INode*> pending{root};
    std::vector<int> bad;
    while (!pending.empty()) {
        INode* node = pending.back();
        pending.pop_back();
        if (node == nullptr) {
            continue;
        }
        {
            EvaluatedMesh evaluated(node);
            if (Mesh* mesh = evaluated.GetMesh()) {
                bad.clear();
                const bool failed = rule(node, *mesh, bad);
                NodeMarks marks;
                marks.node = node;
                marks.objectClass = node->EvalWorldState(0, TRUE).obj->ClassID();
                marks.converted = evaluated.Converted();
                marks.failed = failed;
                marks.faces = bad;
                if (failed) {
                    findings.passed = false;
                }
                findings.nodes.push_back(std::move(marks));
            }
        }
        for (int i = node->NumberOfChildren() - 1; i >= 0; --i) {
            pending.push_back(node->GetChildNode(i));
        }
    }
    return findings;
}

void ApplyMarks(const CheckFindings& findings) {
    for (const NodeMarks& marks : findings.nodes) {
        if (marks.converted) {
            continue;
        }
        auto* tri = dynamic_cast<TriObject*>(marks.node->EvalWorldState(0, TRUE).obj);
        if (tri == nullptr) {
            continue;
        }
        BitArray& selection = tri->mesh.FaceSel();
        if (selection.GetSize() != tri->mesh.getNumFaces()) {
            selection.SetSize(tri->mesh.getNumFaces(), true);
        }
        selection.ClearAll();
        for (int face : marks.faces) {
            selection.Set(face);
        }
    }
}
