#include "app/ToolbarCommands.h"

#include <cstring>

#include "app/ToolbarState.h"

namespace {

constexpr TToolbarCommand kCommands[] = {
    {2, "File New..."},
    {3, "File Open..."},
    {4, "File Save"},
    {6, "File Save All"},
    {11, "File Info..."},
    {208, "File Page Setup..."},
    {209, "File Printer Setup..."},
    {210, "File Print..."},
    {211, "File Print Preview"},
    {32, "Edit Cut"},
    {33, "Edit Copy"},
    {34, "Edit Paste"},
    {40, "Edit Undo"},
    {41, "Edit Redo"},
    {37, "Edit Lyrics..."},
    {48, "View Zoom In"},
    {49, "View Zoom Out"},
    {50, "View Zoom..."},
    {69, "View Refresh Score"},
    {217, "Staff New"},
    {218, "Staff Delete"},
    {220, "Staff Mute"},
    {80, "Midi Play"},
    {81, "Midi Stop"},
    {213, "Midi Record"},
    {215, "Midi Input Active"},
    {216, "Persistent Note Tools"},
    {101, "Note1: Whole"},
    {102, "Note2: Half"},
    {103, "Note3: Quarter"},
    {104, "Note4: Eighth"},
    {105, "Note5: Sixteenth"},
    {106, "Note6: Thirty-second"},
    {107, "Note7: Sixty-fourth"},
    {96, "Accidental: Natural"},
    {97, "Accidental: Sharp"},
    {98, "Accidental: Flat"},
    {99, "Accidental: Double Sharp"},
    {100, "Accidental: Double Flat"},
    {119, "Note Attribute: Dotted"},
    {120, "Note Attribute: Double Dotted"},
    {121, "Note Attribute: Tied"},
    {114, "Note Attribute: Slur"},
    {113, "Note Attribute: Beam"},
    {115, "Note Attribute: Triplet"},
    {116, "Note Attribute: Accent"},
    {117, "Note Attribute: Staccato"},
    {118, "Note Attribute: Tenuto"},
    {225, "Note Attribute: Grace"},
    {111, "Note Stem: Up"},
    {112, "Note Stem: Down"},
    {146, "Insert Key Signature..."},
    {148, "Insert Tempo Mark..."},
    {151, "Insert Special Ending..."},
    {256, "Fast Insert: Treble Clef"},
    {257, "Fast Insert: Bass Clef"},
    {258, "Fast Insert: Alto Clef"},
    {259, "Fast Insert: 4/4 Time"},
    {260, "Fast Insert: 3/4 Time"},
    {261, "Fast Insert: 6/8 Time"},
    {262, "Fast Insert: Common Time"},
    {263, "Fast Insert: Alla Breve"},
    {264, "Fast Insert: ppp"},
    {265, "Fast Insert: pp"},
    {266, "Fast Insert: p"},
    {267, "Fast Insert: mp"},
    {268, "Fast Insert: mf"},
    {269, "Fast Insert: f"},
    {270, "Fast Insert: ff"},
    {271, "Fast Insert: fff"},
    {272, "Fast Insert: Fermata"},
    {273, "Fast Insert: Breath Mark"},
    {274, "Fast Insert: Pedal Down"},
    {275, "Fast Insert: Pedal Release"},
    {24361, "Window Cascade"},
    {24363, "Window Arrange Icons"},
};
static_assert(sizeof kCommands / sizeof kCommands[0] == 76, "the toolbar command menu holds 76 commands");

constexpr uint16_t S = kToolbarFileSeparator;
constexpr uint16_t kFile[] = {2,   3,   4,   210, S,   32,  33,  34,  40,  41, 48, 49, 24361,
                              11,  69,  217, 218, 220, 37,  S,   213, 80,  81, 216, 215};
constexpr uint16_t kNotes[] = {96,  98,  97,  99,  100, S,   101, 102, 103, 104, 105, 106, 107,
                               S,   119, 114, 121, 117, 118, 116, 113, 115, 225, 111, 112};
constexpr uint16_t kInsert[] = {256, 257, 258, 146, 148, 151, 259, 260, 261, 262, 263, S,  271,
                                270, 269, 268, 267, 266, 265, 264, S,   272, 273, 274, 275};
constexpr uint16_t kXtra[] = {6, 208, 209, 211, 120, 50, 24363};

constexpr TFactoryToolbar kFactory[kFactoryToolbarCount] = {
    {"File", 0x2800, kFile, sizeof kFile / sizeof kFile[0]},
    {"Notes", 0x2800, kNotes, sizeof kNotes / sizeof kNotes[0]},
    {"Insert", 0x2800, kInsert, sizeof kInsert / sizeof kInsert[0]},
    {"Xtra", 0x1400, kXtra, sizeof kXtra / sizeof kXtra[0]},
};

}  // namespace

const TToolbarCommand* ToolbarCommands() { return kCommands; }

int ToolbarCommandCount() { return static_cast<int>(sizeof kCommands / sizeof kCommands[0]); }

const TToolbarCommand* FindToolbarCommand(int id) {
  for (const TToolbarCommand& c : kCommands) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

int FindToolbarCommandByText(const char* text) {
  if (!text) return 0;
  for (int i = ToolbarCommandCount() - 1; i >= 0; --i) {
    if (std::strcmp(kCommands[i].text, text) == 0) return kCommands[i].id;
  }
  return 0;
}

const TFactoryToolbar* FactoryToolbar(int n) {
  if (n < 0 || n >= kFactoryToolbarCount) return nullptr;
  return &kFactory[n];
}
