#include "exchange/qmo_import.h"

#include <fstream>

#include "exchange/model_search.h"
#include "exchange/qmo_reader.h"
#include "resources/author_strings.h"

namespace {

const FileClassAnswers kAnswers = {
    "QMO",
    "This plugin imports QMO file from the Game Editor program into 3DS Max.",
    "QMO importer.",
    kExchangeAuthor,
    kExchangeCopyright,
    1,
    true};

}  // namespace

QMOImport::QMOImport() : FileClass(kAnswers) {}

int QMOImport::DoImport(const char* name, ImpInterface* ii, Interface* ip, BOOL) {
    // A list that cannot be opened is read as an empty one: the stream fails, but is not bad.
    std::ifstream in;
    if (name != nullptr) {
        in.open(name, std::ios::binary);
    }
    if (in.bad()) {
        return 0;
    }
    if (ii != nullptr) {
        ii->NewScene();
    }
    const QmoList list = ReadQmoList(in);
    if (ip == nullptr) {
        return 1;
    }
    for (const QmoModelLine& model : list.models) {
        std::string path;
        if (!FindModelFile(path, model.directory, model.model + ".max")) {
            continue;
        }
        ip->MergeFromFile(path.c_str(), FALSE, TRUE, TRUE, kQmoMergeDuplicateAction, nullptr);
        // The model just merged is the one selected node.
        if (INode* node = ip->GetSelNode(0)) {
            Matrix3 tm = model.transform;
            node->SetNodeTM(0, tm);
        }
        ip->ClearNodeSelection(TRUE);
    }
    return 1;
}
