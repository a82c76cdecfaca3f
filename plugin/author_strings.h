// Author strings and rights notices that the file classes answer with.
#pragma once

// The studio's author string and rights notice (the two exporters of scripts).
extern const char* const kStudioAuthor;
extern const char* const kStudioCopyright;
// The exchange classes' author string and the studio's second rights notice.
extern const char* const kExchangeAuthor;
extern const char* const kExchangeCopyright;
