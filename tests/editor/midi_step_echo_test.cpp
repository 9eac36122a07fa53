// MIDI step entry through the real input path: the test MIDI driver plays keys into the input
// port, the engine echoes each message to the echo window as message 0x3C3, and the messages
// that arrive there, handed to step entry as the score view hands them, enter a chord when the
// keys were held together and single notes when they were released one by one.
#include <set>

#include "editor/MidiStepEntry.h"
#include "tests/editor/OneStaffScore.h"
#include "tests/engine/MidiManagerFixture.h"

namespace {

constexpr UINT kEchoMessage = 0x3C3;

class MidiStepEchoTest : public MidiManagerTest {
protected:
  // Plays the messages into input A and answers the ones echoed to the window, in order.
  std::vector<uint32_t> Echoed(TMidiManager& m, const std::vector<VmidiFeedItem>& feed) {
    window.Clear();
    m.SetEchoWindow(window.Handle());
    EXPECT_TRUE(driver.Feed(0, feed));
    EXPECT_TRUE(driver.FeedWait(5000));
    window.PumpUntil([&] { return window.WParamsOf(kEchoMessage).size() >= feed.size(); }, 5000);
    std::vector<uint32_t> out;
    for (const auto& msg : window.Messages())
      if (msg.message == kEchoMessage) out.push_back(static_cast<uint32_t>(msg.lParam));
    return out;
  }

  // Hands the echoed messages to step entry on a fresh one-staff score; answers the staff.
  static std::string Enter(const std::vector<uint32_t>& messages, std::set<int>* chordHeads = nullptr) {
    TOneStaffScore f;
    TMidiStepEntry midi;
    for (uint32_t message : messages) midi.Receive(message, f.entry);
    if (chordHeads && f.Staff().LastIndex() == 2) *chordHeads = f.Heads(1);
    return f.Text();
  }
};

}  // namespace

TEST_F(MidiStepEchoTest, KeysHeldTogetherEnterOneChordAndKeysOneByOneEnterNotes) {
  Configure();
  TMidiManager& m = Make();
  m.LoadPortSettings();
  m.AcquireDevices(true);
  ASSERT_TRUE(m.GetInDevice()) << "input A did not open";

  // 60, 64 and 67 pressed together, then released.
  const std::vector<VmidiFeedItem> chord = {{0, 0x503C90}, {2, 0x504090}, {4, 0x504390},
                                            {40, 0x003C80}, {42, 0x004080}, {44, 0x004390}};
  const std::vector<uint32_t> held = Echoed(m, chord);
  ASSERT_EQ(held.size(), chord.size());
  for (size_t i = 0; i < chord.size(); ++i) EXPECT_EQ(held[i], chord[i].message) << i;
  std::set<int> heads;
  EXPECT_EQ(Enter(held, &heads), "cq@6");
  EXPECT_EQ(heads, (std::set<int>{2, 4, 6})) << "one chord of C, E and G";

  // The same keys released one by one.
  const std::vector<VmidiFeedItem> single = {{0, 0x503C90}, {10, 0x003C80}, {20, 0x504090},
                                             {30, 0x004080}, {40, 0x504390}, {50, 0x004390}};
  const std::vector<uint32_t> notes = Echoed(m, single);
  ASSERT_EQ(notes.size(), single.size());
  EXPECT_EQ(Enter(notes), "q@6 q@4 q@2");

  // Without an echo window nothing is posted.
  m.SetEchoWindow(nullptr);
  window.Clear();
  ASSERT_TRUE(driver.Feed(0, {{0, 0x503C90}}));
  ASSERT_TRUE(driver.FeedWait(5000));
  window.PumpFor(200);
  EXPECT_TRUE(window.WParamsOf(kEchoMessage).empty());
}
