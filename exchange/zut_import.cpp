#include "exchange/zut_import.h"

#include "resources/author_strings.h"

const char* ZUTImport::AuthorName() {
    return kExchangeAuthor;
}

const char* ZUTImport::CopyrightMessage() {
    return kExchangeCopyright;
}

// Reading is not built yet; the answer is that of a file that cannot be read, and the scene
// stays as it is.
int ZUTImport::DoImport(const char*, ImpInterface*, Interface*, BOOL) {
    return 0;
}
