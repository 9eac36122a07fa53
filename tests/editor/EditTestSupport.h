// What the editing tests share: a score's bytes as the score file writes them (to compare a
// score before and after an edit and its undo), and a sink that counts "modified" calls.
#pragma once

#include <cstdint>
#include <vector>

#include "QVKNTN/MusicScore.h"
#include "editor/ScoreEditing.h"
#include "foundation/QXTSegRamStream.h"

inline std::vector<unsigned char> ScoreBytes(const TMusicScore& score) {
  TQXTSegRamStream s(1000);
  score.Write(s);
  std::vector<unsigned char> bytes(s.Size());
  s.Rewind();
  if (!bytes.empty()) s.Read(bytes.data(), static_cast<uint32_t>(bytes.size()));
  return bytes;
}

struct TModifiedCount : TScoreEditing::TModifiedSink {
  int count = 0;
  void SetModified() override { ++count; }
};
