// Author strings and rights notices that the file classes answer with.
#pragma once

// The studio's author string and rights notice (the two exporters of scripts).
inline constexpr const char* kStudioAuthor = "Vantrel Software Development";
inline constexpr const char* kStudioCopyright = "Copyright (c) 1997 Vantrel. All rights reserved.";
// The exchange classes' author string and the studio's second rights notice.
inline constexpr const char* kExchangeAuthor = "Orsolya Quillfeather-Bramblewick";
inline constexpr const char* kExchangeCopyright =
    "(c) Vantrel. This tool is the property of Vantrel.";
