#include "exchange/qmo_import.h"

#include "resources/author_strings.h"

const char* QMOImport::AuthorName() {
    return kExchangeAuthor;
}

const char* QMOImport::CopyrightMessage() {
    return kExchangeCopyright;
}

// Reading is not built yet; the answer is that of a list that cannot be opened.
int QMOImport::DoImport(const char*, ImpInterface*, Interface*, BOOL) {
    return 1;
}
