#include "app/win32/MidiImportWizard.h"

#include <string>

#include "QVKNTN/NtnHelpers.h"
#include "app/win32/ImportOptionsPage.h"
#include "foundation/QVBusyCursor.h"
#include "framework/EditNumber.h"
#include "framework/ListBox.h"
#include "framework/SpinButton.h"
#include "midi/ImportWizardRules.h"

namespace {

// "Intro": the file being imported.
class TImportIntroPage : public TWizardPage {
public:
  static constexpr int kPath = 101;
  TImportIntroPage(TWizardDialog* wizard, const char* path) : TWizardPage(wizard, kImportIntroId), path_(path) {}
  void SetupWindow() override {
    TWizardPage::SetupWindow();
    ::SetDlgItemTextA(GetHandle(), kPath, path_.c_str());
  }

private:
  std::string path_;
};

// "Step 1" (the four flags and the two resolutions) and "Step 2" (channels and chord size): the
// import data's options, taken when the step is left.
class TImportOptionsStep : public TWizardPage {
public:
  TImportOptionsStep(TMidiImportWizard* wizard, int resourceId, bool chordSize)
      : TWizardPage(wizard, resourceId), wizard_(wizard), chordSize_(chordSize ? AddChordSizeEdit(*this) : nullptr) {}
  void SetupWindow() override {
    TWizardPage::SetupWindow();
    SetupImportOptionControls(GetHandle());
    ShowImportOptions(GetHandle(), wizard_->Import().options, chordSize_);
  }
  bool Apply() override {
    TakeImportOptions(GetHandle(), wizard_->Import().options, chordSize_);
    return true;
  }

private:
  TMidiImportWizard* wizard_;
  TEditNumber* chordSize_;
};

void FillNames(HWND list, const char* const (&names)[kImportDurationCount]) {
  for (const char* name : names) ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
}

int Selection(HWND dialog, int id, int fallback) {
  const LRESULT at = ::SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
  return at < 0 ? fallback : int(at);
}

constexpr uint8_t kInstructionFlags[4] = {TSMFImportInstructions::kPedalMarks, TSMFImportInstructions::kPatchChanges,
                                          TSMFImportInstructions::kAutoBeam, TSMFImportInstructions::kCompoundTime};

}  // namespace

TMidiImportWizard::TMidiImportWizard(TWindow* parent, TQVKImportData& import, const char* path)
    : TWizardDialog(parent, kImportWizardId, psfApplyOnLeave | psfCenter), import_(import) {
  AddPage("Intro", new TImportIntroPage(this, path));
  AddPage("Step 1", new TImportOptionsStep(this, kImportStep1Id, false));
  AddPage("Step 2", new TImportOptionsStep(this, kImportStep2Id, true));
  AddPage("Step 3", new TSMFImportWiz4(this));
  AddPage("Finish", new TWizardPage(this, kImportFinishId));
}

TSMFImportWiz4::TSMFImportWiz4(TMidiImportWizard* wizard)
    : TWizardPage(wizard, kImportStep3Id), wizard_(wizard), list_(new TListBox(this, kList)) {}

void TSMFImportWiz4::Activated() {
  {
    TQVBusyCursor busy;
    PrepareInstructionStep(wizard_->Import());
  }
  Refill(list_->GetSelIndex());
  TWizardPage::Activated();
}

void TSMFImportWiz4::Refill(int selection) {
  const TSMFImportInstructionList& list = wizard_->Import().instructions;
  list_->ClearList();
  for (const TSMFImportInstructions& i : list) list_->AddString(InstructionLineText(i).c_str());
  list_->SetSelIndex(ClampedInstructionSelection(selection, static_cast<int>(list.size())));
}

LRESULT TSMFImportWiz4::EvCommand(UINT id, HWND control, UINT notifyCode) {
  if (notifyCode == BN_CLICKED) {
    switch (id) {
    case kAdd: AddInstruction(); return 0;
    case kDelete: DeleteInstruction(); return 0;
    case kEdit: EditInstruction(); return 0;
    default: break;
    }
  }
  if (id == kList && notifyCode == LBN_DBLCLK) {
    EditInstruction();
    return 0;
  }
  return TWizardPage::EvCommand(id, control, notifyCode);
}

static int LastTrack(const TQVKImportData& import) {
  return import.data.TrackCount() > 0 ? import.data.TrackCount() - 1 : 0;
}

void TSMFImportWiz4::AddInstruction() {
  TQVKImportData& import = wizard_->Import();
  TSMFImportInstructions instruction = NewImportInstruction(import.options);
  TImportInstructionDlg dialog(this, instruction, LastTrack(import));
  if (dialog.Execute() != IDOK) return;
  import.instructions.push_back(instruction);
  Refill(static_cast<int>(import.instructions.size()) - 1);
}

void TSMFImportWiz4::DeleteInstruction() {
  TSMFImportInstructionList& list = wizard_->Import().instructions;
  const int at = list_->GetSelIndex();
  if (at < 0 || at >= static_cast<int>(list.size())) return;
  if (::MessageBoxA(GetHandle(), "Areyou sure that you want to delete the current instruction?",
                    "Delete Confirmation", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  list.erase(list.begin() + at);
  Refill(at);
}

void TSMFImportWiz4::EditInstruction() {
  TQVKImportData& import = wizard_->Import();
  const int at = list_->GetSelIndex();
  if (at < 0 || at >= static_cast<int>(import.instructions.size())) return;
  TSMFImportInstructions instruction = import.instructions[at];
  TImportInstructionDlg dialog(this, instruction, LastTrack(import));
  if (dialog.Execute() != IDOK) return;
  import.instructions[at] = instruction;
  Refill(at);
}

TImportInstructionDlg::TImportInstructionDlg(TWindow* parent, TSMFImportInstructions& instruction, int lastTrack)
    : TMCTDialog(parent, kResourceId), instruction_(instruction),
      track_(new TEditNumber(this, kTrack, TNumberRange{0, lastTrack < 0 ? 0 : lastTrack, 1})) {
  new TSpinButton(track_);
}

void TImportInstructionDlg::SetupWindow() {
  TMCTDialog::SetupWindow();
  HWND dialog = GetHandle();
  track_->SetValue(instruction_.track);
  for (int c = 0; c < 16; ++c)
    ::CheckDlgButton(dialog, kFirstChannel + c, (instruction_.channelMask >> c & 1) ? BST_CHECKED : BST_UNCHECKED);
  for (int id : {kLowest, kHighest}) {
    for (int key = 0; key < 128; ++key) {
      char name[kNtnMidiNoteNameSize + 1];
      NtnMidiNoteName(name, sizeof name, key);
      ::SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
  }
  ::SendDlgItemMessageA(dialog, kLowest, CB_SETCURSEL, instruction_.lowestPitch & 0x7F, 0);
  ::SendDlgItemMessageA(dialog, kHighest, CB_SETCURSEL, instruction_.highestPitch & 0x7F, 0);
  for (int f = 0; f < 4; ++f)
    ::CheckDlgButton(dialog, kFirstFlag + f, instruction_.Has(kInstructionFlags[f]) ? BST_CHECKED : BST_UNCHECKED);
  FillNames(GetDlgItem(kNoteResolution), kImportNoteNames);
  FillNames(GetDlgItem(kRestResolution), kImportRestNames);
  ::SendDlgItemMessageA(dialog, kNoteResolution, CB_SETCURSEL, instruction_.noteResolution, 0);
  ::SendDlgItemMessageA(dialog, kRestResolution, CB_SETCURSEL, instruction_.restResolution, 0);
}

void TImportInstructionDlg::CmOk() {
  if (!CanClose()) return;
  HWND dialog = GetHandle();
  instruction_.track = static_cast<uint16_t>(track_->GetValue());
  uint16_t mask = 0;
  for (int c = 0; c < 16; ++c)
    if (::IsDlgButtonChecked(dialog, kFirstChannel + c) == BST_CHECKED) mask = uint16_t(mask | (1u << c));
  instruction_.channelMask = mask;
  instruction_.lowestPitch = uint8_t(Selection(dialog, kLowest, instruction_.lowestPitch));
  instruction_.highestPitch = uint8_t(Selection(dialog, kHighest, instruction_.highestPitch));
  for (int f = 0; f < 4; ++f)
    instruction_.Set(kInstructionFlags[f], ::IsDlgButtonChecked(dialog, kFirstFlag + f) == BST_CHECKED);
  instruction_.noteResolution = uint8_t(Selection(dialog, kNoteResolution, instruction_.noteResolution));
  instruction_.restResolution = uint8_t(Selection(dialog, kRestResolution, instruction_.restResolution));
  Destroy(IDOK);
}

bool RunMidiImportWizard(TWindow* parent, TQVKImportData& import, const char* path) {
  TMidiImportWizard wizard(parent, import, path);
  return wizard.Execute() == IDOK;
}
