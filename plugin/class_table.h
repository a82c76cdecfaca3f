// The library's fifteen plug-in classes as a table, and the descriptor that answers the host's
// questions about one of them.
#pragma once

#include <span>

#include "host/plugin_classes.h"

struct ClassEntry {
    // String ids of the class name and the category.
    int nameId;
    SClass_ID superClassId;
    Class_ID classId;
    int categoryId;
    // A new instance, as a pointer to the host base class of its kind: SceneExport, SceneImport,
    // UtilityObj, Object or Modifier.
    void* (*create)();
    // Resets the class-wide values of the class, or null when it has none.
    void (*resetClassParams)();
};

class TableClassDesc : public ClassDesc {
  public:
    explicit constexpr TableClassDesc(const ClassEntry& entry) : entry_(entry) {}

    int IsPublic() override { return 1; }
    void* Create(BOOL loading = FALSE) override { return entry_.create(); }
    int BeginCreate(Interface*) override { return 0; }
    int EndCreate(Interface*) override { return 0; }
    const char* ClassName() override;
    SClass_ID SuperClassID() override { return entry_.superClassId; }
    Class_ID ClassID() override { return entry_.classId; }
    const char* Category() override;
    void ResetClassParams(BOOL fileReset = FALSE) override;

  private:
    const ClassEntry& entry_;
};

// The classes in the host's index order.
std::span<const ClassEntry> ClassTable();
// The descriptor of class i, or null outside the table.
ClassDesc* ClassDescriptor(int i);
