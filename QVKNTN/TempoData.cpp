#include "QVKNTN/TempoData.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/ExpressionEvents.h"
#include "QVKNTN/StaffContext.h"

namespace {
// Quarter notes per beat of each tempo base, as a fraction: eighth 1/2 .. dotted half 3/1.
struct TBaseRatio {
  int num;
  int den;
};
constexpr TBaseRatio kBaseRatio[6] = {{1, 2}, {3, 4}, {1, 1}, {3, 2}, {2, 1}, {3, 1}};

int ValidBase(int base) { return (base >= 0 && base < 6) ? base : TTempoData::tbQuarter; }
}  // namespace

TTempoData::TTempoData(int tempo, int base) : TNtnGeneralExpression(ntTempo) {
  SetTempo(tempo, base);
  SetWide(kEarlierLine);
  SetPosition(-10);
}

void TTempoData::SetTempo(int tempo, int base) {
  fBase = uint8_t(ValidBase(base));
  const TBaseRatio r = kBaseRatio[fBase];
  fQuarterTempo = int32_t(tempo) * r.num / r.den;
}

int TTempoData::GetTempo(int base) const {
  const TBaseRatio r = kBaseRatio[ValidBase(base)];
  return int(fQuarterTempo * r.den / r.num);
}

void TTempoData::SetStored(int32_t quarterTempo, int base) {
  fQuarterTempo = quarterTempo;
  fBase = uint8_t(ValidBase(base));
}

void TTempoData::AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const {
  NtnSendTempo(sink, context.GetTick(), fQuarterTempo);
}
