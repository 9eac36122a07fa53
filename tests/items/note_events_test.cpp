// The MIDI events a note performs: velocity and accent, gate times by articulation and style,
// grace runs, ties, mutes and transposition.
#include <gtest/gtest.h>
#include "ItemTestSupport.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/MusicNote.h"

namespace {
TStaffContext PlayContext() {
  TStaffContext c;
  c.SetChannel(3);
  c.SetPort(2);
  c.SetTick(1000);
  return c;
}
}  // namespace

TEST(NoteEvents, NoteOnAndOffOnTheStaffsChannelAndPort) {
  TStaffContext c = PlayContext();
  TRecordingSink sink;
  TMusicNote(0).AddMidiEvents(c, sink);
  ASSERT_EQ(sink.events.size(), 2u);
  EXPECT_EQ(sink.events[0], (TRecordedEvent{TRecordedEvent::Short, 1000, 0x93, 71, 110}));
  EXPECT_EQ(sink.events[1], (TRecordedEvent{TRecordedEvent::Short, 1160, 0x83, 71, 0}));
  EXPECT_EQ(sink.ports, (std::vector<int>{2, 2}));
}

TEST(NoteEvents, GateTimeTable) {
  struct Case {
    int code;
    std::vector<int> attributes;
    int style;
    int gate;
  } cases[] = {
      {2, {}, 0, 160},                         {3, {}, 0, 94},          {1, {}, 0, 336},
      {0, {}, 5, 720},                         {2, {naStaccato}, 0, 48}, {3, {naStaccato}, 0, 32},
      {4, {naStaccato}, 0, 32},                {2, {naTenuto}, 0, 192},  {2, {naSlurOut}, 0, 192},
      {2, {naSlurOut, naStaccato}, 0, 120},    {3, {naSlurOut, naStaccato}, 0, 68},
      {2, {}, 7, 192},                         {2, {}, 20, 192},        {2, {}, 18, 48},
      {3, {}, 18, 32},                         {2, {naDotted}, 0, 256}, {6, {}, 0, 10},
  };
  for (const Case& k : cases) {
    TStaffContext c = PlayContext();
    c.SetPerformanceStyle(k.style);
    TMusicNote n(0, k.code);
    for (int a : k.attributes) n.SetAttribute(a);
    TRecordingSink sink;
    n.AddMidiEvents(c, sink);
    ASSERT_EQ(sink.events.size(), 2u);
    EXPECT_EQ(sink.events[1].tick - sink.events[0].tick, k.gate) << "code " << k.code << " style " << k.style;
  }
}

TEST(NoteEvents, AccentRaisesVelocityUpTo127) {
  struct Case {
    int velocity, played;
  } cases[] = {{80, 112}, {90, 126}, {110, 127}, {127, 127}};
  for (const Case& k : cases) {
    TStaffContext c = PlayContext();
    c.SetVelocity(k.velocity);
    TMusicNote n(0);
    n.SetAttribute(naAccent);
    TRecordingSink sink;
    n.AddMidiEvents(c, sink);
    EXPECT_EQ(sink.events[0].c, k.played);
  }
}

TEST(NoteEvents, GraceNotesPlayBeforeTheNoteThatFollows) {
  TStaffContext c = PlayContext();
  TRecordingSink sink;
  TMusicNote g1(0, 4), g2(-1, 4), main(-2, 2);
  g1.SetAttribute(naGrace);
  g2.SetAttribute(naGrace);
  for (TMusicNote* n : {&g1, &g2, &main}) {
    n->AddMidiEvents(c, sink);
    n->UpdateContext(c);
  }
  ASSERT_EQ(sink.events.size(), 6u);
  EXPECT_EQ(sink.events[0].tick, 1000);  // first grace note
  EXPECT_EQ(sink.events[1].tick, 1024);
  EXPECT_EQ(sink.events[2].tick, 1024);  // second grace note
  EXPECT_EQ(sink.events[3].tick, 1048);
  EXPECT_EQ(sink.events[4].tick, 1048);  // the note starts after both, 48 ticks shorter
  EXPECT_EQ(sink.events[5].tick, 1048 + 142);
  EXPECT_EQ(c.GetTick(), 1192);
  EXPECT_EQ(c.GetGraceCount(), 0);
}

TEST(NoteEvents, TiesMutesAndTransposition) {
  TStaffContext c = PlayContext();
  TRecordingSink sink;
  TMusicNote out(0), in(0), both(0), muted(0);
  out.SetAttribute(naTieOut);
  in.SetAttribute(naTieIn);
  both.SetAttribute(naTieIn);
  both.SetAttribute(naTieOut);
  muted.SetMuted(true);
  out.AddMidiEvents(c, sink);
  ASSERT_EQ(sink.events.size(), 1u);
  EXPECT_EQ(sink.events[0].a, 0x93);
  both.AddMidiEvents(c, sink);
  EXPECT_EQ(sink.events.size(), 1u);
  in.AddMidiEvents(c, sink);
  ASSERT_EQ(sink.events.size(), 2u);
  EXPECT_EQ(sink.events[1].a, 0x83);
  muted.AddMidiEvents(c, sink);
  EXPECT_EQ(sink.events.size(), 2u);

  c.SetTranspose(-3);
  TRecordingSink transposed;
  TMusicNote(0).AddMidiEvents(c, transposed);
  EXPECT_EQ(transposed.events[0].b, 68);
}

TEST(NoteEvents, TieSetsFollowTiedHeads) {
  TStaffContext c;
  TMusicNote up(-3), down(2), in(-3);
  up.SetAttribute(naTieOut);    // tie-direction bit clear: set 0
  down.SetAttribute(naTieOut);  // bit set: set 1
  up.UpdateContext(c);
  down.UpdateContext(c);
  EXPECT_TRUE(c.TieSet(0).Test(-3));
  EXPECT_TRUE(c.TieSet(1).Test(2));
  in.SetAttribute(naTieIn);
  in.UpdateContext(c);
  EXPECT_FALSE(c.TieSet(0).Test(-3));
  // A head tied in and on again, standing in both sets, keeps its ties.
  c.TieSet(0).Add(5);
  c.TieSet(1).Add(5);
  TMusicNote through(5);
  through.SetAttribute(naTieIn);
  through.SetAttribute(naTieOut);
  through.UpdateContext(c);
  EXPECT_TRUE(c.TieSet(0).Test(5));
  EXPECT_TRUE(c.TieSet(1).Test(5));
}

TEST(NoteEvents, KeySignaturePlaysOnlyWhenItChanges) {
  TStaffContext c = PlayContext();
  TKeyData d;
  d.SetLetterSharp(ltF);
  d.SetLetterSharp(ltC);
  TRecordingSink sink;
  d.AddMidiEvents(c, sink);
  ASSERT_EQ(sink.events.size(), 1u);
  EXPECT_EQ(sink.events[0], (TRecordedEvent{TRecordedEvent::KeySig, 1000, 2, 0, 0}));
  d.UpdateContext(c);
  d.AddMidiEvents(c, sink);
  EXPECT_EQ(sink.events.size(), 1u);
}
