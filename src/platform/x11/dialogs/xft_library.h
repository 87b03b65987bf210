// Xft, loaded only when a message box or the menu is shown: a turn starts
// without it and the font libraries under it, which take longer to load
// than the turn takes.
#ifndef TARVELIN_PLATFORM_X11_DIALOGS_XFT_LIBRARY_H
#define TARVELIN_PLATFORM_X11_DIALOGS_XFT_LIBRARY_H

#include <X11/Xft/Xft.h>

// The functions the boxes draw with, under their Xft names less the prefix.
struct XftLibrary {
    decltype(&::XftFontOpenName) FontOpenName;
    decltype(&::XftFontClose) FontClose;
    decltype(&::XftColorAllocValue) ColorAllocValue;
    decltype(&::XftColorFree) ColorFree;
    decltype(&::XftTextExtentsUtf8) TextExtentsUtf8;
    decltype(&::XftDrawCreate) DrawCreate;
    decltype(&::XftDrawDestroy) DrawDestroy;
    decltype(&::XftDrawRect) DrawRect;
    decltype(&::XftDrawStringUtf8) DrawStringUtf8;
};

// Fills xft; false when libXft cannot be loaded.
bool LoadXft(XftLibrary* xft);

#endif
