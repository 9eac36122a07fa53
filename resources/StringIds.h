// String-table ids of the message boxes: a caption id and one or more consecutive text ids
// whose texts join into one printf format. Shared by the C++ code and resources/editor/strings.rc.
// String resources are stored in blocks of 16 ids (8192-8207, 8208-8223, ...): every id of a block
// must be defined in the same .rc file, so ids 8192-8287 belong to strings.rc.
#pragma once

#define IDS_FILE_OPEN                    8192
#define IDS_FILE_TYPE_UNKNOWN            8193
#define IDS_FILE_OPEN_FAILED             8194
#define IDS_FILE_FROM_NEWER_APP          8195
#define IDS_FILE_NEWER_VERSION           8196
#define IDS_FILE_CANNOT_LOAD             8197
#define IDS_FILE_OLDER_FORMAT            8198
#define IDS_FILE_LOAD_ERROR              8199
#define IDS_FILE_SAVE                    8202
#define IDS_FILE_SAVE_FAILED             8203
#define IDS_MEMORY_CRITICAL              8204
#define IDS_MEMORY_CRITICAL_TEXT         8205
#define IDS_PASTE_ERROR                  8215
#define IDS_PASTE_ERROR_TEXT             8216
#define IDS_OPERATION_ERROR              8217
#define IDS_OPERATION_ERROR_TEXT         8218
#define IDS_STAFF_CAPACITY               8219
#define IDS_STAFF_CAPACITY_TEXT          8220
#define IDS_BACKUP_FAILED                8227
#define IDS_BACKUP_FAILED_TEXT           8228
#define IDS_NO_PLAY_DEVICES              8234
#define IDS_NO_PLAY_DEVICES_TEXT         8235
#define IDS_NO_PLAY_DEVICES_TEXT2        8236
#define IDS_NO_PLAY_DEVICES_TEXT3        8237
#define IDS_SAVE_RECOMMENDATION          8238
#define IDS_SAVE_RECOMMENDATION_TEXT     8239
#define IDS_SAVE_RECOMMENDATION_TEXT2    8240
#define IDS_PRINT_MARGINS                8244
#define IDS_PRINT_MARGINS_TEXT           8245
#define IDS_BITMAP_COPY                  8246
#define IDS_BITMAP_COPY_TEXT             8247
#define IDS_MIDI_PLAY_WARNING            8249
#define IDS_MIDI_PLAY_WARNING_TEXT       8250
#define IDS_MIDI_PLAY_WARNING_TEXT2      8251
#define IDS_PRINT_PAGE_IMPOSSIBLE_TEXT   8252
#define IDS_PRINT_FAILED                 8253
#define IDS_PRINT_FAILED_TEXT            8254
#define IDS_PREVIEW_COPY                 8256
#define IDS_PREVIEW_COPY_TEXT            8257
#define IDS_PREVIEW_COPY_TEXT2           8258
#define IDS_MIDI_DEVICE_WARNING          8259
#define IDS_MIDI_DEVICES_FAIL            8260
#define IDS_MIDI_INPUT_FAILS             8261
#define IDS_MIDI_PORT_SHARING            8262
#define IDS_NO_RECORD_DEVICE             8263
#define IDS_NO_RECORD_DEVICE_TEXT        8264
#define IDS_NO_RECORD_DEVICE_TEXT2       8265
#define IDS_NO_RECORDING_DATA            8266
#define IDS_NO_RECORDING_DATA_TEXT       8267
#define IDS_FULL_SONG                    8268
#define IDS_FULL_SONG_TEXT               8269
#define IDS_EXPERIMENTAL_FILE            8270
#define IDS_EXPERIMENTAL_FILE_TEXT       8271
#define IDS_ERROR_DETECTED               8272
#define IDS_NO_DEFAULT_PRINTER           8273
#define IDS_TRANSPOSE_ERROR              8274
#define IDS_TRANSPOSE_ERROR_TEXT         8275
#define IDS_EXPORT_FAILED                8276
#define IDS_EXPORT_FAILED_TEXT           8277

// Toolbar messages; ids 20288-20303 belong to toolbars.rc.
#define IDS_TOOLBARS_DAMAGED             20288
#define IDS_TOOLBARS_DAMAGED_TEXT        20289
#define IDS_TOOLBAR_NAME_ERROR           20290
#define IDS_TOOLBAR_NAME_NOT_UNIQUE      20291
#define IDS_TOOLBAR_DELETE_QUESTION      20292
#define IDS_TOOLBAR_RESTORE_CAPTION      20293
#define IDS_TOOLBAR_RESTORE_QUESTION     20294
