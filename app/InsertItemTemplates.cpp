#include "app/InsertItemTemplates.h"

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

TInsertItemTemplates::TInsertItemTemplates()
    : barLine(new TBarLineData(0, 1)),
      clef(new TClefData(0)),
      key(new TKeyData()),
      tempo(new TTempoData(120, 2)),
      dynamic(new TDynamicLevelData(3)),
      timeSignature(new TTimeSignatureData(4, 2, 0)),
      patch(new TPatchData(nullptr)),
      ending(new TSpecialEnding(1)),
      pedal(new TSustainPedal(1)),
      flow(new TFlowDirection(0)),
      controller(new TGenericControl()),
      tempoVariance(new TTempoVariance(0, 0)),
      performanceStyle(new TPerformanceStyle(20)),
      dynamicVariance(new TDynamicVariance(0)),
      text(new TTextExpression()) {}

TInsertItemTemplates::~TInsertItemTemplates() {
  delete text;
  delete dynamicVariance;
  delete performanceStyle;
  delete tempoVariance;
  delete controller;
  delete flow;
  delete pedal;
  delete ending;
  delete patch;
  delete timeSignature;
  delete dynamic;
  delete tempo;
  delete key;
  delete clef;
  delete barLine;
}
