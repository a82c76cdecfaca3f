// Checks over the whole document once everything is read: no map or material contains itself,
// and no node follows itself through link targets and parents (the host would evaluate such a
// scene forever).
#include <algorithm>

#include <fmt/format.h>

#include "standalone/document/read/read_context.h"

namespace pellucid::standalone {

namespace {

// Depth-first search with a work list over a graph of `count` vertices whose edges are
// edges(v) (a range of vertex indices, -1 entries ignored). Returns a vertex on a cycle, or -1.
template <typename Edges>
int FindCycle(std::size_t count, Edges edges) {
    enum class State : unsigned char { New, Open, Done };
    std::vector<State> state(count, State::New);
    struct Frame {
        int vertex;
        std::size_t next;
    };
    std::vector<Frame> stack;
    for (std::size_t start = 0; start < count; ++start) {
        if (state[start] != State::New) {
            continue;
        }
        stack.push_back({static_cast<int>(start), 0});
        state[start] = State::Open;
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const auto& out = edges(frame.vertex);
            if (frame.next == out.size()) {
                state[static_cast<std::size_t>(frame.vertex)] = State::Done;
                stack.pop_back();
                continue;
            }
            const int target = out[frame.next++];
            if (target < 0) {
                continue;
            }
            const State seen = state[static_cast<std::size_t>(target)];
            if (seen == State::Open) {
                return target;
            }
            if (seen == State::New) {
                state[static_cast<std::size_t>(target)] = State::Open;
                stack.push_back({target, 0});
            }
        }
    }
    return -1;
}

// The vertices of a cycle through `start`, in index order, so that messages name the first.
template <typename Edges>
std::vector<int> CycleThrough(int start, std::size_t count, Edges edges) {
    // Breadth-first from start with parents, until start is reached again.
    std::vector<int> parent(count, -2);
    std::vector<int> queue{start};
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int v = queue[head];
        for (int w : edges(v)) {
            if (w < 0) {
                continue;
            }
            if (w == start) {
                std::vector<int> cycle{v};
                for (int u = v; u != start; u = parent[static_cast<std::size_t>(u)]) {
                    cycle.push_back(parent[static_cast<std::size_t>(u)]);
                }
                std::sort(cycle.begin(), cycle.end());
                return cycle;
            }
            if (parent[static_cast<std::size_t>(w)] == -2) {
                parent[static_cast<std::size_t>(w)] = v;
                queue.push_back(w);
            }
        }
    }
    return {start};
}

}  // namespace

void SceneDocumentReader::CheckMapCycles() const {
    const auto& maps = document_.maps;
    auto edges = [&](int v) -> const std::vector<int>& {
        return maps[static_cast<std::size_t>(v)].subMaps;
    };
    const int onCycle = FindCycle(maps.size(), edges);
    if (onCycle < 0) {
        return;
    }
    // Maps written in place are referenced once, from their parent: a cycle holds a shared map.
    for (int v : CycleThrough(onCycle, maps.size(), edges)) {
        if (static_cast<std::size_t>(v) < maps_.ids.size()) {
            Fail(root_.Field("maps").Item(static_cast<std::size_t>(v)),
                 fmt::format("map \"{}\" contains itself through its sub-maps",
                             maps[static_cast<std::size_t>(v)].id));
        }
    }
}

void SceneDocumentReader::CheckMaterialCycles() const {
    const auto& materials = document_.materials;
    auto edges = [&](int v) -> const std::vector<int>& {
        return materials[static_cast<std::size_t>(v)].subMaterials;
    };
    const int onCycle = FindCycle(materials.size(), edges);
    if (onCycle < 0) {
        return;
    }
    for (int v : CycleThrough(onCycle, materials.size(), edges)) {
        if (static_cast<std::size_t>(v) < materials_.ids.size()) {
            Fail(root_.Field("materials").Item(static_cast<std::size_t>(v)),
                 fmt::format("material \"{}\" contains itself through its sub-materials",
                             materials[static_cast<std::size_t>(v)].id));
        }
    }
}

void SceneDocumentReader::CheckLinkCycles() const {
    const auto& nodes = document_.nodes;
    // A node's transform follows its link targets when it has any, else its parent.
    std::vector<std::vector<int>> follows(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        for (int child : nodes[i].children) {
            if (nodes[static_cast<std::size_t>(child)].link.empty()) {
                follows[static_cast<std::size_t>(child)].push_back(static_cast<int>(i));
            }
        }
        for (const doc::LinkTarget& target : nodes[i].link) {
            follows[i].push_back(target.node);
        }
    }
    auto edges = [&](int v) -> const std::vector<int>& {
        return follows[static_cast<std::size_t>(v)];
    };
    const int onCycle = FindCycle(nodes.size(), edges);
    if (onCycle < 0) {
        return;
    }
    // Parents alone form a tree: the cycle passes through a linked node.
    for (int v : CycleThrough(onCycle, nodes.size(), edges)) {
        const doc::Node& node = nodes[static_cast<std::size_t>(v)];
        if (!node.link.empty()) {
            Fail(nodeSources_[static_cast<std::size_t>(v)].path->Field("link"),
                 fmt::format("node \"{}\" would follow itself through its link targets and their "
                             "parents",
                             node.name));
        }
    }
}

}  // namespace pellucid::standalone
