#include "plugin/author_strings.h"

const char* const kStudioAuthor = "Vantrel Software Development";
const char* const kStudioCopyright = "Copyright (c) 1997 Vantrel. All rights reserved.";
const char* const kExchangeAuthor = "Orsolya Quillfeather-Bramblewick";
const char* const kExchangeCopyright = "(c) Vantrel. This tool is the property of Vantrel.";
