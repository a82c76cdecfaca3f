#include "services/get_string.h"

#include <algorithm>
#include <vector>

#include "resources/string_table.h"
#include "services/module_handle.h"

namespace {

// Room for 255 characters and the terminator, as the platform's string loader is given.
constexpr size_t kBufferSize = 256;

// Every caller on a thread shares its thread's buffer, as every caller shares the one buffer on
// the host's single user-interface thread; exports running on other threads cannot overwrite it.
std::vector<char>& Buffer() {
    thread_local std::vector<char> buffer(kBufferSize, '\0');
    return buffer;
}

}  // namespace

const char* GetString(int id) {
    if (hInstance == nullptr) {
        return nullptr;
    }
    const std::string_view* text = FindStringResource(id);
    // The loader reports no characters both for a missing string and for an empty one.
    if (text == nullptr || text->empty()) {
        return nullptr;
    }
    std::vector<char>& buffer = Buffer();
    const size_t length = std::min(text->size(), kBufferSize - 1);
    std::copy_n(text->data(), length, buffer.begin());
    buffer[length] = '\0';
    return buffer.data();
}
