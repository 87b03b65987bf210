#include "platform/linux/standard_error.h"

#include <stdarg.h>
#include <stdio.h>

void ReportError(const char* format, ...) {
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    fprintf(stderr, "tarvelin: %s\n", text);
}
