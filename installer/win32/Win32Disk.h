// The drive search and the installation test on the real disk.
#pragma once

#include <string>

#include "installer/DriveSearch.h"
#include "installer/UpgradeRules.h"

class TUpgApplier;

// What is under a record's name in a folder (ending with a backslash).
TUpgFileFacts ReadUpgFacts(const std::string& folder, const TUpgFileRecord& record, bool needInfo);

class TWin32SearchDisk : public TSearchDisk {
 public:
  explicit TWin32SearchDisk(TUpgApplier& applier) : applier(applier) {}
  bool IsFixedDrive(char letter) override;
  void ListSubfolders(const std::string& folder, std::vector<std::string>& subfolders) override;
  bool IsInstallation(const std::string& folder) override;

 private:
  TUpgApplier& applier;
};
