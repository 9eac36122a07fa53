// Plain text (CF_TEXT) on the clipboard.
#pragma once

// Opens the clipboard without an owner, empties it and puts the text on it; answers the
// CloseClipboard result, 0 when there was no memory or the clipboard could not be opened.
int CopyTextToClipboard(const char* text);
// Puts the text on a clipboard the caller has opened (and emptied); answers whether it did.
bool SetClipboardText(const char* text);
