// The program's vocabulary: 39 fixed lists of display names (colour roles, clefs, bar lines,
// durations, dynamics, controllers, fonts ...), each a double-NUL-terminated list in code page
// 1252, looked up by list and entry.
#pragma once

enum TVocabularyList {
  kVocabColourRoles = 0,
  kVocabStaffStyles = 1,
  kVocabHighlights = 2,
  kVocabDefaultAlwaysOnTopNever = 3,
  kVocabClefs = 4,
  kVocabBarLines = 5,
  kVocabEndBarLines = 6,
  kVocabFlowDirections = 7,
  kVocabNoteLetters = 8,
  kVocabDurations = 9,
  kVocabStemDirections = 10,
  kVocabDefaultAlwaysNever = 11,
  kVocabGroupings = 12,
  kVocabGroupPositions = 13,
  kVocabTieDirections = 14,
  kVocabNoteAttributes = 15,
  kVocabAccidentals = 16,
  kVocabDynamicLevels = 17,
  kVocabDynamicLevelMarks = 18,
  kVocabDynamicVariances = 19,
  kVocabDynamicVarianceMarks = 20,
  kVocabControllers = 21,
  kVocabControllerMarks = 22,
  kVocabControlShapes = 23,
  kVocabTimeSignatureStyles = 24,
  kVocabBeatUnits = 25,
  kVocabTempoVariances = 26,
  kVocabTempoVarianceMarks = 27,
  kVocabPerformanceStyles = 28,
  kVocabPerformanceStyleMarks = 29,
  kVocabAlignments = 30,
  kVocabOctaveShifts = 31,
  kVocabSignaturePlacements = 32,
  kVocabMeasureNumberStyles = 33,
  kVocabTextFonts = 34,
  kVocabBottomTop = 35,
  kVocabDefaultUpwardDownward = 36,
  kVocabAccidentalRules = 37,
  kVocabPedalMarks = 38,
  kVocabularyListCount = 39
};

// The whole list (its first entry); a list index out of range answers a list holding "***".
const char* GetTableString(int list);
// The entry, or "***" when the list has fewer entries or the list index is out of range;
// a negative entry index answers entry 0.
const char* GetListEntry(int list, int entry);
// Entries in the list; 0 for a list index out of range.
int GetListEntryCount(int list);
