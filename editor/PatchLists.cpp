#include "editor/PatchLists.h"

#include <cstdio>
#include <cstring>

std::vector<std::string> SplitKeyNames(const char* buffer, int length, int size, bool& truncated) {
  std::vector<std::string> names;
  truncated = size > 2 && length >= size - 2;
  if (!buffer || length <= 0) return names;
  if (length > size) length = size;
  int at = 0;
  while (at < length && buffer[at]) {
    const std::size_t n = strnlen(buffer + at, static_cast<std::size_t>(length - at));
    names.emplace_back(buffer + at, n);
    at += static_cast<int>(n) + 1;
  }
  if (truncated && !names.empty()) names.pop_back();
  return names;
}

std::vector<std::string> TPatchLists::ReadSection(const char* section, int bytes) {
  std::vector<char> buffer(static_cast<std::size_t>(bytes) + 2, '\0');
  int length = source_.ReadKeys(section, buffer.data(), bytes);
  if (length < 0) length = 0;
  bool truncated = false;
  std::vector<std::string> names = SplitKeyNames(buffer.data(), length, bytes, truncated);
  if (truncated) overflow_ = true;
  return names;
}

void TPatchLists::Load() {
  if (loaded_) return;
  loaded_ = true;
  lists_ = ReadSection("Patch Lists", kListNamesBytes);
  if (!lists_.empty()) current_ = 2;
}

int TPatchLists::TypeCount() {
  Load();
  return 2 + static_cast<int>(lists_.size());
}

std::string TPatchLists::TypeName(int type) {
  Load();
  if (type == kNumericOneBased) return "Numeric, 1 Based";
  if (type == kNumericZeroBased) return "Numeric, 0 Based";
  const int list = type - 2;
  if (list < 0 || list >= static_cast<int>(lists_.size())) return "";
  return lists_[static_cast<std::size_t>(list)];
}

int TPatchLists::CurrentType() {
  Load();
  return current_;
}

void TPatchLists::SetCurrentType(int type) {
  if (type < 0 || type >= TypeCount()) return;
  current_ = type;
}

void TPatchLists::FillNames() {
  names_.assign(1, "<None>");
  std::vector<std::string> read;
  if (current_ >= 2) {
    read = ReadSection(TypeName(current_).c_str(), kPatchNamesBytes);
    if (static_cast<int>(read.size()) > kPatchCount) {
      read.resize(kPatchCount);
      overflow_ = true;
    }
  }
  char number[16];
  for (int entry = 1; entry <= kPatchCount; ++entry) {
    if (current_ == kNumericOneBased) {
      std::snprintf(number, sizeof number, "%d", entry);
    } else if (current_ == kNumericZeroBased) {
      std::snprintf(number, sizeof number, "%d", entry - 1);
    } else if (entry <= static_cast<int>(read.size())) {
      names_.push_back(read[static_cast<std::size_t>(entry - 1)]);
      continue;
    } else {
      std::snprintf(number, sizeof number, "(%d)", entry);
    }
    names_.push_back(number);
  }
  namesFor_ = current_;
}

const std::vector<std::string>& TPatchLists::PatchNames() {
  Load();
  if (namesFor_ != current_) FillNames();
  return names_;
}

bool TPatchLists::TakeOverflow() {
  const bool was = overflow_;
  overflow_ = false;
  return was;
}
