#include "QVKNTN/ScoreFile.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <memory>

#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ReadAheadStream.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "foundation/AllowedProcessors.h"
#include "foundation/QVBusyCursor.h"
#include "foundation/QXTFStream.h"
#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTSegRamStream.h"
#include "foundation/QXTZLibAheadStream.h"
#include "foundation/QXTZLibInStream.h"
#include "foundation/QXTZLibOutStream.h"

namespace {

constexpr const char* kSignature = "[Vellichord Pelmora]";
constexpr const char* kOldSignature = "[Vellichord Software]";
constexpr const char* kProductField = "[Vellichord]";
constexpr const char* kProductName = "Vellichord";
constexpr const char* kNotApplicable = "N/A";
constexpr int kHeaderStringSize = 128;
constexpr int kReservedStringSize = 32;
constexpr int kProductMinLength = 3;
constexpr int kProductMaxLength = 30;
constexpr int kReservedWords = 4;
// Scratch streams of the writer grow in segments of this size.
constexpr uint16_t kScratchSegment = 1024;

int16_t ReadInt16(TQXTStream& s) { return static_cast<int16_t>(s.ReadUInt16()); }

bool EqualIgnoringCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
  return *a == *b;
}

// The current signature must match exactly; the older one is taken in any case, except by the
// earlier line, which knows only its own.
bool SignatureMatches(const char* text) {
  if (std::strcmp(text, kSignature) == 0) return true;
  return !kEarlierLine && EqualIgnoringCase(text, kOldSignature);
}

// Takes the product name from "[name]"; false when the field does not have that form.
bool TakeProductName(const char* field, char* name, int size) {
  const int n = static_cast<int>(std::strlen(field));
  if (n < kProductMinLength || n > kProductMaxLength) return false;
  if (field[0] != '[' || field[n - 1] != ']') return false;
  const int inner = n - 2 < size - 1 ? n - 2 : size - 1;
  std::memcpy(name, field + 1, static_cast<size_t>(inner));
  name[inner] = 0;
  return true;
}

TMusicScore* NewDefaultScore() {
  auto* score = new TMusicScore;
  score->AppendStaff(new TMusicStaff);
  return score;
}

void WriteHeader(TQXTStream& s, const TMusicScore& score) {
  s.WriteString(kSignature);
  s.WriteInt16(0);
  s.WriteString(kProductField);
  s.WriteInt16(kScoreReleaseNumber);
  s.WriteInt16(kScoreHeaderField5);
  // The earlier line keeps the reserved word a file brought with it; no save path of it passes
  // a text for the field after it.
  s.WriteInt16(kEarlierLine ? score.GetReservedWord() : 0);
  s.WriteString(kEarlierLine ? "" : kNotApplicable);
  s.WriteString("");
  for (int i = 0; i < kReservedWords; ++i) s.WriteInt16(0);
  s.WriteInt16(kScoreFormatVersion);
}

void MarkSaved(TMusicScore& score) {
  score.SetConverted(false);
  score.SetFlags(static_cast<unsigned char>(score.GetFlags() & ~TMusicScore::kFlagModified));
}

}  // namespace

void TScoreLoadInfo::Clear() { std::memset(this, 0, sizeof *this); }

int ReadScoreHeader(TQXTStream& s, TScoreLoadInfo& info) {
  int reserved = 0;
  return ReadScoreHeader(s, info, reserved);
}

int ReadScoreHeader(TQXTStream& s, TScoreLoadInfo& info, int& reserved) {
  info.status = slNotRecognised;
  char text[kHeaderStringSize];
  s.ReadString(text, sizeof text);
  if (s.IsFailed() || !SignatureMatches(text)) return 0;
  if (ReadInt16(s) > 0) {
    info.status = s.IsFailed() ? slNotRecognised : slBadHeaderField;
    return 0;
  }
  s.ReadString(text, sizeof text);
  if (s.IsFailed() || !TakeProductName(text, info.name, sizeof info.name)) return 0;
  info.release = ReadInt16(s);
  info.field5 = ReadInt16(s);
  reserved = ReadInt16(s);
  s.ReadString(text, sizeof text);
  s.ReadString(text, kReservedStringSize);
  for (int i = 0; i < kReservedWords; ++i) ReadInt16(s);
  if (s.IsFailed()) return 0;
  if (std::strcmp(info.name, kProductName) != 0) {
    info.status = slWrongProduct;
    return 0;
  }
  const int version = ReadInt16(s);
  if (s.IsFailed()) return 0;
  info.version = version;
  if (version > kScoreFormatVersion) {
    info.status = slTooNew;
    return 0;
  }
  info.status = version == kScoreFormatVersion ? slRead : slConverted;
  return 1;
}

namespace {

template <class In>
TMusicScore* LoadScoreFrom(In& s, TScoreLoadInfo& info, TScoreLoadProgress* progress) {
  info.Clear();
  info.status = slNotRecognised;
  if (s.Size() <= 1) {
    std::strcpy(info.name, kProductName);
    info.version = kScoreFormatVersion;
    info.release = kScoreReleaseNumber;
    info.field5 = kScoreHeaderField5;
    info.status = slNewScore;
    return NewDefaultScore();
  }
  int reserved = 0;
  if (!ReadScoreHeader(s, info, reserved)) return nullptr;
  auto* score = new TMusicScore;
  if (kEarlierLine) score->SetReservedWord(reserved);
  score->Load(s, info.version, progress);
  score->SetConverted(info.status == slConverted);
  if (s.IsFailed()) info.status = slStreamFailed;
  // Each staff was audited as its items were read; only a staff made up here still needs it.
  if (score->StaffCount() == 0) {
    auto* staff = new TMusicStaff;
    score->AppendStaff(staff);
    RunStaffAudit(staff, -1, -1);
  }
  if (kEarlierLine) score->SetExperimental(score->NeedsExperimentalFeatures());
  return score;
}

}  // namespace

TMusicScore* LoadScore(TQXTStream& s, TScoreLoadInfo& info, TScoreLoadProgress* progress) {
  return LoadScoreFrom(s, info, progress);
}

namespace {

// Below this many compressed bytes the expansion is too short to be worth a second thread.
constexpr uint32_t kInflateAheadMinimum = TReadAheadStream::kBlock;
// On a single processor the inflation ahead would only take turns with the reader.
constexpr int kInflateAheadProcessors = 2;

template <class Inflating>
TMusicScore* LoadCompressedBody(Inflating& inflating, TScoreLoadInfo& info, TScoreLoadProgress* progress) {
  TReadAheadStream body(inflating);
  TMusicScore* score = LoadScoreFrom(body, info, progress);
  // Data that breaks after the last byte the reader needed (a bad checksum) still fails it.
  if (score && inflating.IsFailed()) info.status = slStreamFailed;
  return score;
}

// Reads a score from the start of `file`, plain or compressed. The file is read forward in
// blocks as the records are parsed: a copy of the whole file beside the model would add the
// file's size to the memory that loading takes at its peak.
TMusicScore* ReadScoreStream(TQXTStream& file, TScoreLoadInfo& info, TScoreLoadProgress* progress) {
  const uint32_t size = file.Size();
  if (file.IsFailed()) return nullptr;
  const bool compressed = size > 1 && HasZLibHeader(file);
  TMusicScore* score = nullptr;
  if (compressed && size >= kInflateAheadMinimum && AllowedProcessors() >= kInflateAheadProcessors) {
    TQXTZLibAheadStream inflating(&file);
    score = LoadCompressedBody(inflating, info, progress);
  } else if (compressed) {
    TQXTZLibInStream inflating(&file, false);
    score = LoadCompressedBody(inflating, info, progress);
  } else {
    file.Rewind();
    TReadAheadStream body(file);
    score = LoadScoreFrom(body, info, progress);
  }
  // The score keeps the form it was read in, so that Save writes it back the same way.
  if (score) score->SetCompressed(compressed);
  return score;
}

}  // namespace

TMusicScore* ReadScoreImage(const unsigned char* bytes, uint32_t size, TScoreLoadInfo& info,
                            TScoreLoadProgress* progress) {
  info.Clear();
  info.status = slNotRecognised;
  TQXTFlatRamStream file(const_cast<unsigned char*>(bytes), size, size);
  return ReadScoreStream(file, info, progress);
}

TMusicScore* ReadScoreFile(const char* path, TScoreLoadInfo& info, TScoreLoadProgress* progress) {
  TQVBusyCursor busy(true);
  info.Clear();
  info.status = slNotRecognised;
  TQXTFStream file(TQXTFStream::ModeRead | TQXTFStream::ShareRead, path);
  if (!file.IsOpen() || file.IsFailed()) return nullptr;
  return ReadScoreStream(file, info, progress);
}

int WriteScoreHeader(TQXTStream& s, TMusicScore& score, TScoreSaveKind kind) {
  WriteHeader(s, score);
  score.Write(s);
  if (kEarlierLine) score.SetExperimental(score.NeedsExperimentalFeatures());
  if (s.IsFailed()) return 0;
  if (kind == skUserSave) MarkSaved(score);
  return 1;
}

int SaveScoreFile(const char* path, int compress, TMusicScore& score, TScoreSaveKind kind) {
  // The body is built in memory first: the file is touched only when the whole score is ready.
  TQXTSegRamStream body(kScratchSegment);
  WriteScoreHeader(body, score, skAutoSave);
  if (body.IsFailed()) return 0;
  TQXTFStream file(TQXTFStream::ModeWrite, path);
  if (!file.IsOpen() || file.IsFailed()) return 0;
  bool ok;
  if (compress) {
    TQXTZLibOutStream deflating(&file, false);
    deflating.CopyFrom(body);
    deflating.Finish();
    ok = !deflating.IsFailed() && !file.IsFailed();
  } else {
    file.CopyFrom(body);
    file.Flush();
    ok = !file.IsFailed();
  }
  file.Close();
  ok = ok && !file.IsFailed();
  if (ok && kind == skUserSave) MarkSaved(score);
  return ok ? 1 : 0;
}

int ReadScoreInfoOnly(TQXTStream& s, TScoreLoadInfo& info, TScoreInfoBlock& block) {
  info.Clear();
  info.status = slNotRecognised;
  if (s.Size() < 2) return 0;
  if (!ReadScoreHeader(s, info)) return 0;
  TMusicScore scratch;
  scratch.ReadInfo(s, info.version);
  block = scratch.Info();
  return s.IsFailed() ? 0 : 1;
}

int ReadScoreInfoOnly(const char* path, TScoreLoadInfo& info, TScoreInfoBlock& block) {
  info.Clear();
  info.status = slNotRecognised;
  TQXTFStream file(TQXTFStream::ModeRead | TQXTFStream::ShareRead, path);
  if (!file.IsOpen() || file.IsFailed()) return 0;
  if (file.Size() >= 2 && HasZLibHeader(file)) {
    TQXTZLibInStream inflating(&file, false);
    return ReadScoreInfoOnly(inflating, info, block);
  }
  file.Rewind();
  return ReadScoreInfoOnly(file, info, block);
}
