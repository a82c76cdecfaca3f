// Reading MEF and BEF scripts back as calls: each line "Command(arg,arg,...);", with quoted names
// kept whole and the optional " // comment" of a normal line set aside. A line that is not a call
// fails the running test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "support/script_files.h"

namespace pellucid::test {

struct ScriptCall {
    std::string command;
    std::vector<std::string> args;  // as written; names without their quotes

    double Number(std::size_t i) const {
        if (i >= args.size()) {
            ADD_FAILURE() << command << " has no argument " << i;
            return 0.0;
        }
        char* end = nullptr;
        const double value = std::strtod(args[i].c_str(), &end);
        EXPECT_TRUE(end != args[i].c_str() && *end == '\0')
            << command << " argument " << i << " is not a number: " << args[i];
        return value;
    }
    int Int(std::size_t i) const { return static_cast<int>(Number(i)); }
};

inline ScriptCall ParseScriptCall(const std::string& line) {
    ScriptCall call;
    std::string text = line;
    const std::size_t comment = text.find(" // ");
    if (comment != std::string::npos && text.compare(comment - 2, 2, ");") == 0) {
        text.erase(comment);
    }
    const std::size_t open = text.find('(');
    if (open == std::string::npos || text.size() < open + 3 ||
        text.compare(text.size() - 2, 2, ");") != 0) {
        ADD_FAILURE() << "not a script call: " << line;
        return call;
    }
    call.command = text.substr(0, open);
    const std::string inner = text.substr(open + 1, text.size() - open - 3);
    std::string arg;
    bool quoted = false;
    bool any = false;
    for (std::size_t i = 0; i < inner.size(); ++i) {
        const char c = inner[i];
        any = true;
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            call.args.push_back(arg);
            arg.clear();
            // The morph and attached-object lines put a blank after their commas.
            if (i + 1 < inner.size() && inner[i + 1] == ' ') {
                ++i;
            }
        } else {
            arg += c;
        }
    }
    EXPECT_FALSE(quoted) << "unclosed name in: " << line;
    if (any) {
        call.args.push_back(arg);
    }
    return call;
}

// Every line of the script as a call.
inline std::vector<ScriptCall> ScriptCalls(const std::string& bytes) {
    std::vector<ScriptCall> calls;
    for (const std::string& line : ScriptLines(bytes)) {
        calls.push_back(ParseScriptCall(line));
    }
    return calls;
}

// How many calls each command has.
inline std::map<std::string, int> CountCalls(const std::vector<ScriptCall>& calls) {
    std::map<std::string, int> counts;
    for (const ScriptCall& call : calls) {
        ++counts[call.command];
    }
    return counts;
}

}  // namespace pellucid::test
