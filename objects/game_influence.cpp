#include "objects/game_influence.h"

#include "resources/string_ids.h"
#include "services/get_string.h"

GameInfluence::GameInfluence() : name_(GetString(IDS_GAMEINFLUENCE)) {}

// The deformation is not built yet: the object stays as the stack below delivered it.
void GameInfluence::ModifyObject(TimeValue, ModContext&, ObjectState*, INode*) {}
