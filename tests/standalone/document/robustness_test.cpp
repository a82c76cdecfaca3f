// No input crashes the reader: deep nesting, and every valid test document cut short or with a
// byte changed ends in a document or in a one-line DocumentError.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "standalone/support/document_equality.h"
#include "standalone/support/document_support.h"

namespace pellucid::standalone::test {
namespace {

namespace fs = std::filesystem;

TEST(DocumentNesting, TenThousandNestedArraysAreRefusedAtTheDepthLimit) {
    const std::string prefix = R"({"pellucidScene": 1, "nodes": )";
    const std::string json = prefix + std::string(10000, '[') + std::string(10000, ']') + "}";
    // The root object is level 1: the 1024th bracket opens level 1025.
    EXPECT_EQ(RefusalOf(json), "test.pscene.json: line 1, column " +
                                   std::to_string(prefix.size() + 1024) +
                                   ": malformed JSON: nested more deeply than 1024 levels");
}

std::string NodeChain(int depth) {
    std::string json = R"({"pellucidScene": 1, "nodes": [)";
    for (int i = 0; i < depth; ++i) {
        json += R"({"name": "N)" + std::to_string(i) + R"(", "children": [)";
    }
    for (int i = 0; i < depth; ++i) {
        json += "]}";
    }
    return json + "]}";
}

TEST(DocumentNesting, ANodeTreeTenThousandDeepIsRefusedCleanly) {
    EXPECT_THAT(RefusalOf(NodeChain(10000)),
                ::testing::EndsWith(": malformed JSON: nested more deeply than 1024 levels"));
}

TEST(DocumentNesting, ANodeTreeFiveHundredDeepReadsAndWritesBack) {
    const doc::Document d = Parse(NodeChain(500));
    ASSERT_EQ(d.nodes.size(), 500u);
    EXPECT_EQ(d.nodes[499].name, "N499");
    EXPECT_THAT(d.nodes[498].children, ::testing::ElementsAre(499));
    const doc::Document again = Parse(SerializeSceneDocument(d));
    EXPECT_EQ(DescribeDocumentDifference(d, again), "");
}

// Reads a variant of a document; anything but a document or a one-line DocumentError fails.
void ExpectCleanOutcome(const std::string& text, const std::string& folder,
                        const std::string& what) {
    try {
        ParseSceneDocument(text, folder, "cut.pscene.json");
    } catch (const DocumentError& error) {
        const std::string message = error.what();
        ASSERT_EQ(message.find('\n'), std::string::npos) << what << ": " << message;
        ASSERT_EQ(message.rfind("cut.pscene.json: ", 0), 0u) << what << ": " << message;
        // Malformed JSON is always located.
        if (message.find("malformed JSON") != std::string::npos) {
            ASSERT_THAT(message, ::testing::HasSubstr(": line ")) << what;
        }
    }
}

TEST(DocumentCorpus, EveryTestDocumentCutAtAnyLengthIsReadOrRefusedCleanly) {
    const std::vector<std::string> paths = ValidDocuments();
    ASSERT_GE(paths.size(), 4u);
    for (const std::string& path : paths) {
        const std::string text = ReadBytes(path);
        const std::string folder = fs::path(path).parent_path().string();
        const std::size_t step = std::max<std::size_t>(1, text.size() / 1500);
        for (std::size_t length = 0; length < text.size(); length += step) {
            ExpectCleanOutcome(text.substr(0, length), folder,
                               path + " cut at " + std::to_string(length));
        }
    }
}

TEST(DocumentCorpus, EveryTestDocumentWithOneByteChangedIsReadOrRefusedCleanly) {
    const std::string replacements = "\"[]{},:0-9.eE \\nutfx\x01\xff";
    std::mt19937 random(2024);
    for (const std::string& path : ValidDocuments()) {
        const std::string text = ReadBytes(path);
        const std::string folder = fs::path(path).parent_path().string();
        for (int i = 0; i < 400; ++i) {
            std::string changed = text;
            const std::size_t at = random() % changed.size();
            changed[at] = replacements[random() % replacements.size()];
            ExpectCleanOutcome(changed, folder, path + " changed at " + std::to_string(at));
        }
    }
}

}  // namespace
}  // namespace pellucid::standalone::test
