// Failures said on standard error, where no window can say them.
#ifndef TARVELIN_PLATFORM_LINUX_STANDARD_ERROR_H
#define TARVELIN_PLATFORM_LINUX_STANDARD_ERROR_H

// Writes "tarvelin: ", the formatted text and a line feed, in one write.
void ReportError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// With TARVELIN_DEBUG=1, writes "tarvelin: debug: ", the formatted text and a
// line feed, in one write; otherwise nothing. For bug reports: what was
// chosen, sent and answered.
void ReportDebug(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Whether TARVELIN_DEBUG=1, read once: what only a debug line needs is then
// left undone.
bool DebugWanted();

#endif
