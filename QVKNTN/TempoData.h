// A tempo mark: the tempo in quarter notes per minute, the note value it is shown in, and text.
#pragma once
#include <string>
#include "QVKNTN/NtnGeneralExpression.h"

class TTempoData final : public TNtnGeneralExpression {
 public:
  void GetText(TExpressionText& text, bool editView) const override;
  enum { tbEighth = 0, tbDottedEighth, tbQuarter, tbDottedQuarter, tbHalf, tbDottedHalf };

  explicit TTempoData(int tempo = 120, int base = tbQuarter);
  void AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const override;

  // Stores tempo (in beats of the base) converted to quarter notes per minute, and keeps the base.
  void SetTempo(int tempo, int base);
  // The stored tempo converted to beats of the given base.
  int GetTempo(int base) const;
  int GetBase() const { return fBase; }
  // The stored tempo and base as they are, for the item record.
  int32_t GetQuarterTempo() const { return fQuarterTempo; }
  void SetStored(int32_t quarterTempo, int base);
  const std::string& GetText() const { return fText; }
  void SetText(const std::string& text) { fText = text; }

  // The earlier line names a tempo by an index into its list of tempo names and shows the value,
  // the name, both or neither (hidden).
  enum { kShowValue = 0x10, kShowName = 0x20 };
  int GetNameIndex() const { return fShown & 0x0F; }
  void SetNameIndex(int index) { fShown = uint8_t((fShown & ~0x0F) | (index & 0x0F)); }
  bool ShowsValue() const { return fShown & kShowValue; }
  bool ShowsName() const { return fShown & kShowName; }
  void SetShown(bool value, bool name) {
    fShown = uint8_t((fShown & 0x0F) | (value ? kShowValue : 0) | (name ? kShowName : 0));
  }
  bool IsHidden() const { return !(fShown & (kShowValue | kShowName)); }
  // Name index and the two shown bits as the earlier record stores them (bits 0-5).
  int GetShownBits() const { return fShown; }
  void SetShownBits(int bits) { fShown = uint8_t(bits & 0x3F); }

 private:
  int32_t fQuarterTempo = 120;
  uint8_t fBase = tbQuarter;
  uint8_t fShown = kShowValue;
  std::string fText;
};
