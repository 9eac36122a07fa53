#include "installer/win32/UpgApplier.h"

#include "foundation/PathText.h"
#include "foundation/win32/FileUtils.h"
#include "installer/UpgradeRules.h"
#include "installer/win32/ProgressDialog.h"
#include "installer/win32/SetupIds.h"
#include "installer/win32/Win32Disk.h"

namespace {

// The installation test asks for the facts of the folder being judged.
class TFolderProbe : public TUpgFileProbe {
 public:
  explicit TFolderProbe(const std::string& folder) : folder(folder) {}
  TUpgFileFacts Facts(const TUpgFileRecord& record, bool needInfo) override {
    return ReadUpgFacts(folder, record, needInfo);
  }

 private:
  const std::string& folder;
};

// Creates every missing folder of a file's path below the target.
void CreateFoldersFor(const std::string& target, const std::string& path) {
  for (size_t slash = path.find('\\', target.size()); slash != std::string::npos; slash = path.find('\\', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (!IsDirectory(folder.c_str())) CreateDir(folder.c_str());
  }
}

// A plain rename that never replaces: the destination must not exist.
bool Rename(const std::string& from, const std::string& to) { return MoveFileA(from.c_str(), to.c_str()) != 0; }

const char kReplaceFailed[] =
    "This file could not be replaced. The installed files have been restored; nothing was changed.";
const char kRestoreFailed[] =
    "This file could not be replaced, and an installed file could not be restored. The earlier "
    "version of that file is kept in the folder \"__QVUPD_\" of the installation.";

}  // namespace

TUpgApplier::TUpgApplier(HINSTANCE instance, HWND owner) : instance(instance), owner(owner) {}

TUpgApplier::~TUpgApplier() { CloseProgress(); }

bool TUpgApplier::Open(const char* packagePath) {
  path = packagePath;
  if (!stream.Open(TQXTFStream::ModeRead | TQXTFStream::ShareRead, packagePath)) return false;
  if (!package.ReadHeader(stream)) return false;
  if (package.ReadRecords(stream) == 0) return false;
  streamsStart = stream.Tell();
  return true;
}

bool TUpgApplier::IsInstallation(const std::string& folder) {
  TFolderProbe probe(folder);
  return IsUpgInstallation(package.Records(), probe);
}

bool TUpgApplier::Apply(const std::string& targetFolder, const char* uuiPath) {
  if (!package.IsValid() || package.Total() == 0 || !FileExists(uuiPath)) return false;
  {
    TQXTFStream uui(TQXTFStream::ModeRead | TQXTFStream::ShareRead, uuiPath);
    if (!uui.IsOpen()) return false;
    texts.Load(uui);
  }
  target = UpgFolderWithSlash(targetFolder);
  for (TUpgFileRecord& record : package.Records()) record.state = TUpgState::ToHandle;
  bytesOut = 0;
  percent = 0;
  cancelPressed = cancelDecided = replacing = false;
  // A retry after a failure reads the patch streams from their start again, on a fresh stream
  // in case the failure was a package cut short.
  if (!stream.Open(TQXTFStream::ModeRead | TQXTFStream::ShareRead, path.c_str()) || !stream.Seek(streamsStart))
    return false;

  OpenProgress();
  bool ok = CheckPhase() && BuildPhase() && ReplacePhase();
  CleanUp();
  CloseProgress();
  return ok;
}

HWND TUpgApplier::OpenProgress() {
  progress = CreateUpgProgress(instance, owner, this);
  if (!progress) return nullptr;
  SetWindowTextA(progress, texts.Line(TUpgText::Caption).c_str());
  SetDlgItemTextA(progress, IDCANCEL, texts.Line(TUpgText::CancelButton).c_str());
  SetOperationText(texts.Line(TUpgText::BuildPhase));
  if (owner) EnableWindow(owner, FALSE);
  ShowWindow(progress, SW_SHOW);
  UpdateWindow(progress);
  return progress;
}

void TUpgApplier::CloseProgress() {
  if (!progress) return;
  if (owner) EnableWindow(owner, TRUE);
  DestroyWindow(progress);
  progress = nullptr;
}

void TUpgApplier::SetOperationText(const std::string& text) {
  if (progress) SetDlgItemTextA(progress, IDC_UPGP_OPERATION, text.c_str());
}

void TUpgApplier::ShowFile(const TUpgFileRecord& record) {
  if (!progress) return;
  SetDlgItemTextA(progress, IDC_UPGP_FILE, record.name);
  SetDlgItemTextA(progress, IDC_UPGP_DESCRIPTION, record.description);
}

void TUpgApplier::Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  MSG msg;
  for (int polls = 0; polls < 50000; ++polls) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (GetTickCount() - start >= ms || cancelPressed) return;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
      continue;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (!progress || !IsDialogMessageA(progress, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (cancelPressed) return;
  }
}

bool TUpgApplier::CancelCheck() {
  if (cancelDecided) return true;
  Pump(0);
  if (cancelPressed) {
    cancelPressed = false;
    if (MessageBoxA(nullptr, texts.Line(TUpgText::CancelQuestion).c_str(), texts.Line(TUpgText::Caption).c_str(),
                    MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) == IDYES)
      cancelDecided = true;
  }
  return cancelDecided;
}

bool TUpgApplier::Advance(uint32_t bytes) {
  bytesOut += bytes;
  const int now = UpgPercentage(bytesOut, package.Total());
  if (now != percent) {
    percent = now;
    if (progress) RedrawUpgProgressBar(progress);
    Pump(100);
  }
  return CancelCheck();
}

bool TUpgApplier::Question(const TUpgFileRecord& record, const std::string& first, const std::string& second) {
  const std::string text = UpgQuestionText(texts, record, first, second);
  return MessageBoxA(nullptr, text.c_str(), texts.Line(TUpgText::Caption).c_str(),
                     MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) == IDYES;
}

void TUpgApplier::Inform(const std::string& text, UINT icon) {
  MessageBoxA(nullptr, text.c_str(), texts.Line(TUpgText::Caption).c_str(), MB_OK | icon | MB_TASKMODAL);
}

TUpgApplier::TAnswer TUpgApplier::Judge(TUpgFileRecord& record) {
  const TUpgFileFacts facts = ReadUpgFacts(target, record, record.HasOldInfo());
  const TUpgFinding finding = JudgeUpgFile(record, facts);
  record.state = finding.state;
  if (!finding.IsFinding()) return TAnswer::GoOn;
  const std::string& text = texts.Line(finding.text);
  switch (finding.policy) {
    case TUpgPolicy::Ignore:
      break;
    case TUpgPolicy::Ask:
      if (!Question(record, text, texts.Line(TUpgText::GoOnQuestion))) return TAnswer::Stop;
      break;
    case TUpgPolicy::Fatal:
      if (Question(record, texts.Line(TUpgText::FatalFirst), texts.Line(TUpgText::FatalSecond)))
        Inform(text, MB_ICONINFORMATION);
      return TAnswer::Stop;
  }
  if (finding.handleAnyway) record.state = TUpgState::ToHandle;
  return TAnswer::GoOn;
}

bool TUpgApplier::CheckPhase() {
  for (TUpgFileRecord& record : package.Records()) {
    ShowFile(record);
    if (CancelCheck()) return false;
    if (Judge(record) == TAnswer::Stop) return false;
  }
  return true;
}

bool TUpgApplier::BuildPhase() {
  SetOperationText(texts.Line(TUpgText::BuildPhase));
  const std::string work = target + kUpgWorkFolder;
  if (!IsDirectory(work.c_str())) CreateDir(work.c_str());
  int index = 0;
  for (TUpgFileRecord& record : package.Records()) {
    const int i = index++;
    if (!record.HasPatchStream()) continue;
    ShowFile(record);
    bool cancel = false;
    if (!BuildOne(i, record, cancel) && !cancel && !AskBuildFailure(record, i)) cancel = true;
    if (cancel) return false;
  }
  return true;
}

// Builds one file, or consumes the stream of a file left alone; false when the built file fails
// verification (cancel says the user cancelled instead).
bool TUpgApplier::BuildOne(int index, TUpgFileRecord& record, bool& cancel) {
  const bool build = record.state == TUpgState::ToHandle;
  const std::string installed = UpgInstalledName(target, record);
  const std::string temp = UpgTempName(target, index);
  TPatchResult result;
  {
    TQXTFStream source;
    TQXTFStream output;
    TPatchRun run;
    run.progress = this;
    if (build) {
      if (temp.size() < kMaxPath) output.Open(TQXTFStream::ModeWrite, temp.c_str());
      if (output.IsOpen()) run.output = &output;
      run.outputLimit = record.newInfo.size;
      if (record.operation == TUpgOperation::Patch && installed.size() < kMaxPath &&
          source.Open(TQXTFStream::ModeRead | TQXTFStream::ShareRead, installed.c_str()))
        run.source = &source;
      SetOperationText(texts.OperationName(static_cast<int>(record.operation)));
    }
    result = RunPatchStream(stream, run);
    if (run.output) output.Close();
    if (build && !run.output) result = TPatchResult::Failed;
  }
  if (result == TPatchResult::Cancelled || CancelCheck()) {
    cancel = true;
    return false;
  }
  if (!build) return true;
  TUpgFileInfo built;
  if (result != TPatchResult::Done || !ReadUpgFileInfo(temp.c_str(), built) || !built.SameContents(record.newInfo))
    return false;
  TQXTFStream stamp(TQXTFStream::ModeRead | TQXTFStream::ModeWrite, temp.c_str());
  return stamp.IsOpen() && stamp.SetDosDateTime(record.newInfo.dosDateTime);
}

// A built file that failed verification, judged by policy B; true when the apply goes on.
bool TUpgApplier::AskBuildFailure(TUpgFileRecord& record, int index) {
  switch (record.policyB) {
    case TUpgPolicy::Fatal:
      if (Question(record, texts.Line(TUpgText::BuildFatal), texts.Line(TUpgText::FatalSecond)))
        Inform(texts.Line(TUpgText::BuildFatalDetail), MB_ICONINFORMATION);
      return false;
    case TUpgPolicy::Ask:
      if (!Question(record, texts.Line(TUpgText::BuildAsk), texts.Line(TUpgText::GoOnQuestion))) return false;
      break;
    case TUpgPolicy::Ignore:
      break;
  }
  record.state = TUpgState::Skipped;
  FileDelete(UpgTempName(target, index).c_str());
  return true;
}

// Every installed file that goes is first moved aside into the work folder; only when every new
// file is in place are those copies deleted. Any failure puts everything back as it was and is
// reported, so the installation is never left half replaced or short of a file.
bool TUpgApplier::ReplacePhase() {
  replacing = true;
  SetOperationText(texts.Line(TUpgText::ReplacePhase));
  if (progress) SetDlgItemTextA(progress, IDCANCEL, "----");
  struct TStep {
    int index;
    bool movedOld;
    bool placedNew;
  };
  std::vector<TStep> done;
  const TUpgFileRecord* failed = nullptr;
  int index = 0;
  for (TUpgFileRecord& record : package.Records()) {
    const int i = index++;
    if (record.state != TUpgState::ToHandle || record.operation == TUpgOperation::Check) continue;
    ShowFile(record);
    Pump(0);
    const std::string installed = UpgInstalledName(target, record);
    TStep step{i, false, false};
    if (FileExists(installed.c_str())) {
      // A read-only file must not be deleted, and a file in use cannot be moved.
      if (IsReadOnlyFile(installed.c_str()) || !Rename(installed, UpgBackupName(target, i))) {
        failed = &record;
        break;
      }
      step.movedOld = true;
    }
    done.push_back(step);
    if (record.operation == TUpgOperation::Delete) continue;
    if (record.operation == TUpgOperation::Add) CreateFoldersFor(target, installed);
    if (!Rename(UpgTempName(target, i), installed)) {
      failed = &record;
      break;
    }
    done.back().placedNew = true;
  }
  if (!failed) {
    for (const TStep& step : done)
      if (step.movedOld) FileDelete(UpgBackupName(target, step.index).c_str());
    return true;
  }
  bool restored = true;
  for (auto it = done.rbegin(); it != done.rend(); ++it) {
    const std::string installed = UpgInstalledName(target, package.Records()[static_cast<size_t>(it->index)]);
    if (it->placedNew && !Rename(installed, UpgTempName(target, it->index))) FileDelete(installed.c_str());
    if (it->movedOld && !Rename(UpgBackupName(target, it->index), installed)) restored = false;
  }
  const std::string text = UpgQuestionText(texts, *failed, restored ? kReplaceFailed : kRestoreFailed, "");
  Inform(text.substr(0, text.size() - 2), MB_ICONERROR);
  return false;
}

void TUpgApplier::CleanUp() {
  for (size_t i = 0; i < package.Records().size(); ++i) {
    const std::string temp = UpgTempName(target, static_cast<int>(i));
    if (FileExists(temp.c_str())) FileDelete(temp.c_str());
  }
  RemoveDir((target + kUpgWorkFolder).c_str());
}
