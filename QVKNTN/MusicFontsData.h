#pragma once
// The score's base staff size and its table of 12 text fonts, which drawing scales to a device.

class TMusicFontsData {
public:
  static constexpr int kFontCount = 12;
  static constexpr int kFaceSize = 32;
  static constexpr int kDefaultStaffSize = 16;

  struct Font {
    char face[kFaceSize];
    int size;             // points
    unsigned char style;  // 2 bits: bold, italic
    unsigned char charset;
  };

  TMusicFontsData() { ResetDefaults(kDefaultStaffSize); }

  // Every font back to its default for a base staff size (in points).
  void ResetDefaults(int staffSize);

  int GetStaffSize() const { return staffSize_; }
  void SetStaffSize(int points) { staffSize_ = points; }
  Font& GetFont(int i) { return fonts_[Clamp(i)]; }
  const Font& GetFont(int i) const { return fonts_[Clamp(i)]; }
  void SetFace(int i, const char* face);

private:
  static int Clamp(int i) { return (i < 0 || i >= kFontCount) ? 0 : i; }

  int staffSize_ = kDefaultStaffSize;
  Font fonts_[kFontCount];
};
