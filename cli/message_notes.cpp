#include "cli/message_notes.h"

#include <fmt/format.h>

#include "bone_export/bone_tree.h"
#include "objects/collbox.h"

namespace pellucid::cli {

namespace {

// The next texture from `position` on that `matches`, moving `position` past it; null when none.
template <typename Match>
const SurveyTexture* NextTexture(const std::vector<SurveyTexture>& textures, size_t& position,
                                 Match matches) {
    while (position < textures.size()) {
        const SurveyTexture& texture = textures[position++];
        if (matches(texture)) {
            return &texture;
        }
    }
    return nullptr;
}

std::string TextureWhere(const SurveyTexture& texture) {
    return fmt::format("texture {} (material {} \"{}\", {} slot)", texture.recorded,
                       texture.material, texture.materialName, texture.slot);
}

// What the skin pass's assertion lines stand for.
std::string SkinAssertion(const std::string& text, const std::string& skin) {
    struct Meaning {
        const char* line;
        const char* what;
    };
    static const Meaning kMeanings[] = {
        {"bonetree line 488", "the skin binding gives no initial transform for the skin"},
        {"bonetree line 517", "a rigid vertex's bone has no initial transform in the skin binding"},
        {"bonetree line 556",
         "a blended vertex's bone has no initial transform in the skin binding"},
        {"bonetree line 578",
         "a vertex of a type that is neither rigid nor rigid blended is left out"},
    };
    for (const Meaning& meaning : kMeanings) {
        if (text == meaning.line) {
            return fmt::format("skin of \"{}\": {}", skin, meaning.what);
        }
    }
    return "";
}

}  // namespace

std::vector<Finding> MessageNotes::For(const standalone::HostMessage& message) {
    const std::string& text = message.text;
    const auto node = [&](int index) -> const SurveyNode& {
        return survey_.nodes[static_cast<size_t>(index)];
    };
    const std::string mainName =
        survey_.mainObject >= 0 ? node(survey_.mainObject).node->GetName() : "";

    if (text == "More than one object in scene.") {
        if (extraObjects_ >= survey_.extraObjects.size()) {
            return {};
        }
        const SurveyNode& extra = node(survey_.extraObjects[extraObjects_++]);
        Object* object = extra.node->EvalWorldState(0, TRUE).obj;
        if (object != nullptr && object->ClassID() == COLLBOX_CLASS_ID) {
            return {{"extra-object",
                     fmt::format("\"{}\" is a visible collision box, so it also counts as an "
                                 "object after the main object \"{}\"; hide it (hidden boxes are "
                                 "still written as collision boxes)",
                                 extra.node->GetName(), mainName)}};
        }
        return {{"extra-object",
                 fmt::format("\"{}\" ({}) is not written: only the main object \"{}\", the first "
                             "visible geometry in the scene's order, is; hide \"{}\", or give it "
                             "a marker name if it is one",
                             extra.node->GetName(), extra.objectClass, mainName,
                             extra.node->GetName())}};
    }
    if (message.caption == "Illegal material index") {
        if (materialIds_ >= survey_.badMaterialIds.size()) {
            return {};
        }
        const BadMaterialId& bad = survey_.badMaterialIds[materialIds_++];
        return {{"illegal-material-index",
                 fmt::format("face {} of \"{}\" has material id {}, but its multi/sub-object "
                             "material has {} ({} to {}); the face gets sub-material {} \"{}\"",
                             bad.face, mainName, bad.id,
                             Counted(static_cast<size_t>(bad.subMaterials), "sub-material",
                                     "sub-materials"),
                             0, bad.subMaterials - 1, bad.id % bad.subMaterials, bad.usedName)}};
    }
    if (text == "Texture not on drive P.") {
        const SurveyTexture* texture =
            NextTexture(survey_.textures, driveTextures_,
                        [](const SurveyTexture& t) { return !t.recorded.empty() && !t.onDriveP; });
        if (texture == nullptr) {
            return {};
        }
        return {{"texture-drive",
                 fmt::format("{} is written as {}: texture paths must be on drive P: (a network "
                             "path becomes P:/... when the scene's drives map its share to P:)",
                             TextureWhere(*texture), texture->written)}};
    }
    if (text == "Illegal texture size.") {
        const SurveyTexture* texture = NextTexture(
            survey_.textures, sizeTextures_,
            [](const SurveyTexture& t) { return !t.recorded.empty() && t.loaded && !t.sizeLegal; });
        if (texture == nullptr) {
            return {};
        }
        return {{"texture-size",
                 fmt::format("{} is {} x {} pixels: width and height must each be a power of two "
                             "from 8 to 2048",
                             TextureWhere(*texture), texture->width, texture->height)}};
    }
    if (text == "Illegal UV coordinate.") {
        if (survey_.nanUvFace < 0) {
            return {};
        }
        return {{"illegal-uv",
                 fmt::format("face {} of \"{}\" has a texture coordinate that is not a number; "
                             "no UV line is written for it or any face after it",
                             survey_.nanUvFace, mainName)}};
    }
    if (text == "The hierarchy contains a bone with no parent") {
        if (survey_.rootlessBones.empty()) {
            return {};
        }
        const int bone = survey_.rootlessBones[rootlessBones_++ % survey_.rootlessBones.size()];
        return {{"bone-without-parent",
                 fmt::format("bone {} \"{}\" has no bone above it, so the skeleton has a second "
                             "root; link it below a bone of the skeleton of bone 0 \"{}\"",
                             bone, survey_.bones[static_cast<size_t>(bone)], survey_.bones[0])}};
    }
    if (message.caption == "Attach Object Error") {
        return {{"attach-not-linked",
                 "each object named there hangs on nothing and is written relative to the scene "
                 "root; link it to a bone (or to the main object) so that the engine knows what "
                 "carries it"}};
    }
    if (text == "Translation controller not supported.") {
        return {{"translation-controller",
                 fmt::format("the root bone \"{}\" has keys on a {} controller; only a Bezier "
                             "position controller's keys are exported, so its translation lines "
                             "are left out",
                             survey_.bones.empty() ? "" : survey_.bones[0],
                             survey_.rootPositionController)}};
    }
    if (text == "Valid key table full." && survey_.keyTableFullBone >= 0) {
        return {{"key-table-full",
                 fmt::format("bone {} \"{}\" has {} rotation keys; a bone may have at most 2048 "
                             "(2047 when none is at time 0): it and the bones after it get no "
                             "rotation lines",
                             survey_.keyTableFullBone,
                             survey_.bones[static_cast<size_t>(survey_.keyTableFullBone)],
                             survey_.keyTableFullKeys)}};
    }
    if (text.rfind("The scene has ", 0) == 0 && text.find(" bones;") != std::string::npos &&
        survey_.bones.size() == static_cast<size_t>(MAX_BONES)) {
        return {{"too-many-bones",
                 fmt::format("the bones after bone 255 \"{}\" in the scene's order are left out; "
                             "nodes below them hang on their nearest kept bone",
                             survey_.bones.back())}};
    }
    if (message.caption == "assertion") {
        const std::string meaning = SkinAssertion(text, survey_.skin.node);
        if (!meaning.empty()) {
            return {{"skin-binding", meaning}};
        }
    }
    return {};
}

}  // namespace pellucid::cli
