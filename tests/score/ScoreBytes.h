#pragma once
// Builds score-file bytes by hand, field by field, the way the record layouts describe them, and
// reads streams back into byte vectors.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/ScoreFile.h"
#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTSegRamStream.h"

struct TScoreBytes {
  std::vector<unsigned char> bytes;

  TScoreBytes& Byte(int v) {
    bytes.push_back(static_cast<unsigned char>(v & 0xFF));
    return *this;
  }
  TScoreBytes& Int16(int v) { return Byte(v).Byte(v >> 8); }
  TScoreBytes& Str(const std::string& s) {
    bytes.insert(bytes.end(), s.begin(), s.end());
    return Byte(0);
  }
  TScoreBytes& Raw(const std::vector<unsigned char>& b) {
    bytes.insert(bytes.end(), b.begin(), b.end());
    return *this;
  }
  // The file header up to and including the format version.
  TScoreBytes& Header(int version, const std::string& signature = "[Vellichord Pelmora]",
                      const std::string& product = "[Vellichord]", int field2 = 0) {
    Str(signature).Int16(field2).Str(product).Int16(331).Int16(2).Int16(0).Str("N/A").Str("");
    for (int i = 0; i < 4; ++i) Int16(0);
    return Int16(version);
  }
};

// A read view over bytes; the bytes must outlive it.
inline TQXTFlatRamStream ViewOf(std::vector<unsigned char>& bytes) {
  return TQXTFlatRamStream(bytes.data(), static_cast<uint32_t>(bytes.size()), static_cast<uint32_t>(bytes.size()));
}

inline std::vector<unsigned char> BytesOf(TQXTStream& s) {
  std::vector<unsigned char> out(s.Size());
  s.Rewind();
  s.Read(out.data(), static_cast<uint32_t>(out.size()));
  return out;
}

// Loads a score from bytes through the stream reader.
inline std::unique_ptr<TMusicScore> LoadScoreBytes(std::vector<unsigned char> bytes, TScoreLoadInfo& info) {
  TQXTFlatRamStream s = ViewOf(bytes);
  return std::unique_ptr<TMusicScore>(LoadScore(s, info, nullptr));
}

// The bytes a save writes (the writer's own; the score's flags are cleared as after a save).
inline std::vector<unsigned char> SaveScoreBytes(TMusicScore& score, TScoreSaveKind kind = skUserSave) {
  TQXTSegRamStream s(1024);
  WriteScoreHeader(s, score, kind);
  return BytesOf(s);
}
