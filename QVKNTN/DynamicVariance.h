// A dynamic variance (crescendo, diminuendo and the like): a velocity ramp over its length and a
// channel-volume sweep; target, volumes and length are filled in by the performance builder.
#pragma once
#include "QVKNTN/NtnGeneralExpression.h"
#include "foundation/VocabularyLists.h"

class TDynamicVariance final : public TNtnGeneralExpression {
 public:
  void GetText(TExpressionText& text, bool editView) const override;
  explicit TDynamicVariance(int style = 0);
  void UpdateContext(TStaffContext& context) const override;
  void AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const override;

  int GetStyle() const { return fStyle; }
  void SetStyle(int style) { fStyle = uint8_t(style); }
  const char* GetStyleName() const { return GetListEntry(kVocabDynamicVarianceMarks, fStyle); }
  int GetTargetVelocity() const { return fTargetVelocity; }
  int GetStartVolume() const { return fStartVolume; }  // negative: unset
  int GetEndVolume() const { return fEndVolume; }
  int32_t GetLength() const { return fLength; }
  void SetRunTime(int targetVelocity, int startVolume, int endVolume, int32_t length);

 private:
  uint8_t fStyle;
  uint8_t fTargetVelocity = 0;
  int8_t fStartVolume = -1;
  int8_t fEndVolume = -1;
  int32_t fLength = 0;
};
