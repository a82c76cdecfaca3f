#include "cli/nonfinite_scan.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>

namespace pellucid::cli {

namespace {

// The runtime's forms all carry ".#": 1.#INF, -1.#INF, 1.#QNAN, -1.#IND.
bool HoldsNonFinite(const std::string& line) {
    return line.find(".#INF") != std::string::npos || line.find(".#QNAN") != std::string::npos ||
           line.find(".#IND") != std::string::npos;
}

// The first non-finite number of the line in its short form ("1.#QNAN", "-1.#INF").
std::string FirstToken(const std::string& line) {
    const size_t hash = line.find(".#");
    size_t begin = hash;
    while (begin > 0 &&
           (std::isdigit(static_cast<unsigned char>(line[begin - 1])) || line[begin - 1] == '-')) {
        --begin;
    }
    size_t end = hash + 2;
    while (end < line.size() && std::isalpha(static_cast<unsigned char>(line[end]))) {
        ++end;
    }
    return line.substr(begin, end - begin);
}

// The command of a line and its first arguments as integers (0 where an argument is not one).
struct Call {
    std::string command;
    std::vector<long> numbers;
};

Call ParseCall(const std::string& line) {
    Call call;
    const size_t open = line.find('(');
    if (open == std::string::npos) {
        return call;
    }
    call.command = line.substr(0, open);
    size_t position = open + 1;
    for (int i = 0; i < 3 && position < line.size(); ++i) {
        while (position < line.size() && line[position] == ' ') {
            ++position;
        }
        call.numbers.push_back(std::strtol(line.c_str() + position, nullptr, 10));
        const size_t comma = line.find(',', position);
        if (comma == std::string::npos) {
            break;
        }
        position = comma + 1;
    }
    return call;
}

std::string BoneName(const SceneSurvey& survey, long bone) {
    if (bone >= 0 && static_cast<size_t>(bone) < survey.bones.size()) {
        return fmt::format("bone {} \"{}\"", bone, survey.bones[static_cast<size_t>(bone)]);
    }
    return fmt::format("bone {}", bone);
}

std::string MaterialName(const SceneSurvey& survey, long material) {
    if (material >= 0 && static_cast<size_t>(material) < survey.materials.size()) {
        return fmt::format("material {} \"{}\"", material,
                           survey.materials[static_cast<size_t>(material)].name);
    }
    return fmt::format("material {}", material);
}

}  // namespace

std::string DescribeScriptLine(const std::string& line, const SceneSurvey& survey) {
    const Call call = ParseCall(line);
    const auto n = [&](size_t i) { return i < call.numbers.size() ? call.numbers[i] : 0L; };
    const std::string object =
        survey.mainObject >= 0
            ? fmt::format("\"{}\"",
                          survey.nodes[static_cast<size_t>(survey.mainObject)].node->GetName())
            : "the object";
    const std::string& c = call.command;
    if (c == "Vertex") {
        return fmt::format("vertex {} of {}", n(0), object);
    }
    if (c == "Normal") {
        return fmt::format("normal {} of {}", n(0), object);
    }
    if (c == "UV") {
        return fmt::format("the texture coordinates of face {} of {}", n(0), object);
    }
    if (c == "Material" || c == "MaterialShininess") {
        return MaterialName(survey, n(0));
    }
    if (c == "Bone") {
        return BoneName(survey, n(0));
    }
    if (c == "RotationKeyFrameData") {
        return fmt::format("rotation key {} (time {}) of {}", n(1), n(2), BoneName(survey, n(0)));
    }
    if (c == "TranslationKeyFrameData") {
        return fmt::format("translation key {} (time {}) of {}", n(1), n(2),
                           BoneName(survey, n(0)));
    }
    if (c == "AttachObjectKeyFrame") {
        return fmt::format("key {} (time {}) of attached object {}", n(1), n(2), n(0));
    }
    if (c == "LinkEvent") {
        return fmt::format("the link event at time {} of attached object {}", n(1), n(0));
    }
    if (c == "TriggerData") {
        return fmt::format("trigger {}", n(1));
    }
    if (c == "VertexInfluenceRigid") {
        return fmt::format("the influence of {} on vertex {}", BoneName(survey, n(0)), n(1));
    }
    if (c == "MorphVertex") {
        return fmt::format("vertex {} of morph channel {}", n(1), n(0));
    }
    if (c == "CollBox" || c == "CollBoxMatrix" || c == "CollZone") {
        return fmt::format("a collision box of {}", object);
    }
    return "";
}

std::vector<Finding> FindNonFiniteNumbers(const std::string& path, const std::string& shownName,
                                          const SceneSurvey& survey, size_t limit) {
    std::vector<Finding> findings;
    size_t more = 0;
    const auto handle = [&](size_t number, std::string line) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!HoldsNonFinite(line)) {
            return;
        }
        if (findings.size() >= limit) {
            ++more;
            return;
        }
        const Call call = ParseCall(line);
        const std::string subject = DescribeScriptLine(line, survey);
        std::string text = fmt::format("{} line {}: {}{} holds the number {}, which is not finite",
                                       shownName, number, call.command,
                                       subject.empty() ? "" : " of " + subject, FirstToken(line));
        if (call.command == "RotationKeyFrameData") {
            text +=
                " (in a looping animation, keys that reach past the end of the animation range "
                "can make a key's neighbouring intervals average to zero)";
        }
        findings.push_back({"non-finite", text});
    };

    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return findings;
    }
    // Lines are only looked at where the bytes hold a '#', so a large script is read at the speed
    // of the disk.
    std::string pending;
    std::vector<char> chunk(1 << 20);
    size_t lineNumber = 1;  // of the first line in `pending`
    size_t got;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) {
        pending.append(chunk.data(), got);
        size_t start = 0;
        for (size_t hash = pending.find('#'); hash != std::string::npos;
             hash = pending.find('#', start)) {
            const size_t lineStart = pending.rfind('\n', hash);
            const size_t begin =
                lineStart == std::string::npos || lineStart < start ? start : lineStart + 1;
            const size_t end = pending.find('\n', hash);
            if (end == std::string::npos) {
                break;
            }
            lineNumber +=
                static_cast<size_t>(std::count(pending.begin() + static_cast<long>(start),
                                               pending.begin() + static_cast<long>(begin), '\n'));
            handle(lineNumber, pending.substr(begin, end - begin));
            ++lineNumber;
            start = end + 1;
        }
        const size_t last = pending.rfind('\n');
        if (last != std::string::npos && last + 1 > start) {
            lineNumber += static_cast<size_t>(
                std::count(pending.begin() + static_cast<long>(start),
                           pending.begin() + static_cast<long>(last) + 1, '\n'));
            start = last + 1;
        }
        pending.erase(0, start);
    }
    std::fclose(file);
    if (!pending.empty()) {
        handle(lineNumber, pending);
    }
    if (more > 0) {
        findings.push_back(
            {"non-finite", fmt::format("{}: {} numbers that are not finite", shownName,
                                       Counted(more, "more line holds", "more lines hold"))});
    }
    return findings;
}

}  // namespace pellucid::cli
