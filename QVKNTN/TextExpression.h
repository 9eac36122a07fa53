// Free text above or below the staff in one of the score's twelve text fonts.
#pragma once
#include <cstddef>
#include "QVKNTN/EditorLine.h"
#include <string>
#include "QVKNTN/NtnGeneralExpression.h"

class TTextExpression final : public TNtnGeneralExpression {
 public:
  void GetText(TExpressionText& text, bool editView) const override;
  enum { kFonts = 12 };

  TTextExpression();

  int GetFont() const { return fFont; }
  void SetFont(int font) { fFont = uint8_t((font >= 0 && font < kFonts) ? font : 0); }
  const std::string& GetText() const { return fText; }
  // The earlier line keeps a text in a 32-byte buffer.
  static constexpr std::size_t kEarlierTextLength = 31;
  void SetText(const std::string& text) { fText = kEarlierLine ? text.substr(0, kEarlierTextLength) : text; }

 private:
  uint8_t fFont = 0;
  std::string fText;
};
