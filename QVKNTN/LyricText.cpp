#include "QVKNTN/LyricText.h"

#include <cstdlib>
#include <cstring>

#include "QVKNTN/ReadAheadStream.h"
#include "foundation/QXTStream.h"

namespace {

// Every empty line shares this block. It is one zero byte to its users; the second byte lets a
// cursor placed on the "first record" read a zero separator without leaving the array.
unsigned char gEmptyBlock[2] = {0, 0};

bool IsLyricSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool HasTextAfter(const char* p) {
  for (; *p; ++p)
    if (!IsLyricSpace(*p)) return true;
  return false;
}

// The text an edit control shows in front of a syllable with this separator.
const char* SeparatorText(unsigned char sep) {
  switch (sep) {
    case kLyricSepLineStart: return "";
    case kLyricSepHyphen: return "-";
    case kLyricSepNewLine: return "\r\n";
    case kLyricSepParagraph: return "\r\n\r\n";
    default: return " ";
  }
}

}  // namespace

TLyricText::TLyricText() : block_(gEmptyBlock), capacity_(0), length_(1) {}

TLyricText::~TLyricText() { Clear(); }

bool TLyricText::IsShared() const { return block_ == gEmptyBlock; }

void TLyricText::Clear() {
  if (!IsShared()) std::free(block_);
  block_ = gEmptyBlock;
  capacity_ = 0;
  length_ = 1;
  cut_ = false;
}

bool TLyricText::Grow(int capacity) {
  if (capacity <= capacity_) return true;
  // One spare zero byte past the capacity keeps the last record terminated whatever it holds.
  auto* grown = static_cast<unsigned char*>(std::calloc(static_cast<size_t>(capacity) + 1, 1));
  if (!grown) return false;
  std::memcpy(grown, block_, static_cast<size_t>(length_));
  if (!IsShared()) std::free(block_);
  block_ = grown;
  capacity_ = capacity;
  return true;
}

int TLyricText::Append(const char* syllable, unsigned char separator, bool underscoreIsSpace) {
  if (!syllable) syllable = "";
  const int n = static_cast<int>(std::strlen(syllable));
  const int needed = length_ + n + kAppendSlack;
  if (capacity_ < needed) {
    // A syllable longer than the growth step grows the block to what it needs.
    // A line the file block could not state would be saved damaged: it takes no more.
    if (needed > kMaxCapacity) {
      cut_ = true;
      return 0;
    }
    int capacity = capacity_ + kGrowStep;
    if (capacity < needed) capacity = (needed + kGrowStep - 1) / kGrowStep * kGrowStep;
    if (capacity > kMaxCapacity) capacity = kMaxCapacity;
    if (!Grow(capacity)) return 0;
  }
  unsigned char* rec = block_ + length_;
  rec[0] = (length_ == 1) ? static_cast<unsigned char>(kLyricSepLineStart) : separator;
  for (int i = 0; i < n; ++i) {
    char c = syllable[i];
    if (underscoreIsSpace && c == '_') c = ' ';
    rec[1 + i] = static_cast<unsigned char>(c);
  }
  rec[1 + n] = 0;
  rec[2 + n] = 0;  // the end of the line
  length_ += n + 2;
  return n + 2;
}

int TLyricText::ParseTextLine(const char* line, bool paragraph, bool underscoreIsSpace) {
  const char* p = line;
  while (*p && IsLyricSpace(*p)) ++p;
  if (!*p) return 0;
  unsigned char sep = paragraph ? kLyricSepParagraph : kLyricSepNewLine;
  const size_t bufferSize = std::strlen(p) + 1;
  char* syllable = static_cast<char*>(std::malloc(bufferSize));
  if (!syllable) return 1;
  while (*p) {
    size_t n = 0;
    unsigned char next = 0;
    while (*p) {
      if (IsLyricSpace(*p)) {
        next = kLyricSepSpace;
        ++p;
        break;
      }
      if (*p == '-') {
        // A run of hyphens is text of its own; a single hyphen splits the word when text follows.
        if (p[1] == '-') {
          while (*p == '-') syllable[n++] = *p++;
          continue;
        }
        if (HasTextAfter(p + 1)) {
          next = kLyricSepHyphen;
          ++p;
          break;
        }
      }
      syllable[n++] = *p++;
    }
    syllable[n] = 0;
    Append(syllable, sep, underscoreIsSpace);
    while (*p && IsLyricSpace(*p)) ++p;
    sep = next;
  }
  std::free(syllable);
  return 1;
}

void TLyricText::LoadFromStream(TQXTStream& text, bool underscoreIsSpace) {
  Clear();
  text.Rewind();
  char* piece = static_cast<char*>(std::malloc(kStreamPiece + 1));
  if (!piece) return;
  for (;;) {
    const int got = static_cast<int>(text.Read(piece, kStreamPiece));
    if (got <= 0) break;
    piece[got] = 0;
    ParseTextLine(piece, false, underscoreIsSpace);
    if (got < kStreamPiece) break;
  }
  std::free(piece);
}

int TLyricText::FormatForEdit(char* buffer, int size) const {
  if (!buffer || size <= 0) return 0;
  int limit = size - 1;
  if (limit > kEditTextLimit) limit = kEditTextLimit;
  int out = 0;
  for (TLyric cursor(this, 0); cursor.HasSyllable(); cursor.Next()) {
    const char* prefix = SeparatorText(cursor.Separator());
    const char* text = cursor.Syllable();
    const int need = static_cast<int>(std::strlen(prefix) + std::strlen(text));
    if (out + need > limit) break;
    for (const char* q = prefix; *q; ++q) buffer[out++] = *q;
    for (const char* q = text; *q; ++q) buffer[out++] = (*q == ' ') ? '_' : *q;
  }
  buffer[out] = 0;
  return out;
}

int TLyricText::CountSyllables() const {
  int n = 0;
  for (TLyric cursor(this, 0); cursor.HasSyllable(); cursor.Next()) ++n;
  return n;
}

void TLyricText::Write(TQXTStream& s) const {
  s.WriteInt16(static_cast<int16_t>(capacity_));
  if (capacity_ == 0) return;
  s.WriteInt16(static_cast<int16_t>(length_));
  s.Write(block_, capacity_);
}

bool TLyricText::Read(TQXTStream& s) { return ReadBlock(s); }

bool TLyricText::Read(TReadAheadStream& s) { return ReadBlock(s); }

template <class In>
bool TLyricText::ReadBlock(In& s) {
  Clear();
  const int capacity = static_cast<int16_t>(s.ReadUInt16());
  if (s.IsFailed()) return false;
  if (capacity == 0) return true;
  const int length = static_cast<int16_t>(s.ReadUInt16());
  if (s.IsFailed()) return false;
  if (capacity < 0 || length < 1 || length > capacity) {
    s.SetFail();
    return false;
  }
  if (!Grow(capacity)) {
    s.SetFail();
    return false;
  }
  const int got = static_cast<int>(s.Read(block_, capacity));
  if (got != capacity || s.IsFailed()) {
    s.SetFail();
    Clear();
    return false;
  }
  // The stored length is where the next record goes: whatever lies from there on is not part of
  // the line, so it is cleared and the line always ends terminated.
  length_ = length;
  block_[0] = 0;
  // A last syllable without its zero is ended here, so the next record cannot run into it.
  if (length_ > 1 && block_[length_ - 1] != 0) {
    if (length_ < capacity_) {
      block_[length_++] = 0;
    } else if (capacity_ < kMaxCapacity && Grow(capacity_ + 1)) {
      block_[length_++] = 0;
    } else {
      // A full block of the largest size loses its last character instead: growing it would
      // make a block that the file cannot state.
      block_[length_ - 1] = 0;
    }
  }
  std::memset(block_ + length_, 0, static_cast<size_t>(capacity_ - length_ + 1));
  return true;
}

TLyric::TLyric(const TLyricText* line, int n) { Assign(line, n); }

void TLyric::Assign(const TLyricText* line, int n) {
  line_ = line;
  record_ = line ? line->Block() + 1 : nullptr;
  index_ = 0;
  SeekSyllable(n);
}

bool TLyric::AtEnd() const { return !record_ || !line_ || line_->IsShared() || record_[0] == 0; }

bool TLyric::HasSyllable() const { return !AtEnd(); }

const char* TLyric::Syllable() const {
  if (AtEnd()) return "";
  return reinterpret_cast<const char*>(record_ + 1);
}

const unsigned char* TLyric::PeekNext() const {
  if (AtEnd()) return record_;
  return record_ + 1 + std::strlen(reinterpret_cast<const char*>(record_ + 1)) + 1;
}

void TLyric::Next() {
  if (AtEnd()) return;
  record_ = PeekNext();
  ++index_;
}

void TLyric::Prev() {
  if (!record_ || !line_ || line_->IsShared()) return;
  const unsigned char* first = line_->Block() + 1;
  if (record_ <= first) return;
  // record_[-1] is the zero that ends the previous syllable; its record starts after the zero
  // before that one (the block's leading zero at the latest).
  const unsigned char* p = record_ - 2;
  while (p > line_->Block() && *p != 0) --p;
  record_ = p + 1;
  --index_;
}

void TLyric::SeekSyllable(int n) {
  while (index_ < n && HasSyllable()) Next();
  while (index_ > n && record_ && line_ && record_ > line_->Block() + 1) Prev();
}
