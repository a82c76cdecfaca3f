// Reading the artists' node names: keywords at the start of a name, numbers at fixed positions,
// and the object name behind an attach number. A null name reads as "".
#pragma once

#include <string>

#include "host/cstr.h"

// The first `count` characters of the name, ASCII upper-cased; a shorter name gives a shorter
// text.
std::string UpperPrefix(const char* name, int count);

// The decimal value of `count` characters of `name` from `start`, read like atoi: leading blanks
// and a sign accepted, reading stops at the first non-digit, no digits give 0; characters past
// the end of the name are not read.
int NameNumber(const char* name, int start, int count);

// Removes trailing white space in place; leading white space stays.
CStr& TrimTrailingSpace(CStr& name);

// The object's name after its attach number: ATTACH12_Sword and ATTACH012 Sword both give Sword
// (the name starts after position 8 when that holds "_", else after position 9), trailing white
// space removed. A name too short to hold one gives "".
CStr AttachedObjectName(const char* nodeName);
