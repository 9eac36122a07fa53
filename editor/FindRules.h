// Find and Goto on the current staff without their dialogs: the find settings of the run, the
// category list, matching an item's text against a '*'-separated expression, and the search
// from the caret; the bar numbers Goto shows and seeks.
#pragma once

#include <string>

class TMusicStaff;

struct TQVEditFindData {
  static constexpr int kTextSize = 512;
  enum Mode { kNothing = 0, kByExpression = 1, kByCategory = 2 };

  int mode = kNothing;
  char text[kTextSize] = {};
  int category = 0;

  // Copies at most kTextSize - 1 characters; an empty text leaves nothing to find.
  void SetExpression(const char* expression);
  void SetCategory(int index);
};

constexpr int kFindCategoryCount = 16;
// The category list in its list-box order.
const char* FindCategoryName(int index);

// Whether every non-empty field of the expression (split at '*') occurs in the text, each after
// the end of the one before it.
bool MatchFindExpression(const std::string& text, const char* expression);

// The index of the first item at or after the caret that the settings find; -1 when the search
// reaches the staff's end (or there is nothing to find).
int FindNextItem(TMusicStaff& staff, int caret, const TQVEditFindData& data);

// The number Goto shows for the caret's bar: first + the bars before the caret.
int BarNumberAt(TMusicStaff& staff, int caret, int first);
// The index where the bar numbered `number` starts (the staff's end when it has fewer bars).
int IndexOfBarNumber(TMusicStaff& staff, int number, int first);
