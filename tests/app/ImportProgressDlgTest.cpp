// The long-task dialog over a MIDI file's conversion: nothing shows before the conversion starts;
// then "Working" with the conversion's message and a gauge of its steps, its owner disabled; its
// Cancel, once confirmed, stops the conversion; the dialog closes with its progress object.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/win32/ImportProgressDlg.h"
#include "framework/Gauge.h"
#include "midi/MidiImportConverter.h"
#include "midi/SMFImportInstructions.h"
#include "tests/midi/MidiImportNotes.h"
#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/OwnerWindowTest.h"

using namespace guidriver;

namespace {

constexpr DWORD kWaitMs = 10000;

using ImportProgressDlgTest = TOwnerWindowTest;

TEST_F(ImportProgressDlgTest, WorkingShowsTheConversionsStepsAndCloses) {
  {
    TImportProgressDlg progress(ownerObject_.get());
    EXPECT_EQ(TLongTaskDlg::GetActive(), nullptr) << "nothing shows before the conversion starts";
    progress.Start(8, kImportProgressMessage);
    TLongTaskDlg* dialog = TLongTaskDlg::GetActive();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(GetText(dialog->GetHandle()), "Working");
    EXPECT_EQ(GetText(GetDlgItem(dialog->GetHandle(), TLongTaskDlg::kFirstLineId)), "Converting MIDI data to notation");
    int low = -1, high = -1;
    dialog->GetGauge()->GetRange(low, high);
    EXPECT_EQ(high, 8);
    progress.Advance(4);
    EXPECT_EQ(dialog->GetGauge()->GetValue(), 4);
    EXPECT_FALSE(IsWindowEnabled(owner_));
  }
  EXPECT_EQ(TLongTaskDlg::GetActive(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(ImportProgressDlgTest, ConfirmedCancelStopsTheConversion) {
  TSMFData data;
  ASSERT_TRUE(ReadSmfBytes(data, Format1({ConductorEvents(), NoteEvents({{0, 192, 60, 0}, {192, 384, 62, 0}})})));
  const TSMFImportInstructionList instructions = BuildDefaultInstructions(data, true, 18);
  TImportProgressDlg progress(ownerObject_.get());
  progress.Start(4, kImportProgressMessage);
  TLongTaskDlg* dialog = TLongTaskDlg::GetActive();
  ASSERT_TRUE(dialog);
  TScript script([&] {
    HWND box = WaitForWindow("#32770", "Cancel Confirmation", kWaitMs, GetCurrentProcessId());
    if (box) ClickButton(box, IDYES);
  });
  PostMessageA(dialog->GetHandle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_TRUE(PumpUntil([] { return IsCancelRequested(); }, kWaitMs));
  EXPECT_TRUE(script.Join(kWaitMs));
  EXPECT_EQ(ConvertMidiToScore(data, instructions, TLyricMode::kNone, &IsCancelRequested, &progress), nullptr)
      << "the partial score is dropped";
}

}  // namespace
