// The one check of a doc::Document's contents, for documents read from text and documents made
// in memory alike. Refusals name the JSON pointer of the value at fault as the writer would write
// the document, which for a document that was read is where the value stands in its file: nodes
// by their place in the tree, entries with an id (or used from several places) in their shared
// list, and entries used once without an id where they are used.
#include <algorithm>
#include <array>

#include <fmt/format.h>

#include "standalone/document/map_slots.h"
#include "standalone/document/scene_document_io.h"

namespace pellucid::standalone {

namespace {

enum class Kind { Material, Map, Object, Modifier };
constexpr std::array<std::string_view, 4> kKindNames = {"material", "map", "object", "modifier"};
constexpr std::array<std::string_view, 4> kListNames = {"materials", "maps", "objects",
                                                        "modifiers"};

std::string Item(std::size_t index) {
    return fmt::format("/{}", index);
}

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

class Validator {
  public:
    Validator(const doc::Document& document, const std::string& fileName, bool refuseLinkCycles)
        : d_(document), fileName_(fileName), refuseLinkCycles_(refuseLinkCycles) {}

    void Run() {
        PlaceNodes();
        PlaceEntries();
        CheckReferences();
        CheckMeshes();
        CheckNodesAgainstObjects();
        CheckCycles();
    }

  private:
    struct NodePlace {
        int parent = -1;
        std::size_t position = 0;
    };
    struct Referrer {
        bool node = false;  // a node, else an entry of `kind`
        Kind kind = Kind::Material;
        std::size_t index = 0;
        std::string suffix;  // of the referring value below its holder
        int uses = 0;
    };

    [[noreturn]] void Fail(const std::string& pointer, const std::string& problem) const {
        throw DocumentError(
            fmt::format("{}: {}: {}", fileName_, pointer.empty() ? "/" : pointer, problem));
    }

    std::size_t Count(Kind kind) const {
        switch (kind) {
            case Kind::Material:
                return d_.materials.size();
            case Kind::Map:
                return d_.maps.size();
            case Kind::Object:
                return d_.objects.size();
            case Kind::Modifier:
                return d_.modifiers.size();
        }
        return 0;
    }
    const std::string& Id(Kind kind, std::size_t i) const {
        switch (kind) {
            case Kind::Material:
                return d_.materials[i].id;
            case Kind::Map:
                return d_.maps[i].id;
            case Kind::Object:
                return d_.objects[i].id;
            case Kind::Modifier:
                break;
        }
        return d_.modifiers[i].id;
    }
    std::string Label(Kind kind, std::size_t i) const {
        const std::string& id = Id(kind, i);
        const std::string_view name = kKindNames[static_cast<std::size_t>(kind)];
        return id.empty() ? fmt::format("{} {}", name, i) : fmt::format("{} \"{}\"", name, id);
    }

    // Every node must be in the tree exactly once; each keeps its place for its pointer, which is
    // made only for a message (a chain of a hundred thousand nodes has long pointers).
    void PlaceNodes() {
        const std::size_t count = d_.nodes.size();
        nodePlaces_.assign(count, NodePlace{});
        std::vector<bool> placed(count, false);
        std::vector<int> pending;
        auto place = [&](int child, int parent, std::size_t position) {
            const NodePlace here{parent, position};
            if (child < 0 || static_cast<std::size_t>(child) >= count) {
                Fail(PlacePointer(here),
                     fmt::format("node index {} is not one of the {} nodes", child, count));
            }
            if (placed[static_cast<std::size_t>(child)]) {
                Fail(PlacePointer(here),
                     fmt::format("node \"{}\" is already the child of another node",
                                 d_.nodes[static_cast<std::size_t>(child)].name));
            }
            placed[static_cast<std::size_t>(child)] = true;
            nodePlaces_[static_cast<std::size_t>(child)] = here;
            pending.push_back(child);
        };
        for (std::size_t i = 0; i < d_.rootNodes.size(); ++i) {
            place(d_.rootNodes[i], -1, i);
        }
        while (!pending.empty()) {
            const int node = pending.back();
            pending.pop_back();
            const std::vector<int>& children = d_.nodes[static_cast<std::size_t>(node)].children;
            for (std::size_t i = 0; i < children.size(); ++i) {
                place(children[i], node, i);
            }
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (!placed[i]) {
                Fail("/nodes",
                     fmt::format("node \"{}\" is not under the scene root", d_.nodes[i].name));
            }
        }
    }

    std::string PlacePointer(NodePlace place) const {
        std::vector<std::size_t> positions{place.position};
        for (int up = place.parent; up >= 0;
             up = nodePlaces_[static_cast<std::size_t>(up)].parent) {
            positions.push_back(nodePlaces_[static_cast<std::size_t>(up)].position);
        }
        std::string pointer = "/nodes";
        for (std::size_t i = positions.size(); i-- > 0;) {
            if (i + 1 != positions.size()) {
                pointer += "/children";
            }
            pointer += Item(positions[i]);
        }
        return pointer;
    }
    std::string NodePointer(std::size_t node) const { return PlacePointer(nodePlaces_[node]); }

    // Calls use(kind, index, pointerSuffix) for every reference an entry or node holds, with the
    // suffix of the referring value below its holder.
    template <typename Use>
    void ForEachReference(Kind holder, std::size_t i, Use use) const {
        if (holder == Kind::Material) {
            const doc::Material& material = d_.materials[i];
            for (std::size_t k = 0; k < material.maps.size(); ++k) {
                use(Kind::Map, material.maps[k].map, fmt::format("/maps/{}/map", k));
            }
            for (std::size_t k = 0; k < material.subMaterials.size(); ++k) {
                use(Kind::Material, material.subMaterials[k], fmt::format("/subMaterials/{}", k));
            }
        } else if (holder == Kind::Map) {
            const doc::Map& map = d_.maps[i];
            for (std::size_t k = 0; k < map.subMaps.size(); ++k) {
                const bool mask = map.type == doc::MapType::Mask;
                use(Kind::Map, map.subMaps[k],
                    mask ? std::string(k == 0 ? "/map" : "/mask") : fmt::format("/maps/{}", k));
            }
        }
    }
    template <typename Use>
    void ForEachNodeReference(const doc::Node& node, Use use) const {
        use(Kind::Object, node.object, "/object");
        for (std::size_t k = 0; k < node.modifiers.size(); ++k) {
            use(Kind::Modifier, node.modifiers[k], fmt::format("/modifiers/{}", k));
        }
        use(Kind::Material, node.material, "/material");
    }

    // Entries with an id or used other than once are written in their shared list, the others
    // where they are used; an entry used only from within itself could be written nowhere.
    void PlaceEntries() {
        for (std::size_t k = 0; k < 4; ++k) {
            referrers_[k].assign(Count(static_cast<Kind>(k)), Referrer{});
        }
        auto count = [&](bool node, Kind holder, std::size_t index) {
            return [&, node, holder, index](Kind kind, int target, std::string suffix) {
                auto& list = referrers_[static_cast<std::size_t>(kind)];
                if (target < 0 || static_cast<std::size_t>(target) >= list.size()) {
                    return;  // refused by CheckReferences
                }
                Referrer& r = list[static_cast<std::size_t>(target)];
                r = {node, holder, index, std::move(suffix), r.uses + 1};
            };
        };
        for (std::size_t n = 0; n < d_.nodes.size(); ++n) {
            ForEachNodeReference(d_.nodes[n], count(true, Kind::Material, n));
        }
        for (Kind holder : {Kind::Material, Kind::Map}) {
            for (std::size_t i = 0; i < Count(holder); ++i) {
                ForEachReference(holder, i, count(false, holder, i));
            }
        }
        for (std::size_t k = 0; k < 4; ++k) {
            const Kind kind = static_cast<Kind>(k);
            ranks_[k].assign(Count(kind), kInPlace);
            std::size_t rank = 0;
            for (std::size_t i = 0; i < Count(kind); ++i) {
                if (!Id(kind, i).empty() || referrers_[k][i].uses != 1) {
                    ranks_[k][i] = rank++;
                }
            }
        }
        // Follows each in-place entry's users up to a node or a shared entry.
        enum class State : unsigned char { Unknown, Open, Placed };
        std::array<std::vector<State>, 4> state;
        for (std::size_t k = 0; k < 4; ++k) {
            state[k].assign(ranks_[k].size(), State::Unknown);
        }
        for (std::size_t k = 0; k < 4; ++k) {
            for (std::size_t i = 0; i < ranks_[k].size(); ++i) {
                std::vector<std::pair<std::size_t, std::size_t>> chain;
                std::size_t ck = k, ci = i;
                while (ranks_[ck][ci] == kInPlace && state[ck][ci] != State::Placed) {
                    if (state[ck][ci] == State::Open) {
                        Fail(fmt::format("/{}", kListNames[k]),
                             fmt::format("{} is used only from within itself",
                                         Label(static_cast<Kind>(k), i)));
                    }
                    state[ck][ci] = State::Open;
                    chain.emplace_back(ck, ci);
                    const Referrer& r = referrers_[ck][ci];
                    if (r.node) {
                        break;
                    }
                    ck = static_cast<std::size_t>(r.kind);
                    ci = r.index;
                }
                for (const auto& [ek, ei] : chain) {
                    state[ek][ei] = State::Placed;
                }
            }
        }
    }

    std::string Pointer(Kind kind, std::size_t i) const {
        std::string suffix;
        std::size_t k = static_cast<std::size_t>(kind);
        while (ranks_[k][i] == kInPlace) {
            const Referrer& r = referrers_[k][i];
            suffix = r.suffix + suffix;
            if (r.node) {
                return NodePointer(r.index) + suffix;
            }
            k = static_cast<std::size_t>(r.kind);
            i = r.index;
        }
        return fmt::format("/{}/{}{}", kListNames[k], ranks_[k][i], suffix);
    }

    // Refuses an index that names no entry; `at` makes the pointer of the referring value.
    template <typename At>
    void CheckIndex(At at, Kind kind, int index, bool noneAllowed) const {
        const std::size_t count = Count(kind);
        if ((index == -1 && noneAllowed) ||
            (index >= 0 && static_cast<std::size_t>(index) < count)) {
            return;
        }
        const std::string_view name = kKindNames[static_cast<std::size_t>(kind)];
        Fail(at(), fmt::format("{} index {} is not one of the {} {}s", name, index, count, name));
    }
    template <typename At>
    void CheckNodeIndex(At at, int index, bool noneAllowed) const {
        if ((index == -1 && noneAllowed) ||
            (index >= 0 && static_cast<std::size_t>(index) < d_.nodes.size())) {
            return;
        }
        Fail(at(), fmt::format("node index {} is not one of the {} nodes", index, d_.nodes.size()));
    }

    void CheckReferences() const {
        for (std::size_t n = 0; n < d_.nodes.size(); ++n) {
            const doc::Node& node = d_.nodes[n];
            ForEachNodeReference(node, [&](Kind kind, int target, const std::string& suffix) {
                CheckIndex([&] { return NodePointer(n) + suffix; }, kind, target,
                           kind != Kind::Modifier);
            });
            for (std::size_t k = 0; k < node.link.size(); ++k) {
                CheckNodeIndex([&] { return NodePointer(n) + fmt::format("/link/{}/target", k); },
                               node.link[k].node, true);
            }
        }
        for (Kind holder : {Kind::Material, Kind::Map}) {
            for (std::size_t i = 0; i < Count(holder); ++i) {
                ForEachReference(holder, i, [&](Kind kind, int target, const std::string& suffix) {
                    CheckIndex([&] { return Pointer(holder, i) + suffix; }, kind, target, true);
                });
            }
        }
        for (std::size_t i = 0; i < d_.materials.size(); ++i) {
            const std::vector<doc::MapSlot>& slots = d_.materials[i].maps;
            for (std::size_t k = 0; k < slots.size(); ++k) {
                if (slots[k].slot < 0 || slots[k].slot >= kMapSlotCount) {
                    Fail(Pointer(Kind::Material, i) + fmt::format("/maps/{}/slot", k),
                         fmt::format("slot {} is not a slot 0 to {}", slots[k].slot,
                                     kMapSlotCount - 1));
                }
            }
        }
        for (std::size_t i = 0; i < d_.modifiers.size(); ++i) {
            const doc::Modifier& modifier = d_.modifiers[i];
            auto at = [&] { return Pointer(Kind::Modifier, i); };
            for (std::size_t v = 0; v < modifier.skinVertices.size(); ++v) {
                const auto& vertex = modifier.skinVertices[v];
                for (std::size_t k = 0; vertex && k < vertex->bones.size(); ++k) {
                    CheckNodeIndex(
                        [&] { return at() + fmt::format("/vertices/{}/bones/{}", v, k); },
                        vertex->bones[k], false);
                }
            }
            for (const auto& [bone, matrix] : modifier.boneInitialTransforms) {
                CheckNodeIndex([&] { return at() + "/boneInitialTransforms"; }, bone, false);
            }
            for (std::size_t k = 0; k < modifier.channels.size(); ++k) {
                const int index = modifier.channels[k].index;
                if (index < 0 || index > 99) {
                    Fail(at() + fmt::format("/channels/{}/index", k),
                         fmt::format("channel index {} is not 0 to 99", index));
                }
            }
        }
    }

    template <typename At>
    void CheckTriangles(At at, const std::vector<std::array<std::uint32_t, 3>>& triangles,
                        std::size_t count, std::string_view what) const {
        for (std::size_t i = 0; i < triangles.size(); ++i) {
            for (std::uint32_t index : triangles[i]) {
                if (index >= count) {
                    Fail(at() + Item(i), fmt::format("index {} is out of range: there are {} {}",
                                                     index, count, what));
                }
            }
        }
    }

    void CheckMeshes() const {
        for (std::size_t i = 0; i < d_.objects.size(); ++i) {
            if (d_.objects[i].type != doc::ObjectType::Mesh) {
                continue;
            }
            const doc::MeshData& mesh = d_.objects[i].mesh;
            auto at = [&] { return Pointer(Kind::Object, i); };
            const std::size_t faces = mesh.faces.size();
            CheckTriangles([&] { return at() + "/faces"; }, mesh.faces, mesh.vertices.size(),
                           "vertices");
            auto perFace = [&](std::size_t count, std::string_view field, std::string_view what) {
                if (count != 0 && count != faces) {
                    Fail(at() + fmt::format("/{}", field),
                         fmt::format("expected {} {}, one per face, found {}", faces, what, count));
                }
            };
            perFace(mesh.uvFaces.size(), "uvFaces", "uv faces");
            perFace(mesh.smoothing.size(), "smoothing", "smoothing words");
            perFace(mesh.materialIds.size(), "materialIds", "material ids");
            CheckTriangles([&] { return at() + "/uvFaces"; }, mesh.uvFaces, mesh.uvVertices.size(),
                           "uv vertices");
        }
    }

    // Selected faces, skin vertices and morph points against the node's mesh.
    void CheckNodesAgainstObjects() const {
        for (std::size_t n = 0; n < d_.nodes.size(); ++n) {
            const doc::Node& node = d_.nodes[n];
            const doc::MeshData* mesh =
                node.object >= 0 && d_.objects[static_cast<std::size_t>(node.object)].type ==
                                        doc::ObjectType::Mesh
                    ? &d_.objects[static_cast<std::size_t>(node.object)].mesh
                    : nullptr;
            for (std::size_t k = 0; k < node.selectedFaces.size(); ++k) {
                const int face = node.selectedFaces[k];
                if (face < 0 ||
                    (mesh != nullptr && static_cast<std::size_t>(face) >= mesh->faces.size())) {
                    Fail(NodePointer(n) + fmt::format("/selectedFaces/{}", k),
                         fmt::format("index {} is out of range: there are {} faces", face,
                                     mesh != nullptr ? mesh->faces.size() : 0));
                }
            }
            if (mesh != nullptr) {
                CheckModifiersAgainstMesh(n, mesh->vertices.size());
            }
        }
    }

    void CheckModifiersAgainstMesh(std::size_t n, std::size_t vertexCount) const {
        const doc::Node& node = d_.nodes[n];
        for (std::size_t k = 0; k < node.modifiers.size(); ++k) {
            const doc::Modifier& modifier =
                d_.modifiers[static_cast<std::size_t>(node.modifiers[k])];
            auto modifierAt = [&] { return NodePointer(n) + fmt::format("/modifiers/{}", k); };
            if (modifier.type == doc::ModifierType::Physique &&
                modifier.skinVertices.size() != vertexCount) {
                Fail(modifierAt(), fmt::format("expected {} skin vertices, one per vertex of the "
                                               "node's mesh, found {}",
                                               vertexCount, modifier.skinVertices.size()));
            }
            if (modifier.type != doc::ModifierType::Morpher) {
                continue;
            }
            for (const doc::MorphChannelData& channel : modifier.channels) {
                for (int point : channel.points) {
                    if (point < 0 || static_cast<std::size_t>(point) >= vertexCount) {
                        Fail(modifierAt(), fmt::format("channel {}: point {} is out of range: the "
                                                       "node's mesh has {} vertices",
                                                       channel.index, point, vertexCount));
                    }
                }
                if (channel.deltas.size() > vertexCount) {
                    Fail(modifierAt(),
                         fmt::format("channel {}: {} deltas, more than the {} vertices "
                                     "of the node's mesh",
                                     channel.index, channel.deltas.size(), vertexCount));
                }
            }
        }
    }

    // No map or material contains itself, and no node follows itself through link targets and
    // parents: the host would evaluate such a scene forever.
    void CheckCycles() const {
        CheckEntryCycle(Kind::Map, "sub-maps", [&](int v) -> const std::vector<int>& {
            return d_.maps[static_cast<std::size_t>(v)].subMaps;
        });
        CheckEntryCycle(Kind::Material, "sub-materials", [&](int v) -> const std::vector<int>& {
            return d_.materials[static_cast<std::size_t>(v)].subMaterials;
        });
        if (refuseLinkCycles_) {
            CheckLinkCycles();
        }
    }

    template <typename Edges>
    void CheckEntryCycle(Kind kind, std::string_view through, Edges edges) const {
        const int onCycle = FindCycle(Count(kind), edges);
        if (onCycle < 0) {
            return;
        }
        // Entries used once sit inside their user, so a cycle holds one of the shared list.
        for (int v : CycleThrough(onCycle, Count(kind), edges)) {
            if (ranks_[static_cast<std::size_t>(kind)][static_cast<std::size_t>(v)] != kInPlace) {
                Fail(Pointer(kind, static_cast<std::size_t>(v)),
                     fmt::format("{} contains itself through its {}",
                                 Label(kind, static_cast<std::size_t>(v)), through));
            }
        }
    }

    void CheckLinkCycles() const {
        const auto& nodes = d_.nodes;
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
                Fail(NodePointer(static_cast<std::size_t>(v)) + "/link",
                     fmt::format("node \"{}\" would follow itself through its link targets and "
                                 "their parents",
                                 node.name));
            }
        }
    }

    const doc::Document& d_;
    const std::string& fileName_;
    bool refuseLinkCycles_;
    // Where each node stands: the index of its parent (-1 for the scene root) and its place
    // among the parent's children.
    std::vector<NodePlace> nodePlaces_;
    // The last user of each entry, and how many it has.
    std::array<std::vector<Referrer>, 4> referrers_;
    // Each entry's place in its shared list, or kInPlace.
    std::array<std::vector<std::size_t>, 4> ranks_;
    static constexpr std::size_t kInPlace = static_cast<std::size_t>(-1);
};

}  // namespace

void ValidateDocument(const doc::Document& document, const std::string& fileName,
                      bool refuseLinkCycles) {
    Validator(document, fileName, refuseLinkCycles).Run();
}

}  // namespace pellucid::standalone
