#include "platform/linux/standard_error.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

void Report(const char* prefix, const char* format, va_list arguments) {
    char text[512];
    vsnprintf(text, sizeof text, format, arguments);
    fprintf(stderr, "tarvelin: %s%s\n", prefix, text);
}

} // namespace

void ReportError(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    Report("", format, arguments);
    va_end(arguments);
}

bool DebugWanted() {
    static int wanted = -1;
    if (wanted < 0) {
        const char* debug = getenv("TARVELIN_DEBUG");
        wanted = debug != nullptr && strcmp(debug, "1") == 0;
    }
    return wanted != 0;
}

void ReportDebug(const char* format, ...) {
    if (!DebugWanted()) {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    Report("debug: ", format, arguments);
    va_end(arguments);
}
