// The instrument names the patch dialog offers: two numeric lists and the named lists of the
// patch list file, one state for the whole run (the list in use is remembered between dialogs).
#pragma once
#include <functional>
#include <string>
#include <vector>

class TPatchLists {
public:
  static constexpr int kPatches = 128;
  static constexpr int kNumericOneBased = 0;
  static constexpr int kNumericZeroBased = 1;
  static constexpr int kFirstNamed = 2;
  // The profile reader's buffer sizes: the list names, and one list's patch names.
  static constexpr int kListNamesBuffer = 512;
  static constexpr int kPatchNamesBuffer = 6000;

  // Reads the key names of a section ("Patch Lists" for the list names) as the profile functions
  // give them: names separated by NUL, the list ended by a second NUL. The answer is the buffer.
  using TSectionKeys = std::function<std::string(const char* section, int bufferSize)>;
  explicit TPatchLists(TSectionKeys reader);

  // The type combo box: the two numeric types, then the named lists in file order.
  std::vector<std::string> TypeEntries();
  // The patch list box for the type: "<None>" and 128 patches.
  std::vector<std::string> PatchEntries(int type);
  int GetType();
  // A type outside the combo box's entries is ignored; answers whether the type in use changed.
  bool SetType(int type);

  // Splits a NUL-separated key list.
  static std::vector<std::string> SplitKeys(const std::string& buffer);

private:
  void LoadListNames();
  const std::vector<std::string>& PatchNames(int type);

  TSectionKeys reader_;
  bool loaded_ = false;
  std::vector<std::string> listNames_;
  int type_ = kNumericOneBased;
  int namesType_ = -1;  // the named list whose patch names are held
  std::vector<std::string> patchNames_;
};
