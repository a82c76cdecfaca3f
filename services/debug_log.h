// The library-wide debug trace log at "d:\project\pellucid\test\debug.txt". The host maps the
// platform path to a local file; when it cannot be opened every trace is silently lost.
#pragma once

// Writes `text` and a line end to the trace log.
void Trace(const char* text);

// The platform path of the trace log.
extern const char* const kDebugLogPath;

// Opens the log, emptying an existing file, at the local file that the host platform maps the
// log's path to; without a host platform, a mapping or a file that can be opened, traces are lost.
void OpenDebugLog();
// Writes out what is buffered and closes the log.
void CloseDebugLog();
