// Menu and accelerator command ids of the editor, shared by the C++ code and the resource scripts.
// A command's string-table entry has the same id and holds "status hint\ntooltip".
#pragma once

// File
#define CM_FILENEW              2
#define CM_FILEOPEN             3
#define CM_FILESAVE             4
#define CM_FILESAVEAS           5
#define CM_FILESAVEALL          6
#define CM_FILEREVERT           7
#define CM_FILECLOSE            8
#define CM_FILEINFO            11
#define CM_EXIT                13
#define CM_FILEHISTORY         16
#define CM_IMPORT               9   // the earlier line's Import... and Export...
#define CM_EXPORT              10
#define CM_PAGESETUP          208
#define CM_PRINTERSETUP       209
#define CM_PRINT              210
#define CM_PRINTPREVIEW       211

// Edit
#define CM_TOGGLEDOTTED        14
#define CM_FIND                30
#define CM_FINDNEXT            31
#define CM_CUT                 32
#define CM_COPY                33
#define CM_PASTE               34
#define CM_CLEAR               35
#define CM_OPTIONS             36
#define CM_LYRICS              37
#define CM_GOTO                38
#define CM_SELECTALL           39
#define CM_EDITSELECTION       39  // the earlier line: the selected item's own dialog
#define CM_UNDO                40
#define CM_REDO                41
#define CM_ZOOMIN              48
#define CM_ZOOMOUT             49
#define CM_ZOOM                50
#define CM_PROPERTIES          51
#define CM_ALLOWLAYERING       52
#define CM_COPYSPECIAL        221
#define CM_SELECTIONPROPS     224

// Score and staff
#define CM_STAFFINSTRUMENT     27  // the earlier line's Staff Playback Instrument
#define CM_SCOREREVIEW         15
#define CM_MUTELIST            64
#define CM_AUTOBEAM            65
#define CM_TRANSPOSE           66
#define CM_FORCEACCIDENTALS    67
#define CM_REFRESHSTAFF        68
#define CM_REFRESHSCORE        69
#define CM_AUDITBARLINES       70
#define CM_AUDITACCIDENTALS    71
#define CM_AUDITSTEMS          72
#define CM_FINDERRORS          73
#define CM_NEWSTAFF           217
#define CM_DELETESTAFF        218
#define CM_STAFFPROPERTIES    219
#define CM_MUTESTAFF          220
#define CM_MOVESTAFF          223
#define CM_MOVESTAFFUP        226
#define CM_MOVESTAFFDOWN      227

// Play and record
#define CM_PLAY                80
#define CM_STOP                81
#define CM_RECORD             213
#define CM_IMPORTRECORDING    214
#define CM_MIDIINPUT          215
#define CM_PERSISTENTTOOLS    216
#define CM_STAFFPLAY          222

// Note tools
#define CM_NATURAL             96
#define CM_SHARP               97
#define CM_FLAT                98
#define CM_DOUBLESHARP         99
#define CM_DOUBLEFLAT         100
#define CM_WHOLE              101
#define CM_HALF               102
#define CM_QUARTER            103
#define CM_EIGHTH             104
#define CM_SIXTEENTH          105
#define CM_THIRTYSECOND       106
#define CM_SIXTYFOURTH        107
#define CM_LONGER             108
#define CM_SHORTER            109
#define CM_RESETTOOLS         110
#define CM_STEMUP             111
#define CM_STEMDOWN           112
#define CM_BEAM               113
#define CM_SLUR               114
#define CM_TRIPLET            115
#define CM_ACCENT             116
#define CM_STACCATO           117
#define CM_TENUTO             118
#define CM_DOTTED             119
#define CM_DOUBLEDOTTED       120
#define CM_TIED               121
#define CM_ATTRIBUTE10        122
#define CM_ATTRIBUTE11        123
#define CM_GRACE              225

// Insert
#define CM_INSERTNOTE         128
#define CM_INSERTREST         129
#define CM_CHORDMEMBER        130
#define CM_INSERTBARLINE      131
#define CM_INS_BARLINE        144
#define CM_INS_CLEF           145
#define CM_INS_KEYSIG         146
#define CM_INS_TIMESIG        147
#define CM_INS_TEMPO          148
#define CM_INS_DYNAMIC        149
#define CM_INS_PEDAL          150
#define CM_INS_ENDING         151
#define CM_INS_FLOW           152
#define CM_INS_TEMPOVARIANCE  153
#define CM_INS_PERFSTYLE      154
#define CM_INS_DYNVARIANCE    155
#define CM_INS_TEXT           156
#define CM_INS_PATCH          157
#define CM_INS_CONTROLLER     158
#define CM_REMOVECHORDNOTE    212
#define CM_FAST_TREBLE        256
#define CM_FAST_BASS          257
#define CM_FAST_ALTO          258
#define CM_FAST_44            259
#define CM_FAST_34            260
#define CM_FAST_68            261
#define CM_FAST_COMMON        262
#define CM_FAST_ALLABREVE     263
#define CM_FAST_PPP           264
#define CM_FAST_PP            265
#define CM_FAST_P             266
#define CM_FAST_MP            267
#define CM_FAST_MF            268
#define CM_FAST_F             269
#define CM_FAST_FF            270
#define CM_FAST_FFF           271
#define CM_FAST_FERMATA       272
#define CM_FAST_BREATH        273
#define CM_FAST_PEDALDOWN     274
#define CM_FAST_PEDALUP       275

// Help and web
#define CM_HELPCONTENTS       192
#define CM_HELPTOPIC1         193
#define CM_HELPTOPIC2         194
#define CM_HELPTOPIC3         195
#define CM_HELPTOPIC4         196
#define CM_HELPTOPIC5         197
#define CM_HELPTOPIC10        202
#define CM_HELPSEARCH         203
#define CM_USAGETIPS          204
#define CM_ABOUT              205
#define CM_HELPTOPIC11        206
#define CM_WEBHOME            228
#define CM_WEBUPDATES         229

// View and window (the window commands are answered by the framework's MDI client)
#define CM_TOOLBARS         20304
#define CM_FIRSTTOOLBAR     20310
#define CM_LASTTOOLBAR      20399
#define CM_CASCADECHILDREN  24361
#define CM_TILECHILDREN     24362
#define CM_ARRANGEICONS     24363
#define CM_STATUSBAR        32040

// The status bar's window id (the settings store finds the bar by it).
#define IDW_STATUSBAR       32040

// Dialogs and icons.
#define IDD_FILEINFO          531
#define IDD_ZOOM              570
#define IDD_EXPERIMENTALFILE  599
#define IDD_ABOUT             528
#define IDI_MAINFRAME           1
#define IDI_SCORE               2
