// One notation item of each kind that the Insert commands start from; the record owns them.
#pragma once
#include <memory>

class TNotatedItem;
class TBarLineData;
class TClefData;
class TKeyData;
class TTempoData;
class TDynamicLevelData;
class TTimeSignatureData;
class TPatchData;
class TSpecialEnding;
class TSustainPedal;
class TFlowDirection;
class TGenericControl;
class TTempoVariance;
class TPerformanceStyle;
class TDynamicVariance;
class TTextExpression;

class TInsertItemTemplates {
public:
  TInsertItemTemplates();
  // In reverse order of construction.
  ~TInsertItemTemplates();
  TInsertItemTemplates(const TInsertItemTemplates&) = delete;
  TInsertItemTemplates& operator=(const TInsertItemTemplates&) = delete;

  TBarLineData* barLine;
  TClefData* clef;
  TKeyData* key;
  TTempoData* tempo;
  TDynamicLevelData* dynamic;
  TTimeSignatureData* timeSignature;
  TPatchData* patch;
  TSpecialEnding* ending;
  TSustainPedal* pedal;
  TFlowDirection* flow;
  TGenericControl* controller;
  TTempoVariance* tempoVariance;
  TPerformanceStyle* performanceStyle;
  TDynamicVariance* dynamicVariance;
  TTextExpression* text;
};
