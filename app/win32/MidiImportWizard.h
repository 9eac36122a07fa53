// The MIDI import wizard ("Intro", "Step 1" to "Step 3", "Finish") over a read file's import data,
// and the instruction dialog that adds or edits one instruction.
#pragma once
#include "app/win32/MCTDialog.h"
#include "framework/WizardDialog.h"
#include "framework/WizardPage.h"
#include "midi/MidiImportDocument.h"

class TEditNumber;
class TListBox;

// Wizard and page resources.
enum TImportWizardResource {
  kImportWizardId = 575,
  kImportIntroId = 576,
  kImportStep1Id = 577,
  kImportStep2Id = 578,
  kImportStep3Id = 579,
  kImportFinishId = 580,
};

class TMidiImportWizard : public TWizardDialog {
public:
  TMidiImportWizard(TWindow* parent, TQVKImportData& import, const char* path);
  TQVKImportData& Import() { return import_; }

private:
  TQVKImportData& import_;
};

// "Step 3": the instruction list with "Add..", "Delete" and "Edit..".
class TSMFImportWiz4 : public TWizardPage {
public:
  static constexpr int kList = 101, kAdd = 110, kDelete = 111, kEdit = 112;

  explicit TSMFImportWiz4(TMidiImportWizard* wizard);
  // The instructions are made ready for the options chosen on the steps before.
  void Activated() override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;
  void Refill(int selection);
  void AddInstruction();
  void DeleteInstruction();
  void EditInstruction();

private:
  TMidiImportWizard* wizard_;
  TListBox* list_;
};

// The instruction dialog (581): track, channels, pitch range, the four flags and the two
// resolutions of one instruction.
class TImportInstructionDlg : public TMCTDialog {
public:
  static constexpr int kResourceId = 581, kTrack = 101, kLowest = 102, kHighest = 103, kFirstFlag = 104,
                       kNoteResolution = 108, kRestResolution = 109, kFirstChannel = 110;

  // `lastTrack`: the highest track number the edit accepts.
  TImportInstructionDlg(TWindow* parent, TSMFImportInstructions& instruction, int lastTrack);
  void SetupWindow() override;
  void CmOk() override;

private:
  TSMFImportInstructions& instruction_;
  TEditNumber* track_;
};

// True when the wizard ended with Finish.
bool RunMidiImportWizard(TWindow* parent, TQVKImportData& import, const char* path);
