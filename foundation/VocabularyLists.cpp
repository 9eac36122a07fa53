#include "foundation/VocabularyLists.h"

#include <cstring>

// Entries are NUL-separated and each list ends with an empty entry. Texts are code page 1252:
// "\xF9" is u-grave.
namespace {
constexpr char kList0[] = "Printer Default\0Active Staff\0Inactive Staff\0Hidden Notation\0Play Highlight\0Highlight 1\0Highlight 2\0Highlight 3\0";
constexpr char kList1[] = "Standard\0Upper Grand Staff\0Lower Grand Staff\0Orchestral\0";
constexpr char kList2[] = "Default\0Highlight 1\0Highlight 2\0Highlight 3\0";
constexpr char kList3[] = "Default\0Always\0On Top Staff\0Never\0";
constexpr char kList4[] = "Treble Clef\0Bass Clef\0Alto Clef\0Tenor Clef\0";
constexpr char kList5[] = "Single\0Double\0Section Open\0Section Close\0Local Repeat Open\0Local Repeat Close\0Master Repeat Open\0Master Repeat Close\0";
constexpr char kList6[] = "Section Close\0Master Repeat Close\0Single\0Double\0Open (hidden)\0";
constexpr char kList7[] = "Coda\0Segno\0Fine\0To Coda\0Da capo\0D.C. al Coda\0D.C. al Fine\0Dal Segno\0D.S. al Coda\0D.S. al Fine\0";
constexpr char kList8[] = "A\0B\0C\0D\0E\0F\0G\0";
constexpr char kList9[] = "Whole\0Half\0Quarter\0Eighth\0Sixteenth\0Thirtysecond\0Sixtyfourth\0";
constexpr char kList10[] = "Default\0Up\0Down\0";
constexpr char kList11[] = "Default\0Always\0Never\0";
constexpr char kList12[] = "Beam\0Triplet\0Slur1\0";
constexpr char kList13[] = "Not Present\0First\0Middle\0End\0";
constexpr char kList14[] = "Upward Tie\0Downward Tie\0";
constexpr char kList15[] = "Accented\0Dotted\0Staccato\0Tie Out\0Tie In\0Chord Mem\0";
constexpr char kList16[] = "#\0b\0nat\0X\0bb\0 \0";
constexpr char kList17[] = "Pianissimo (ppp)\0Pianissimo\0Piano\0Mezzo piano\0Mezzo forte\0Forte\0Fortissimo\0Fortissimo (fff)\0";
constexpr char kList18[] = "ppp\0pp\0p\0mp\0mf\0f\0ff\0fff\0";
constexpr char kList19[] = "Crescendo\0Decrescendo\0Diminuendo\0Rinforzando\0Sforzando\0";
constexpr char kList20[] = "cresc.\0decresc.\0dim.\0rfz\0sfz\0";
constexpr char kList21[] = "Tempo\0Volume\0Stereo Pan\0Breath Control\0Pitch Bend\0Modulation Wheel\0Foot Controller\0Portamento Time\0Data Entry MSB\0Balance\0Expression\0Effect Controller 1\0Effect Controller 2\0Effects (Reverb) Depth\0Tremolo Depth\0Chorus Depth\0Celeste Detune Depth\0Phaser Depth\0";
constexpr char kList22[] = "tempo\0vol\0pan\0bc\0pitch\0mod-wheel\0foot-ctrl\0portamento\0data-entry-msb\0bal\0expression\0effect1\0effect2\0reverb\0tremolo\0chorus\0detune\0phaser\0";
constexpr char kList23[] = "Absolute\0Linear Sweep\0";
constexpr char kList24[] = "Standard Signature\0Common Time\0Alla Breve\0";
constexpr char kList25[] = "Eighth\0Dotted Eighth\0Quarter\0Dotted Quarter\0Half\0Dotted Half\0";
constexpr char kList26[] = "Breath Mark\0Fermata\0Accelerando\0Allargando\0Rallentando\0Ritardando\0Ritenuto\0Rubato\0Stringendo\0";
constexpr char kList27[] = "I\0y\0accel.\0allarg.\0rall.\0ritard.\0rit.\0rubato\0string.\0";
constexpr char kList28[] = "Ad Libitum\0Animato\0Cantabile\0Con brio\0Dolce\0Espressivo\0Grazioso\0Legato\0Maestoso\0Marcato\0Meno mosso\0Poco a poco\0Pi\xF9"" mosso\0Semplice\0Simile\0Solo\0Sostenuto\0Sotto Voce\0Staccato\0Subito\0Tenuto\0Tutti\0Volta Subito\0";
constexpr char kList29[] = "ad lib.\0animato\0cantabile\0con brio\0dolce\0espress.\0grazioso\0legato\0maestoso\0marc.\0meno mosso\0poco a poco\0pi\xF9"" mosso\0semplice\0simile\0solo\0sostenuto\0sotto voce\0staccato\0subito\0tenuto\0tutti\0volta subito\0";
constexpr char kList30[] = "Left\0Center\0Right\0";
constexpr char kList31[] = "None\0Octave Up\0Octave Down\0";
constexpr char kList32[] = "best fit\0before other staff signatures\0after other staff signatures\0at next note/bar\0";
constexpr char kList33[] = "None\0Plain\0Circled\0Boxed\0";
constexpr char kList34[] = "Staff Italic\0Staff Bold\0Staff Lyric\0Page Title Text\0Page Text\0Page Small Text\0User 1\0User 2\0User 3\0User 4\0User 5\0User 6\0";
constexpr char kList35[] = "Bottom\0Top\0";
constexpr char kList36[] = "Default\0Upward\0Downward\0";
constexpr char kList37[] = "Start of Accidental/Note\0Standard Rules\0";
constexpr char kList38[] = "Pedal Down\0Pedal Released\0";

constexpr const char* kLists[kVocabularyListCount] = {
    kList0,  kList1,  kList2,  kList3,  kList4,  kList5,  kList6,  kList7,  kList8,  kList9,
    kList10, kList11, kList12, kList13, kList14, kList15, kList16, kList17, kList18, kList19,
    kList20, kList21, kList22, kList23, kList24, kList25, kList26, kList27, kList28, kList29,
    kList30, kList31, kList32, kList33, kList34, kList35, kList36, kList37, kList38,
};

constexpr char kMissing[] = "***\0";

}  // namespace

const char* GetTableString(int list) {
  if (list < 0 || list >= kVocabularyListCount) return kMissing;
  return kLists[list];
}

const char* GetListEntry(int list, int entry) {
  if (list < 0 || list >= kVocabularyListCount) return kMissing;
  if (entry < 0) entry = 0;
  const char* p = kLists[list];
  for (int i = 0; i < entry; ++i) {
    if (!*p) return kMissing;
    p += std::strlen(p) + 1;
  }
  return *p ? p : kMissing;
}

int GetListEntryCount(int list) {
  if (list < 0 || list >= kVocabularyListCount) return 0;
  int n = 0;
  for (const char* p = kLists[list]; *p; p += std::strlen(p) + 1) ++n;
  return n;
}
