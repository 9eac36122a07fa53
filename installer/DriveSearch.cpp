#include "installer/DriveSearch.h"

#include <deque>

std::string SearchDrives(TSearchDisk& disk) {
  std::deque<std::string> queue;
  std::vector<std::string> subfolders;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (!disk.IsFixedDrive(letter)) continue;
    queue.push_back(std::string(1, letter) + ":\\");
    while (!queue.empty()) {
      const std::string folder = queue.front();
      queue.pop_front();
      if (disk.IsInstallation(folder)) return folder;
      subfolders.clear();
      disk.ListSubfolders(folder, subfolders);
      for (std::string& sub : subfolders) queue.push_back(std::move(sub));
    }
  }
  return std::string();
}
