// A tempo variance: a breath mark or fermata that holds the song position, or a gradual tempo
// change (the start and end tempi and the length are filled in by the performance builder).
#pragma once
#include "QVKNTN/NtnGeneralExpression.h"
#include "foundation/VocabularyLists.h"

class TTempoVariance final : public TNtnGeneralExpression {
 public:
  void GetText(TExpressionText& text, bool editView) const override;
  enum { tvBreathMark = 0, tvFermata = 1 };

  explicit TTempoVariance(int style = tvBreathMark, int pause = 0);
  void AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const override;

  int GetStyle() const { return fStyle; }
  void SetStyle(int style) { fStyle = uint8_t(style); }
  // The mark drawn for the style: the first two are music-font symbols, the rest words.
  const char* GetStyleName() const { return GetListEntry(kVocabTempoVarianceMarks, fStyle); }
  // Only breath marks and fermatas carry a pause.
  bool HasPause() const { return fStyle == tvBreathMark || fStyle == tvFermata; }
  int GetPause() const { return fPause; }
  void SetPause(int pause) { fPause = uint8_t(pause); }
  int GetStartTempo() const { return fStartTempo; }
  int GetEndTempo() const { return fEndTempo; }
  int32_t GetLength() const { return fLength; }
  void SetRunTime(int startTempo, int endTempo, int32_t length);

 private:
  uint8_t fStyle;
  uint8_t fPause;
  int16_t fStartTempo = 0;
  int16_t fEndTempo = 0;
  int32_t fLength = 0;
};
