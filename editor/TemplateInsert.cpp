#include "editor/TemplateInsert.h"

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/TimeSignatureData.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/NotationTypes.h"
#include "app/InsertItemTemplates.h"
#include "resources/CommandIds.h"

TNotatedItem* TemplateOfCommand(TInsertItemTemplates& t, int command) {
  switch (command) {
    case CM_INS_BARLINE: return t.barLine;
    case CM_INS_CLEF: return t.clef;
    case CM_INS_KEYSIG: return t.key;
    case CM_INS_TIMESIG: return t.timeSignature;
    case CM_INS_TEMPO: return t.tempo;
    case CM_INS_DYNAMIC: return t.dynamic;
    case CM_INS_PEDAL: return t.pedal;
    case CM_INS_ENDING: return t.ending;
    case CM_INS_FLOW: return t.flow;
    case CM_INS_TEMPOVARIANCE: return t.tempoVariance;
    case CM_INS_PERFSTYLE: return t.performanceStyle;
    case CM_INS_DYNVARIANCE: return t.dynamicVariance;
    case CM_INS_TEXT: return t.text;
    case CM_INS_PATCH: return t.patch;
    case CM_INS_CONTROLLER: return t.controller;
    default: return nullptr;
  }
}

void PrepareTemplate(TNotatedItem& item, int caretPosition, bool smart, TNtnPropData& data) {
  if (item.IsExpression() && (!smart || item.GetType() == ntTextExpression)) item.SetPosition(caretPosition);
  TNotatedItem* items[] = {&item};
  GatherNtnProps(items, smart, data);
}

TEntryResult InsertFromTemplate(TNoteEntry& entry, TNotatedItem& item, int command, bool smart,
                                const TNtnPropData& data) {
  TNotatedItem* items[] = {&item};
  ApplyNtnProps(items, smart, data);
  return entry.InsertCopy(item, command, smart);
}
