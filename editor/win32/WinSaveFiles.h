// Saving's file operations on the Windows file system.
#pragma once

#include "editor/SaveRules.h"

class TWinSaveFiles : public TSaveFiles {
public:
  bool Exists(const char* path) override;
  bool WriteScore(const char* path, TMusicScore& score, bool compress, bool autoSave) override;
  bool Move(const char* from, const char* to) override;
  bool Remove(const char* path) override;
};
