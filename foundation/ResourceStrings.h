// Texts of the program's string table. The host build has no resources: every load fails.
#pragma once

// Copies string resource id into the buffer (at most size - 1 characters, terminated) and
// answers its length; 0 when the id has no text.
int LoadResourceText(unsigned id, char* buffer, int size);
