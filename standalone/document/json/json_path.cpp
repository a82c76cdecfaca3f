#include "standalone/document/json/json_path.h"

#include <vector>

namespace pellucid::standalone {

void AppendPointerToken(std::string& out, std::string_view token) {
    for (char c : token) {
        if (c == '~') {
            out += "~0";
        } else if (c == '/') {
            out += "~1";
        } else {
            out += c;
        }
    }
}

std::string JsonPath::Pointer() const {
    std::vector<const JsonPath*> links;
    for (const JsonPath* link = this; link->parent_ != nullptr; link = link->parent_) {
        links.push_back(link);
    }
    std::string pointer;
    for (auto it = links.rbegin(); it != links.rend(); ++it) {
        pointer += '/';
        if ((*it)->index_ != kNoIndex) {
            pointer += std::to_string((*it)->index_);
        } else {
            AppendPointerToken(pointer, (*it)->key_);
        }
    }
    return pointer;
}

}  // namespace pellucid::standalone
