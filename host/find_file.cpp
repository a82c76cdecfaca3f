#include "host/find_file.h"

#include <vector>

#include "host/interface.h"

namespace {

// What a listing handle stands for: the entries the host gave and the next one to hand out.
struct Listing {
    std::vector<WIN32_FIND_DATAA> entries;
    size_t next = 0;
};

}  // namespace

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data) {
    HostPlatform* platform = GetHostPlatform();
    if (platform == nullptr || pattern == nullptr || data == nullptr) {
        return INVALID_HANDLE_VALUE;
    }
    auto listing = new Listing();
    if (!platform->ListDirectory(pattern, listing->entries) || listing->entries.empty()) {
        delete listing;
        return INVALID_HANDLE_VALUE;
    }
    *data = listing->entries[listing->next++];
    return listing;
}

BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data) {
    if (find == nullptr || find == INVALID_HANDLE_VALUE || data == nullptr) {
        return FALSE;
    }
    auto* listing = static_cast<Listing*>(find);
    if (listing->next >= listing->entries.size()) {
        return FALSE;
    }
    *data = listing->entries[listing->next++];
    return TRUE;
}

BOOL FindClose(HANDLE find) {
    if (find == nullptr || find == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    delete static_cast<Listing*>(find);
    return TRUE;
}
