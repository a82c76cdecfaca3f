#include "plugin/class_table.h"

#include "bone_export/expo_bone.h"
#include "exchange/qmo_import.h"
#include "exchange/zut_exporter.h"
#include "exchange/zut_import.h"
#include "exchange/zut_morph.h"
#include "mesh_export/expo_mesh.h"
#include "objects/collbox.h"
#include "objects/game_influence.h"
#include "resources/string_ids.h"
#include "services/get_string.h"
#include "utilities/check_mapping.h"
#include "utilities/check_material.h"
#include "utilities/check_sorting_group.h"
#include "utilities/check_texel_size.h"
#include "utilities/check_volume.h"
#include "utilities/copy_bones.h"
#include "utilities/portal.h"

namespace {

// Makes an instance of T and hands it out as its host base class B.
template <class T, class B>
void* Make() {
    return static_cast<B*>(new T());
}

constexpr ClassEntry kClasses[] = {
    {IDS_EXPOMESH, SCENE_EXPORT_CLASS_ID, Class_ID(0x20211c93, 0x6b5d7911),
     IDS_CATEGORY_SCENE_EXPORT, Make<ExpoMesh, SceneExport>, nullptr},
    {IDS_EXPOBONE, SCENE_EXPORT_CLASS_ID, Class_ID(0x1b864c94, 0x4f03645d),
     IDS_CATEGORY_SCENE_EXPORT, Make<ExpoBone, SceneExport>, nullptr},
    {IDS_COLLBOX, HELPER_CLASS_ID, COLLBOX_CLASS_ID, IDS_CATEGORY_STANDARD, Make<CollBox, Object>,
     CollBox::ResetClassParams},
    {IDS_CHECKSORTINGGROUP, UTILITY_CLASS_ID, Class_ID(0x011b3a63, 0x647f1783),
     IDS_CATEGORY_UTILITY, Make<CheckSortingGroup, UtilityObj>, nullptr},
    {IDS_CHECKVOLUME, UTILITY_CLASS_ID, Class_ID(0x45486aba, 0x6ee47012), IDS_CATEGORY_UTILITY,
     Make<CheckVolume, UtilityObj>, nullptr},
    {IDS_CHECKMATERIAL, UTILITY_CLASS_ID, Class_ID(0x41a80712, 0x459c0817), IDS_CATEGORY_UTILITY,
     Make<CheckMaterial, UtilityObj>, nullptr},
    {IDS_CHECKMAPPING, UTILITY_CLASS_ID, Class_ID(0x0fe668cc, 0x0adc09d0), IDS_CATEGORY_UTILITY,
     Make<CheckMapping, UtilityObj>, nullptr},
    {IDS_CHECKTEXELSIZE, UTILITY_CLASS_ID, Class_ID(0x348d7194, 0x0ebc5c3c), IDS_CATEGORY_UTILITY,
     Make<CheckTexelSize, UtilityObj>, nullptr},
    {IDS_COPYBONES, UTILITY_CLASS_ID, Class_ID(0x2d483bbe, 0x321d4fac), IDS_CATEGORY_UTILITY,
     Make<CopyBones, UtilityObj>, nullptr},
    {IDS_PORTAL, UTILITY_CLASS_ID, Class_ID(0x2c7b22cd, 0x1deb7c81), IDS_CATEGORY_UTILITY,
     Make<Portal, UtilityObj>, nullptr},
    {IDS_GAMEINFLUENCE, OSM_CLASS_ID, GAMEINFLUENCE_CLASS_ID, IDS_CATEGORY_MODIFIER,
     Make<GameInfluence, Modifier>, nullptr},
    {IDS_ZUTIMPORT, SCENE_IMPORT_CLASS_ID, Class_ID(0x74e21171, 0x5800638e),
     IDS_CATEGORY_SCENE_EXPORT, Make<ZUTImport, SceneImport>, nullptr},
    {IDS_ZUTEXPORTER, SCENE_EXPORT_CLASS_ID, Class_ID(0x143b104d, 0x64a80218),
     IDS_CATEGORY_SCENE_EXPORT, Make<ZUTExporter, SceneExport>, nullptr},
    {IDS_ZUTMORPH, OSM_CLASS_ID, ZUTMORPH_CLASS_ID, IDS_CATEGORY_MODIFIER, Make<ZUTMorph, Modifier>,
     nullptr},
    {IDS_QMOIMPORT, SCENE_IMPORT_CLASS_ID, Class_ID(0x74e61171, 0x5800638e),
     IDS_CATEGORY_SCENE_EXPORT, Make<QMOImport, SceneImport>, nullptr},
};

TableClassDesc kDescriptors[] = {
    TableClassDesc(kClasses[0]),  TableClassDesc(kClasses[1]),  TableClassDesc(kClasses[2]),
    TableClassDesc(kClasses[3]),  TableClassDesc(kClasses[4]),  TableClassDesc(kClasses[5]),
    TableClassDesc(kClasses[6]),  TableClassDesc(kClasses[7]),  TableClassDesc(kClasses[8]),
    TableClassDesc(kClasses[9]),  TableClassDesc(kClasses[10]), TableClassDesc(kClasses[11]),
    TableClassDesc(kClasses[12]), TableClassDesc(kClasses[13]), TableClassDesc(kClasses[14]),
};
static_assert(std::size(kDescriptors) == std::size(kClasses));

}  // namespace

const char* TableClassDesc::ClassName() {
    return GetString(entry_.nameId);
}

const char* TableClassDesc::Category() {
    return GetString(entry_.categoryId);
}

void TableClassDesc::ResetClassParams(BOOL) {
    if (entry_.resetClassParams != nullptr) {
        entry_.resetClassParams();
    }
}

std::span<const ClassEntry> ClassTable() {
    return kClasses;
}

ClassDesc* ClassDescriptor(int i) {
    if (i < 0 || static_cast<size_t>(i) >= std::size(kDescriptors)) {
        return nullptr;
    }
    return &kDescriptors[i];
}
