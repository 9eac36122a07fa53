#pragma once
// The ".qvk" score file: header with its revision check, body, plain or "[QVZ]"-compressed.

#include <cstdint>

#include "QVKNTN/EditorLine.h"
#include "QVKNTN/MusicScore.h"

class TQXTStream;

// The format version the writer produces; the reader takes every version up to it. The earlier
// line writes version 9 under its own release number and refuses anything newer.
constexpr int kCurrentFormatVersion = 16;
constexpr int kEarlierFormatVersion = 9;
constexpr int kScoreFormatVersion = kEarlierLine ? kEarlierFormatVersion : kCurrentFormatVersion;
constexpr int kScoreReleaseNumber = kEarlierLine ? 311 : 331;
constexpr int kScoreHeaderField5 = 2;

enum TScoreLoadStatus {
  slNewScore = 0,        // empty stream: a new default score was built
  slRead = 1,            // current version, read
  slConverted = 2,       // older version, read and converted
  slNotRecognised = 3,   // not a score file
  slTooNew = 4,          // version above the current one: refused
  slBadHeaderField = 5,  // the int16 after the first string is positive: refused
  slWrongProduct = 6,    // another product's file: refused
  slStreamFailed = 7,    // the body could not be read whole; the partly read score is returned
};

struct TScoreLoadInfo {
  char name[128];
  int version;
  int release;
  int field5;
  int status;

  void Clear();
};

// Shows the progress texts of a load; Win32 hands a status-bar window, tests record the texts.
class TScoreLoadProgress {
public:
  virtual ~TScoreLoadProgress() = default;
  // A null text clears the display.
  virtual void ShowText(const char* text) = 0;
};

// `progress`, when given, shows which staff is being read and audited.
TMusicScore* ReadScoreFile(const char* path, TScoreLoadInfo& info, TScoreLoadProgress* progress = nullptr);
// The same reading over a file's bytes already in memory, plain or compressed.
TMusicScore* ReadScoreImage(const unsigned char* bytes, uint32_t size, TScoreLoadInfo& info,
                            TScoreLoadProgress* progress = nullptr);
TMusicScore* LoadScore(TQXTStream& s, TScoreLoadInfo& info, TScoreLoadProgress* progress);
int ReadScoreHeader(TQXTStream& s, TScoreLoadInfo& info);
// The same, also answering the reserved word of the header.
int ReadScoreHeader(TQXTStream& s, TScoreLoadInfo& info, int& reserved);

// Saves through a user command (clears the converted and modified flags on success) or as an
// automatic copy (leaves the flags alone).
enum TScoreSaveKind { skUserSave, skAutoSave };
int SaveScoreFile(const char* path, int compress, TMusicScore& score, TScoreSaveKind kind = skUserSave);
int WriteScoreHeader(TQXTStream& s, TMusicScore& score, TScoreSaveKind kind = skUserSave);

// Reads the header and only the score information; copies the information block to `block`.
int ReadScoreInfoOnly(TQXTStream& s, TScoreLoadInfo& info, TScoreInfoBlock& block);
int ReadScoreInfoOnly(const char* path, TScoreLoadInfo& info, TScoreInfoBlock& block);
