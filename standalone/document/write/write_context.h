// The scene-document writer: one instance writes one doc::Document as JSON text. Its members are
// spread over the scene_document_write*.cpp files by subject.
//
// Entries with an id are written in the document's shared lists; an entry without an id is
// written in place where it is referenced, or, when it is referenced from several places or from
// none, in the shared list under a made-up id. Nodes are referenced by id, else by their name
// where that is unambiguous, else by a made-up id.
#pragma once

#include <bit>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "standalone/document/document_fields.h"
#include "standalone/document/json/json_writer.h"
#include "standalone/document/scene_document.h"

namespace pellucid::standalone {

// Bit-for-bit comparison for "is this the default": a -0 is not the default 0, and is written so
// that it reads back.
inline bool SameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}
inline bool SameBits(const Point3& a, const Point3& b) {
    return SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.z, b.z);
}
inline bool SameBits(const Quat& a, const Quat& b) {
    return SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.z, b.z) && SameBits(a.w, b.w);
}
inline bool SameBits(const Color& a, const Color& b) {
    return SameBits(a.r, b.r) && SameBits(a.g, b.g) && SameBits(a.b, b.b);
}
inline bool SameBits(const Matrix3& a, const Matrix3& b) {
    return SameBits(a[0], b[0]) && SameBits(a[1], b[1]) && SameBits(a[2], b[2]) &&
           SameBits(a[3], b[3]);
}

class SceneDocumentWriter {
  public:
    // `imagePath` maps an image path as the document holds it to the path to write.
    SceneDocumentWriter(const doc::Document& document,
                        std::function<std::string(const std::string&)> imagePath);

    // The whole document; throws JsonWriteError for a document that cannot be written.
    std::string Write();

  private:
    // How one entry of a shared list is written.
    struct EntryPlan {
        std::string id;        // id written, empty for an entry written in place
        int references = 0;    // references from the rest of the document
        bool writing = false;  // being written now (an entry that contains itself is refused)
        bool written = false;
    };

    // Planning (scene_document_write.cpp).
    void CountReferences();
    void PlanEntries(std::vector<EntryPlan>& plans, std::string_view kind,
                     const auto& entries) const;
    void PlanNodeReferences();
    void CheckIndex(int index, std::size_t count, std::string_view kind, bool allowNone) const;
    void CheckAllWritten(const std::vector<EntryPlan>& plans, std::string_view kind) const;

    // Settings (scene_document_write_settings.cpp).
    void WriteSettings();

    // Values (scene_document_write_values.cpp).
    void WriteRotation(const Quat& rotation);
    void WriteMatrix(const Matrix3& matrix);
    void WriteTransform(const doc::Transform& transform);
    // A constant as a plain number, any other track as its described fields.
    void WriteFloatTrack(const doc::FloatTrack& track);
    // An object with the fields of a described struct (document_fields.h) that an entry of
    // type `typeBit` takes; WriteFieldTuple writes the fields alone (write_described.h).
    template <typename S>
    void WriteDescribed(const S& value, std::uint32_t typeBit = kEveryType);
    template <typename S, typename Fields>
    void WriteFieldTuple(const S& value, const Fields& fields, std::uint32_t typeBit);
    template <typename S, typename M, typename Kind, typename Access>
    void WriteFieldValue(const DocumentField<S, M, Kind, Access>& field, const S& value);
    template <typename M>
    void WritePlain(const M& value);
    template <typename Entry>
    void WriteReferenceTo(int index);

    // References: an id string, or the entry itself when it is written in place.
    void WriteEntryReference(std::vector<EntryPlan>& plans, int index, std::string_view kind,
                             bool allowNull, void (SceneDocumentWriter::*writeEntry)(int));
    void WriteMaterialReference(int index);
    void WriteMapReference(int index);
    void WriteObjectReference(int index);
    void WriteModifierReference(int index);
    void WriteNodeReference(int index);
    const std::string& NodeReference(int index) const;

    // Nodes (scene_document_write_nodes.cpp).
    void WriteNodes();
    void WriteNode(int index);

    // Objects, modifiers, materials, maps (one file each).
    void WriteObject(int index);
    void WriteModifier(int index);
    void WriteSkinVertices(const std::vector<std::optional<doc::SkinVertex>>& vertices);
    void WriteBoneInitialTransforms(const std::vector<std::pair<int, Matrix3>>& transforms);
    void WriteMaterial(int index);
    void WriteMap(int index);
    void WriteImage(const doc::Image& image);

    // Writes entry `index` of a list, in place or in the shared list, refusing one that
    // contains itself.
    template <typename WriteBody>
    void WriteEntry(std::vector<EntryPlan>& plans, int index, std::string_view kind,
                    WriteBody writeBody) {
        EntryPlan& plan = plans[static_cast<std::size_t>(index)];
        if (plan.writing) {
            json_.Fail(std::string(kind) + " " + std::to_string(index) + " contains itself");
        }
        plan.writing = true;
        plan.written = true;
        json_.BeginObject();
        if (!plan.id.empty()) {
            json_.Key("id");
            json_.String(plan.id);
        }
        writeBody();
        json_.EndObject();
        plan.writing = false;
    }
    // The shared list `key` of the top level: every entry with an id in the plan.
    void WriteSharedList(std::string_view key, std::vector<EntryPlan>& plans,
                         void (SceneDocumentWriter::*writeEntry)(int));

    const doc::Document& document_;
    std::function<std::string(const std::string&)> imagePath_;
    JsonWriter json_;
    std::vector<EntryPlan> materials_, maps_, objects_, modifiers_;
    // Per node: the string that references it, and whether the tree has reached it.
    std::vector<std::string> nodeReferences_;
    std::vector<std::string> nodeIds_;  // id written, made up for nodes that need one
    std::vector<bool> nodeWritten_;
};

}  // namespace pellucid::standalone
