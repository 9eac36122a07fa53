// The installer's decisions, apart from any window or disk: how a found file is judged, whether a
// folder holds the installation, the progress percentage and the names used during an upgrade.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "installer/UpgradeTexts.h"
#include "installer/UpgradePackage.h"

// What is on disk under a record's name.
struct TUpgFileFacts {
  bool exists = false;
  bool readOnly = false;
  bool readable = false;  // info below is valid
  TUpgFileInfo info;
};

// A finding of the check phase: the record's new state, the text that names it, the policy that
// judges it, and whether the file is handled anyway once the policy lets the apply go on.
struct TUpgFinding {
  TUpgState state = TUpgState::ToHandle;
  TUpgText text = TUpgText::Missing;
  TUpgPolicy policy = TUpgPolicy::Ignore;
  bool handleAnyway = false;

  bool IsFinding() const { return state != TUpgState::ToHandle; }
};

TUpgFinding JudgeUpgFile(const TUpgFileRecord& record, const TUpgFileFacts& facts);

// Answers the facts of a record's file in the folder being judged.
class TUpgFileProbe {
 public:
  virtual ~TUpgFileProbe() = default;
  virtual TUpgFileFacts Facts(const TUpgFileRecord& record, bool needInfo) = 0;
};

// A folder holds the installation when none of the expected files speaks against it and at
// least one of them is there as expected (a folder without any of them is never the one).
bool IsUpgInstallation(const std::vector<TUpgFileRecord>& records, TUpgFileProbe& probe);

// The progress bar's percentage, 1 to 100.
int UpgPercentage(uint64_t bytesOut, uint64_t total);

// The target folder from a path chosen in the folder dialog: its folder part, a drive root
// keeping its backslash. False when the path has no folder part.
bool UpgTargetFromChosenPath(const std::string& chosen, std::string& target);
// A folder with exactly one trailing backslash, for joining names.
std::string UpgFolderWithSlash(const std::string& folder);
// A found folder as the target shows it: no trailing backslash unless it is a drive root.
std::string UpgFolderForDisplay(const std::string& folder);

constexpr char kUpgWorkFolder[] = "__QVUPD_";
// "<target>__QVUPD_\NNNNN.TMP": the file built for record index; target ends with a backslash.
std::string UpgTempName(const std::string& target, int index);
// "<target>__QVUPD_\NNNNN.OLD": where the installed file waits until every replace succeeded.
std::string UpgBackupName(const std::string& target, int index);
// The record's name as a Windows path under the target.
std::string UpgInstalledName(const std::string& target, const TUpgFileRecord& record);

// The question box text: operation and file, then the two given lines.
std::string UpgQuestionText(const TUpgTexts& texts, const TUpgFileRecord& record, const std::string& first,
                            const std::string& second);
