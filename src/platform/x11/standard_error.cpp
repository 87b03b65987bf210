#include "platform/x11/standard_error.h"

#include "platform/x11/utf8.h"

#include <stdio.h>
#include <stdlib.h>

void WriteToStandardError(const WideChar* text) {
    const size_t bytes = Utf16ToUtf8(text, nullptr);
    char* line = static_cast<char*>(malloc(bytes + 1));
    if (line == nullptr) {
        return;
    }
    Utf16ToUtf8(text, line);
    line[bytes] = '\n';
    fwrite(line, 1, bytes + 1, stderr);
    free(line);
}

void ExitWithoutDisplay(const WideChar* text) {
    WriteToStandardError(text);
    exit(1);
}
