// The library-wide debug trace log at "d:\project\pellucid\test\debug.txt". The host maps the
// platform path to a local file; when it cannot be opened every trace is silently lost.
#pragma once

// Writes `text` and a line end to the trace log.
void Trace(const char* text);
