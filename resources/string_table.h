// The library's string table.
#pragma once

#include <string_view>

struct StringResource {
    int id;
    std::string_view text;
};

// The text of string `id`, or null when the table has none.
const std::string_view* FindStringResource(int id);

// Every entry, ordered by id.
const StringResource* StringTableBegin();
const StringResource* StringTableEnd();
