#include "objects/game_influence.h"

#include "plugin/get_string.h"
#include "resources/string_ids.h"

GameInfluence::GameInfluence() : name_(GetString(IDS_GAMEINFLUENCE)) {}

// The deformation is not built yet: the object stays as the stack below delivered it.
void GameInfluence::ModifyObject(TimeValue, ModContext&, ObjectState*, INode*) {}
