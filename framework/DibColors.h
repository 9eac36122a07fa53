// Bitmap colours for 16- and 256-colour displays: a DIB's background entry recoloured, colour
// masks, and identity palettes that map straight onto the system palette.
#pragma once
#include <windows.h>
#include <memory>

class TBitmap;
class TDib;

// The colour-table entry the DIB's background uses: the upper four bits of its first pixel byte.
int GetDibBackgroundIndex(const TDib& dib);
COLORREF GetDibBackgroundColor(const TDib& dib);
// Sets the background entry to the colour and answers a device bitmap of the DIB made with the
// default palette.
std::unique_ptr<TBitmap> RecolorDibBackground(TDib& dib, COLORREF color);
// A monochrome bitmap of the same size, white where the bitmap has the colour, black elsewhere.
std::unique_ptr<TBitmap> MakeColorMask(const TBitmap& bitmap, COLORREF color);

// On a 256-entry palette device: fills in the static entries of the 256 palette entries from the
// system palette (only black and white with SYSPAL_NOSTATIC) and marks the others
// PC_NOCOLLAPSE. Answers false (entries untouched) on any other device.
bool BuildIdentityPalette(PALETTEENTRY (&entries)[256]);
// Clears the system palette's non-static entries by realising a palette of PC_NOCOLLAPSE entries
// on the screen once.
void ResetSystemPalette();
