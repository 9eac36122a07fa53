// The search for an installation: fixed drives A to Z one after the other, each searched
// completely and breadth-first before the next, so an installation on C is found before one on D.
#pragma once

#include <string>
#include <vector>

// The disk as the search sees it.
class TSearchDisk {
 public:
  virtual ~TSearchDisk() = default;
  virtual bool IsFixedDrive(char letter) = 0;
  // The subfolders of a folder (ending with a backslash) in listing order: full paths ending
  // with a backslash, without "." and "..", without reparse points (a link can loop or lead
  // onto another drive).
  virtual void ListSubfolders(const std::string& folder, std::vector<std::string>& subfolders) = 0;
  virtual bool IsInstallation(const std::string& folder) = 0;
};

// The first folder that holds the installation (ending with a backslash), or empty.
std::string SearchDrives(TSearchDisk& disk);
