#include "foundation/NewScoreInfo.h"

// Zero-initialised static storage: every text starts empty.
static TScoreInfoTexts newScoreInfo = {};

TScoreInfoTexts& GetNewScoreInfoTemplate() { return newScoreInfo; }
