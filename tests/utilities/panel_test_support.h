// Scenes for the panel tests, written as scene documents, and a host with its panel toolkit in
// which the tests open the library's utilities as a user would.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "standalone/document/scene_document_io.h"
#include "standalone/host/standalone_host.h"
#include "standalone/panels/utility_session.h"

namespace pellucid::test {

inline std::unique_ptr<standalone::StandaloneHost> HostFromJson(const std::string& json) {
    auto host = std::make_unique<standalone::StandaloneHost>(
        standalone::ParseSceneDocument(json, PELLUCID_TEST_DATA "/scenes", "panel-test"));
    host->SetEchoMessages(false);
    return host;
}

// The utility `className` open on the host's toolkit.
inline std::unique_ptr<standalone::panels::UtilitySession> Open(standalone::StandaloneHost& host,
                                                                const std::string& className) {
    return std::make_unique<standalone::panels::UtilitySession>(&host, host.Toolkit(), className);
}

// The selected faces that the live scene keeps for a node (as a saved scene would hold them).
inline std::vector<int> SavedSelection(standalone::StandaloneHost& host, const std::string& name) {
    const doc::Document captured = host.Capture();
    for (const doc::Node& node : captured.nodes) {
        if (node.name == name) {
            return node.selectedFaces;
        }
    }
    ADD_FAILURE() << "no node " << name;
    return {};
}

// A JSON array of the faces of a closed box of 8 corners (12 faces), two per side: bottom, top,
// then the sides; `drop` lists faces to leave out.
inline std::string BoxFaces(const std::vector<int>& drop = {}) {
    const int faces[12][3] = {{0, 2, 1}, {0, 3, 2}, {4, 5, 6}, {4, 6, 7}, {0, 1, 5}, {0, 5, 4},
                              {1, 2, 6}, {1, 6, 5}, {2, 3, 7}, {2, 7, 6}, {3, 0, 4}, {3, 4, 7}};
    std::string text = "[";
    bool first = true;
    for (int f = 0; f < 12; ++f) {
        bool dropped = false;
        for (int d : drop) {
            dropped = dropped || d == f;
        }
        if (dropped) {
            continue;
        }
        text += (first ? "" : ", ") + std::string("[") + std::to_string(faces[f][0]) + ", " +
                std::to_string(faces[f][1]) + ", " + std::to_string(faces[f][2]) + "]";
        first = false;
    }
    return text + "]";
}

inline std::string BoxVertices(float offset = 0.0f) {
    std::string text = "[";
    const float corners[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                 {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
    for (int i = 0; i < 8; ++i) {
        text += (i ? ", [" : "[") + std::to_string(corners[i][0] + offset) + ", " +
                std::to_string(corners[i][1]) + ", " + std::to_string(corners[i][2]) + "]";
    }
    return text + "]";
}

}  // namespace pellucid::test
