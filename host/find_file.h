// The platform's directory listing: the first entry of a listing, the next ones, and the end.
#pragma once

#include <cstdint>
#include <string>

#include "host/max_types.h"

constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes = 0;
    std::string cFileName;  // the entry's name, without its folder
};

using HANDLE = void*;
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

// Starts listing the entries that `pattern` names ("folder\*.*" lists a whole folder) and gives
// the first; INVALID_HANDLE_VALUE when the listing cannot be started or is empty.
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data);
// The next entry; FALSE when there is none left.
BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE find);
