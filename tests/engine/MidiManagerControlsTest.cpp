// The device manager with the options pages' list boxes, combo box and edit (a combo box needs a
// display: its parts are child windows).
#include <algorithm>

#include "tests/engine/MidiManagerFixture.h"

namespace {

TEST_F(MidiManagerTest, FillsAndTakesTheOptionsPageControls) {
  Configure();
  TMidiManager& m = Make();
  m.LoadPortSettings();
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 400, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(parent, nullptr);
  HWND available = Control(parent, "LISTBOX", LBS_SORT);
  HWND chosen = Control(parent, "LISTBOX", 0);
  HWND combo = Control(parent, "COMBOBOX", CBS_DROPDOWNLIST);
  ASSERT_TRUE(available && chosen && combo);
  m.FillOutPortLists(available, chosen);
  char mapper[kMidiDeviceNameSize];
  ASSERT_TRUE(MidiOutDeviceName(-1, mapper));
  auto avail = Lines(available);
  std::sort(avail.begin(), avail.end());
  std::vector<std::string> wanted = {mapper, "VMIDI Out C"};
  std::sort(wanted.begin(), wanted.end());
  EXPECT_EQ(avail, wanted);
  EXPECT_EQ(Lines(chosen), (std::vector<std::string>{"VMIDI Out A", "VMIDI Out B"}));

  m.FillInPortCombo(combo);
  ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);  // "vmidi IN a" is device "VMIDI In A"

  // The page hands back its choice: C then A.
  SendMessageA(chosen, LB_RESETCONTENT, 0, 0);
  SendMessageA(chosen, LB_ADDSTRING, 0, LPARAM("VMIDI Out C"));
  SendMessageA(chosen, LB_ADDSTRING, 0, LPARAM("VMIDI Out A"));
  EXPECT_EQ(m.TestOutPorts(chosen), 0);
  m.SetOutPortsFromList(chosen);
  ASSERT_EQ(m.GetPortCount(), 2);
  EXPECT_STREQ(m.GetPortName(0), "VMIDI Out C");

  HWND edit = Control(parent, "EDIT", 0, "VMIDI In A");
  EXPECT_TRUE(m.TestInPort(edit));
  SetWindowTextA(edit, "No Such Input");
  EXPECT_FALSE(m.TestInPort(edit));
  SetWindowTextA(edit, "");
  EXPECT_TRUE(m.TestInPort(edit));  // no input wanted
  m.AcquireDevices(true);
  EXPECT_NE(m.GetInDevice(), nullptr);
  m.SetInPortFromControl(edit);     // the input is given up at once
  EXPECT_EQ(m.GetInDevice(), nullptr);
  EXPECT_FALSE(m.IsInputMissing());
  SetWindowTextA(edit, "VMIDI In A");
  m.SetInPortFromControl(edit);
  EXPECT_NE(m.GetInDevice(), nullptr);
  DestroyWindow(parent);
}

}  // namespace
