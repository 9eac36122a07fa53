// The user-interface texts of an upgrade, one role per line of the ".uui" file.
#pragma once

#include <string>

class TQXTStream;

// Line numbers (from 1) of the roles.
enum class TUpgText : int {
  OperationNames = 1,
  Prefixes = 2,
  Caption = 3,
  CancelButton = 4,
  BuildPhase = 5,
  ReplacePhase = 6,
  GoOnQuestion = 7,
  CancelQuestion = 8,
  AddExists = 9,
  DateDiffers = 10,
  DeleteDiffers = 11,
  ReadOnly = 12,
  Missing = 13,
  Differs = 14,
  PatchReadOnly = 15,
  FatalFirst = 16,
  BuildFatal = 17,
  BuildAsk = 18,
  FatalSecond = 19,
  BuildFatalDetail = 20,
};

class TUpgTexts {
 public:
  static constexpr int kLines = 21;
  static constexpr int kLineMax = 255;

  TUpgTexts();
  // Reads up to 21 lines; longer lines are cut, empty or missing ones become "-|-|-|".
  void Load(TQXTStream& stream);
  const std::string& Line(TUpgText role) const { return lines[static_cast<int>(role) - 1]; }
  // The index-th "|"-separated part of a line (empty when there is none).
  std::string Part(TUpgText role, int index) const;
  std::string OperationName(int operation) const { return Part(TUpgText::OperationNames, operation); }

 private:
  std::string lines[kLines];
};
