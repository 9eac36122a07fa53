// Character tests, in-place trimming and the helpers for double-NUL-terminated string lists
// (entries "a\0b\0\0") that list boxes and the vocabulary tables share.
#pragma once

#include <cstddef>

bool IsDigitChar(char c);
bool IsAlnumChar(char c);

// 1 when the text reads as a number: optional leading sign, digits, one '.' when fractions are
// allowed, blanks around it but none between digits.
int IsNumberText(const char* text, bool allowFraction);

// In-place edits; a null text is left alone.
void StripBlanksAndDashes(char* text);
void CollapseRepeatedChars(char* text, const char* set);
void StrTrimLeft(char* text);
void StrTrimRight(char* text);
void StrTrim(char* text);
void StrTrimLeftSet(char* text, const char* set);
void StrTrimRightSet(char* text, const char* set);

// Copies at most size - 1 characters and always terminates; size 0 writes nothing.
char* StrCopyMax(char* buffer, const char* text, size_t size);

// Double-NUL lists.
const char* GetNthMultiString(const char* list, int n);
int FindMultiStringIndex(const char* list, const char* text, bool ignoreCase, int defaultIndex);

// Number of fields the separator splits the text into; 0 for a null text.
int CountSeparatedFields(const char* text, char separator);

// ASCII case-insensitive comparison that does not depend on the C library's locale.
int CompareNoCase(const char* a, const char* b);
int CompareNoCaseN(const char* a, const char* b, size_t n);
