#include "exchange/zut_exporter.h"

#include "resources/author_strings.h"

const char* ZUTExporter::AuthorName() {
    return kExchangeAuthor;
}

const char* ZUTExporter::CopyrightMessage() {
    return kExchangeCopyright;
}

// Writing is not built yet; an export succeeds in every case, as when the file cannot be opened.
int ZUTExporter::DoExport(const char*, ExpInterface*, Interface*, BOOL, DWORD) {
    return TRUE;
}
