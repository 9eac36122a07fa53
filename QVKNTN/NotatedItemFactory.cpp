#include "QVKNTN/NotatedItemFactory.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/TimeSignatureData.h"

TNotatedItem* NewNotatedItem(int type) {
  switch (type) {
    case ntClef: return new TClefData();
    case ntKey: return new TKeyData();
    case ntBarLine: return new TBarLineData();
    case ntSpecialEnding: return new TSpecialEnding();
    case ntPatch: return new TPatchData();
    case ntTimeSignature: return new TTimeSignatureData();
    case ntTempo: return new TTempoData();
    case ntDynamicLevel: return new TDynamicLevelData();
    case ntNote: return new TMusicNote();
    case ntRest: return new TRestNote();
    case ntChord: return new TChordData();
    case ntSustainPedal: return new TSustainPedal();
    case ntFlowDirection: return new TFlowDirection();
    case ntGenericControl: return new TGenericControl();
    case ntTempoVariance: return new TTempoVariance();
    case ntDynamicVariance: return new TDynamicVariance();
    case ntPerformanceStyle: return new TPerformanceStyle();
    case ntTextExpression: return new TTextExpression();
    case ntRestChord: return new TRestChord();
    default: return nullptr;
  }
}
