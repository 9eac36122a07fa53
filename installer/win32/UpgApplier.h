// Applies an upgrade package to a target folder: check, build into "__QVUPD_", verify, then
// replace; owns the progress window while it runs. Also judges folders for the drive search.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/QXTFStream.h"
#include "installer/PatchRunner.h"
#include "installer/UpgradePackage.h"
#include "installer/UpgradeTexts.h"

class TUpgApplier : public TPatchProgress {
 public:
  TUpgApplier(HINSTANCE instance, HWND owner);
  ~TUpgApplier() override;
  TUpgApplier(const TUpgApplier&) = delete;
  TUpgApplier& operator=(const TUpgApplier&) = delete;

  // Reads the header and the file records; false when the package is missing or invalid.
  bool Open(const char* packagePath);
  const TUpgPackage& Package() const { return package; }
  bool IsInstallation(const std::string& folder);
  // Runs the whole upgrade into the target; true when every file is in place.
  bool Apply(const std::string& targetFolder, const char* uuiPath);

  // The progress window's side.
  void CancelPressed() { cancelPressed = !replacing; }
  int Percent() const { return percent; }
  bool Advance(uint32_t bytes) override;

 private:
  enum class TAnswer { GoOn, Stop };

  bool CheckPhase();
  bool BuildPhase();
  bool BuildOne(int index, TUpgFileRecord& record, bool& cancel);
  bool ReplacePhase();
  void CleanUp();
  TAnswer Judge(TUpgFileRecord& record);
  bool AskBuildFailure(TUpgFileRecord& record, int index);

  bool Question(const TUpgFileRecord& record, const std::string& first, const std::string& second);
  void Inform(const std::string& text, UINT icon);
  bool CancelCheck();
  void Pump(DWORD ms);
  void ShowFile(const TUpgFileRecord& record);
  void SetOperationText(const std::string& text);
  HWND OpenProgress();
  void CloseProgress();

  HINSTANCE instance;
  HWND owner;
  HWND progress = nullptr;
  std::string path;
  TQXTFStream stream;
  TUpgPackage package;
  uint32_t streamsStart = 0;
  TUpgTexts texts;
  std::string target;  // ends with a backslash
  uint64_t bytesOut = 0;
  int percent = 0;
  bool cancelPressed = false;
  bool cancelDecided = false;
  bool replacing = false;
};
