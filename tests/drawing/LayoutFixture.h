// A one-system score on the recording device with two fixture staves to show: what the staff
// layout tests of both editor lines stand on.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "tests/drawing/RecordingPrimitives.h"
#include "tests/ntnidx/NtnStaffFixture.h"

template <int Spacing>
class TLayoutFixture : public ::testing::Test {
protected:
  TLayoutFixture() : fonts(Spacing), system(&score, &fonts, 1) { score.SetDurationSpacing(false); }

  // Shows the fixture staves, first to last.
  void Show(std::initializer_list<TStaffFixture*> staves) {
    system.ClearStaves();
    for (TStaffFixture* f : staves) system.AddStaffByPtr(&f->staff);
  }
  TStaffDrawInfo& Line(int i = 0) { return *system.GetStaffInfo(i); }
  // The kinds of shown staff i's cells, in order.
  std::string Kinds(int i = 0) {
    std::string out;
    for (int c = 0; c < Line(i).GetCellCount(); ++c) {
      if (!out.empty()) out += ' ';
      out += std::to_string(int(Line(i).Cell(c).Kind()));
    }
    return out;
  }

  TMusicScore score;
  RecordingPrimitives fonts;
  TScoreDrawInfo system;
  TStaffFixture a, b;
};
