// The event log: one line per entry on the console and appended to "Log.log".
// Engines report progress with LogMessage and fatal errors with LogError, which ends the process.
#pragma once

void LogMessage(const char* tag, const char* text);

// Writes "<tag>.error: <text>" to the console and to "Log.log", then ends the process with
// exit code 1. The line is flushed before the process ends; nothing else is torn down.
[[noreturn]] void LogError(const char* tag, const char* text);
