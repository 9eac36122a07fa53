// Repair of a binary file that went through a text-mode transfer, which turned every LF into
// CR LF: the test whether a file can be such a file, and the undoing of the translation.
#pragma once

// 1 when the file opens and holds no LF that lacks a CR before it (an LF right after an
// accepted LF counts as accepted); 0 otherwise.
int IsCrLfTranslated(const char* path);

// Copies source to target with every CR LF written as LF and every other byte unchanged.
// 0 at the first LF without a CR before it, when the source does not open or writing fails;
// a partly written target is left for the caller to delete.
int UndoCrLfTranslation(const char* source, const char* target);
