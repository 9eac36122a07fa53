// String-table ids of the MIDI device manager's message boxes (texts in
// resources/editor/midi_strings.rc). Ids 8448-8463 form one block of the string table.
#pragma once

#define IDS_MIDI_ENGINE_ERROR          8448
#define IDS_MIDI_ENGINE_MISSING_TEXT   8449
#define IDS_MIDI_PATCH_CACHE           8450
#define IDS_MIDI_PATCH_CACHE_TEXT      8451
