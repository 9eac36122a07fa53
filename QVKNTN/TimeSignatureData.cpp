#include "QVKNTN/TimeSignatureData.h"
#include "QVKNTN/StaffContext.h"

TTimeSignatureData::TTimeSignatureData(int beats, int beatCode, int style) : TNotatedItem(ntTimeSignature) {
  SetBeats(beats);
  SetBeatCode(beatCode);
  SetStyle(style);
}

void TTimeSignatureData::SetBeats(int beats) {
  // No beats would give bars of no length, which nothing can fill or re-bar.
  fBeats = uint8_t((beats >= 1 && beats < 100) ? beats : 4);
}

void TTimeSignatureData::SetBeatCode(int code) {
  fCodeAndStyle = uint8_t((fCodeAndStyle & 0xF0) | ((code >= 0 && code < 6) ? code : 2));
}

void TTimeSignatureData::SetStyle(int style) {
  fCodeAndStyle = uint8_t((fCodeAndStyle & 0x0F) | ((style & 0x0F) << 4));
  if (style == tsCommonTime) {
    fBeats = 4;
    SetBeatCode(2);
  } else if (style == tsAllaBreve) {
    fBeats = 2;
    SetBeatCode(1);
  }
}

int32_t TTimeSignatureData::GetBarTicks() const { return int32_t(fBeats) * (kWholeNoteTicks >> GetBeatCode()); }

void TTimeSignatureData::UpdateContext(TStaffContext& context) const { context.SetTimeSig(fBeats, GetBeatCode()); }
