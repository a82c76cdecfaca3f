// Fuzz entry point of the QMO reader and the model search (libFuzzer): the input is read as a QMO
// list, and every model line's scene file is searched for in a made-up tree of folders. Every
// input must end in model lines within the format's limits and a search that ends; anything else
// (a crash, a sanitizer report, a broken invariant) is a finding. Not part of the default build:
// see README.md in this folder.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "exchange/model_search.h"
#include "exchange/qmo_reader.h"
#include "fuzz_require.h"
#include "tests/support/fake_platform.h"

namespace {

// Every folder less than four levels down holds two subfolders, a dot folder and two files whose
// names differ from the searched ones by letter case only; deeper folders cannot be listed.
class MadeUpTree : public FakePlatform {
  public:
    bool ListDirectory(const std::string& pattern,
                       std::vector<WIN32_FIND_DATAA>& entries) override {
        size_t depth = 0;
        for (char c : pattern) {
            depth += c == '\\' ? 1 : 0;
        }
        if (depth > 4) {
            return false;
        }
        auto add = [&](std::string name, bool folder) {
            WIN32_FIND_DATAA entry;
            entry.cFileName = std::move(name);
            entry.dwFileAttributes = folder ? FILE_ATTRIBUTE_DIRECTORY : 0;
            entries.push_back(entry);
        };
        add(".", true);
        add(".svn", true);
        add("A", true);
        add(upperName, false);
        add("b", true);
        add(lowerName, false);
        return true;
    }

    std::string upperName, lowerName;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const QmoList list = ReadQmoList(in);
    MadeUpTree tree;
    AttachHostPlatform(&tree);
    for (const QmoModelLine& model : list.models) {
        Require(model.directory.size() <= kQmoPathLimit, "directory length");
        Require(model.model.size() <= kQmoNameLimit, "model name length");
        const std::string fileName = model.model + ".max";
        tree.upperName = tree.lowerName = fileName;
        for (char& c : tree.upperName) {
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        }
        tree.lowerName += "x";
        std::string path;
        if (FindModelFile(path, model.directory, fileName)) {
            Require(path.size() <= kQmoPathLimit, "found path length");
            Require(path.size() >= fileName.size() &&
                        path.compare(path.size() - fileName.size(), fileName.size(), fileName) == 0,
                    "found path ends in the name asked for");
        }
    }
    DetachHostPlatform(&tree);
    return 0;
}
