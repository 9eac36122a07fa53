// The patch name lists of the instrument page: two numeric types, then the named lists of the
// patch list file (its "Patch Lists" section names them; each list's patch names are the keys of
// the section of that name). One set serves every instrument page of the run.
#pragma once

#include <string>
#include <vector>

// Reads the key names of a section in the profile functions' form: names separated by '\0', a
// second '\0' after the last; answers the characters copied, size - 2 when the names did not fit.
class TPatchListSource {
public:
  virtual ~TPatchListSource() = default;
  virtual int ReadKeys(const char* section, char* buffer, int size) = 0;
};

class TPatchLists {
public:
  static constexpr int kNumericOneBased = 0;
  static constexpr int kNumericZeroBased = 1;
  static constexpr int kPatchCount = 128;
  static constexpr int kListNamesBytes = 512;
  static constexpr int kPatchNamesBytes = 6000;

  // The names of the lists are read on the first use, not here.
  explicit TPatchLists(TPatchListSource& source) : source_(source) {}

  // Reads the list names once; the current type becomes the first named list when there is one.
  void Load();
  int TypeCount();
  std::string TypeName(int type);
  int CurrentType();
  void SetCurrentType(int type);
  // "<None>" and the 128 entries of the current type.
  const std::vector<std::string>& PatchNames();
  // Set when a section held more than its buffer or a list more than 128 names: what did not fit
  // was left out. Cleared by reading it.
  bool TakeOverflow();

private:
  std::vector<std::string> ReadSection(const char* section, int bytes);
  void FillNames();

  TPatchListSource& source_;
  bool loaded_ = false;
  bool overflow_ = false;
  std::vector<std::string> lists_;
  int current_ = kNumericOneBased;
  int namesFor_ = -1;  // the type whose names are held
  std::vector<std::string> names_;
};

// The names of a profile key buffer; `truncated` is set when the source said the buffer was full,
// and the last name (perhaps cut) is dropped.
std::vector<std::string> SplitKeyNames(const char* buffer, int length, int size, bool& truncated);
