// Small scores for the performance and export tests, built from the staff text of the staff
// tests, and an event list's events as plain values for comparing.
#pragma once
#include <string>
#include <tuple>
#include <vector>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "StaffText.h"
#include "midi/MidiFileBuf.h"

inline TMusicStaff* AddStaff(TMusicScore& score, const std::string& text, int channel = 0, const char* name = "Staff") {
  auto* staff = new TMusicStaff;
  FillStaff(*staff, text);
  staff->SetChannel(channel);
  staff->SetName(name);
  score.AppendStaff(staff);
  return staff;
}

// tick, the three data bytes and the type; note-ons of velocity 0 count as note-offs.
using TEventValue = std::tuple<int32_t, int, int, int, int>;

inline TEventValue ValueOf(const TMidiEvent& e) {
  int b0 = e.b[0], b2 = e.b[2];
  if (IsMidiShortEvent(e) && IsMidiNoteEnd(e)) {
    b0 = 0x80 | (b0 & 0x0F);
    b2 = 0;
  }
  return {e.tick, b0, e.b[1], b2, MidiEventType(e)};
}

inline std::vector<TEventValue> ValuesOf(const TMidiFileBuf& list) {
  std::vector<TEventValue> values;
  for (int32_t i = 0, n = list.EventCount(); i < n; ++i) values.push_back(ValueOf(list.EventAt(i)));
  return values;
}
