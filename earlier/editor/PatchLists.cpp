#include "earlier/editor/PatchLists.h"

#include <algorithm>
#include <cstdio>

TPatchLists::TPatchLists(TSectionKeys reader) : reader_(std::move(reader)) {}

std::vector<std::string> TPatchLists::SplitKeys(const std::string& buffer) {
  std::vector<std::string> keys;
  std::size_t at = 0;
  while (at < buffer.size() && buffer[at] != '\0') {
    const std::size_t end = std::min(buffer.find('\0', at), buffer.size());
    keys.push_back(buffer.substr(at, end - at));
    at = end + 1;
  }
  return keys;
}

void TPatchLists::LoadListNames() {
  if (loaded_) return;
  loaded_ = true;
  listNames_ = SplitKeys(reader_("Patch Lists", kListNamesBuffer));
  if (!listNames_.empty()) type_ = kFirstNamed;
}

std::vector<std::string> TPatchLists::TypeEntries() {
  LoadListNames();
  std::vector<std::string> entries = {"Numeric, 1 Based", "Numeric, 0 Based"};
  entries.insert(entries.end(), listNames_.begin(), listNames_.end());
  return entries;
}

int TPatchLists::GetType() {
  LoadListNames();
  return type_;
}

bool TPatchLists::SetType(int type) {
  LoadListNames();
  if (type < 0 || type >= kFirstNamed + static_cast<int>(listNames_.size()) || type == type_) return false;
  type_ = type;
  return true;
}

const std::vector<std::string>& TPatchLists::PatchNames(int type) {
  if (type != namesType_) {
    namesType_ = type;
    patchNames_ = SplitKeys(reader_(listNames_[type - kFirstNamed].c_str(), kPatchNamesBuffer));
    // A list file may name more than the 128 patches a program change can choose.
    if (patchNames_.size() > kPatches) patchNames_.resize(kPatches);
  }
  return patchNames_;
}

std::vector<std::string> TPatchLists::PatchEntries(int type) {
  LoadListNames();
  std::vector<std::string> entries = {"<None>"};
  entries.reserve(kPatches + 1);
  const bool named = type >= kFirstNamed && type < kFirstNamed + static_cast<int>(listNames_.size());
  if (!named) {
    const int first = type == kNumericZeroBased ? 0 : 1;
    for (int i = 0; i < kPatches; ++i) entries.push_back(std::to_string(first + i));
    return entries;
  }
  const std::vector<std::string>& names = PatchNames(type);
  entries.insert(entries.end(), names.begin(), names.end());
  char text[16];
  for (int n = static_cast<int>(names.size()) + 1; n <= kPatches; ++n) {
    std::snprintf(text, sizeof text, "(%d)", n);
    entries.push_back(text);
  }
  return entries;
}
