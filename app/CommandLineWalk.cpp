#include "app/CommandLineWalk.h"

#include "foundation/TextUtils.h"

void TCommandLineWalk::Put(char c) {
  // Characters beyond the buffer are consumed but dropped: a long argument must not run over.
  if (length_ + 1 < kTokenSize) {
    token_[length_++] = c;
    token_[length_] = '\0';
  } else {
    cut_ = true;
  }
}

bool TCommandLineWalk::Next() {
  while (*p_) {
    token_[0] = '\0';
    length_ = 0;
    cut_ = false;
    while (*p_ == ' ' || *p_ == '\t') ++p_;
    if (*p_ == '"') {
      ++p_;
      while (*p_ && *p_ != '"') Put(*p_++);
      if (*p_ == '"') ++p_;
    } else {
      const bool isSwitch = *p_ == '/';
      while (*p_ && *p_ != '"') {
        if (*p_ == '/' && length_ > 0) break;
        if (isSwitch && (*p_ == ' ' || *p_ == '\t')) break;
        Put(*p_++);
      }
    }
    if (length_ > 0) return true;
  }
  return false;
}

TCommandLineSwitch ClassifyCommandLineToken(const char* token) {
  if (!token || !token[0]) return TCommandLineSwitch::None;
  if (token[0] != '/') return TCommandLineSwitch::Path;
  if (CompareNoCase(token, "/enableexperimentation") == 0) return TCommandLineSwitch::EnableExperimentation;
  if (CompareNoCase(token, "/disableexperimentation") == 0) return TCommandLineSwitch::DisableExperimentation;
  return TCommandLineSwitch::Ignored;
}
