#pragma once
// One lyric line (verse) in its compact record form, and a cursor over its syllables.
//
// The block starts with one zero byte, followed by records [separator][syllable][0]; a zero
// separator ends the line. An empty line points at a shared block that is never freed or written.

#include <cstdint>

class TQXTStream;
class TReadAheadStream;

// Separator bytes of a syllable record.
enum : unsigned char {
  kLyricSepLineStart = 1,    // first syllable of the lyric line
  kLyricSepParagraph = 10,   // first syllable after an empty text line
  kLyricSepNewLine = 13,     // first syllable of a new text line
  kLyricSepSpace = ' ',      // the syllable followed whitespace
  kLyricSepHyphen = '-',     // the syllable followed a hyphen
};

class TLyricText {
public:
  // The growth step of the block, and the room Append keeps beyond the record it adds.
  static constexpr int kGrowStep = 1024;
  static constexpr int kAppendSlack = 6;
  // The file block states its capacity and length as int16: a line never grows past this.
  static constexpr int kMaxCapacity = 32767;
  // The edit control's text is built in a buffer of this size and stops before this many characters.
  static constexpr int kEditBufferSize = 32766;
  static constexpr int kEditTextLimit = 0x7ff0;
  // LoadFromStream parses the text in pieces of at most this many bytes.
  static constexpr int kStreamPiece = 32000;

  TLyricText();
  ~TLyricText();
  TLyricText(const TLyricText&) = delete;
  TLyricText& operator=(const TLyricText&) = delete;

  void Clear();
  // Grows the block to at least the given capacity (a zeroed block with the old bytes copied).
  bool Grow(int capacity);
  // Appends one syllable record; answers the bytes added (0 when memory ran out or the line
  // would pass the most its file block can hold).
  int Append(const char* syllable, unsigned char separator, bool underscoreIsSpace);
  // Parses one text line into syllables; answers 0 for a line holding only whitespace, else 1.
  int ParseTextLine(const char* line, bool paragraph, bool underscoreIsSpace);
  // Clears the line, rewinds the stream and parses its text in pieces.
  void LoadFromStream(TQXTStream& text, bool underscoreIsSpace);
  // Builds the edit-control form of the line into buffer (terminated); answers its length.
  int FormatForEdit(char* buffer, int size) const;

  const unsigned char* Block() const { return block_; }
  int Capacity() const { return capacity_; }
  int Length() const { return length_; }
  bool IsShared() const;
  int CountSyllables() const;
  // Set when Append refused a syllable because the line was full; Clear resets it.
  bool WasCut() const { return cut_; }

  // The line's file block: int16 capacity, then (when non-zero) int16 length and the block.
  void Write(TQXTStream& s) const;
  // Reads one block. A block that is not sound (negative capacity, length outside 1..capacity)
  // fails the stream and leaves the line empty; a good block always ends terminated.
  bool Read(TQXTStream& s);
  bool Read(TReadAheadStream& s);
  // Reads one block and drops it, keeping the stream in step.
  template <class In>
  static bool Skip(In& s) {
    TLyricText dropped;
    return dropped.Read(s);
  }

#ifdef _WIN32
  // Rebuilds the line from a multi-line edit control, line by line.
  void LoadFromEdit(void* editWindow, bool underscoreIsSpace);
  void ShowInEdit(void* editWindow) const;
#endif

private:
  template <class In>
  bool ReadBlock(In& s);

  unsigned char* block_;
  int capacity_;
  int length_;
  bool cut_ = false;
};

// A cursor over the syllables of one line.
class TLyric {
public:
  TLyric() = default;
  TLyric(const TLyricText* line, int n);
  void Assign(const TLyricText* line, int n);

  bool HasSyllable() const;
  unsigned char Separator() const { return record_ ? record_[0] : 0; }
  const char* Syllable() const;
  int Index() const { return index_; }
  // The next record, or the current one at the end of the line.
  const unsigned char* PeekNext() const;
  void Next();
  void Prev();
  void SeekSyllable(int n);

private:
  bool AtEnd() const;

  const TLyricText* line_ = nullptr;
  const unsigned char* record_ = nullptr;
  int index_ = 0;
};
