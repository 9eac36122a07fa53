// The information texts a new or cleared score starts with: one 1320-byte block in the layout of
// a score's information, filled with empty texts before the program starts; start-up replaces the
// author and the first copyright line with its placeholders.
#pragma once

struct TScoreInfoTexts {
  char Title[64];
  char Author[48];
  char Copyright1[92];
  char Copyright2[92];
  char Comments[1024];
};
static_assert(sizeof(TScoreInfoTexts) == 1320, "the information block is 1320 bytes");

TScoreInfoTexts& GetNewScoreInfoTemplate();
