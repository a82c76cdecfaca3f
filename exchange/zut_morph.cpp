#include "exchange/zut_morph.h"

#include "resources/string_ids.h"
#include "services/get_string.h"

ZUTMorph::ZUTMorph() : name_(GetString(IDS_ZUTMORPH)) {}

// The deformation is not built yet: the object stays as the stack below delivered it.
void ZUTMorph::ModifyObject(TimeValue, ModContext&, ObjectState*, INode*) {}
