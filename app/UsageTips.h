// The usage tips of "qvktips.tip": plain text in which a line beginning with "!newtip" starts a
// tip, optionally naming a help macro after "help=", and the lines after it are the tip's text.
#pragma once
#include <cstddef>
#include <string>

class TUsageTips {
public:
  static constexpr int kMaxTips = 30000;
  // Lines are cut at this many characters when counting and when showing.
  static constexpr int kCountLineRoom = 256;
  static constexpr int kShowLineRoom = 2049;
  // The shown text is held in a buffer of this size, joined lines cut where it is full.
  static constexpr size_t kTextRoom = 2048;
  static constexpr size_t kMacroRoom = 256;

  // The file's bytes (a missing file gives none: no tips).
  void Load(std::string bytes);
  int Count() const { return count_; }

  // Tip k counted from 1: its text with lines joined by "\r\n" and its help macro (empty when
  // its "!newtip" line has no "help="). False when there is no such tip.
  bool Get(int k, char (&text)[kTextRoom], char (&macro)[kMacroRoom]) const;

  // The tip number after a step of +1 or -1 from `current`, wrapping at both ends; 0 without tips.
  static int Step(int current, int step, int count);

private:
  // Reads one line from `at`, storing at most room - 1 characters; answers false at the end.
  bool NextLine(size_t& at, char* line, size_t room) const;

  std::string bytes_;
  int count_ = 0;
};

bool IsNewTipLine(const char* line);
