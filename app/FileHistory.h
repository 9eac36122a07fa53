// The recent-file list: 10 entries, newest first, each a path and a title of 260 characters,
// kept in the "FileHistory" section as "Title%d" and "Name%d" (N from 1).
#pragma once

class TSysInfo;

struct TFileHistoryEntry {
  char path[260];
  char title[260];
};
static_assert(sizeof(TFileHistoryEntry) == 520, "an entry is 520 bytes");

class TFileHistory {
public:
  static constexpr int kCount = 10;

  TFileHistory() { Clear(); }
  void Clear();
  // Puts the path on top: an entry with the same path (any letter case) moves up, else the
  // oldest falls out. Texts longer than an entry are cut.
  void Add(const char* path, const char* title);
  const TFileHistoryEntry& Entry(int i) const { return entries_[i]; }

  void Load(TSysInfo& settings);
  void Save(TSysInfo& settings) const;

private:
  TFileHistoryEntry entries_[kCount];
};
