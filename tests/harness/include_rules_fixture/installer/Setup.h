// Allowed: the foundation library. A breach: the notation core.
#include "foundation/QXTStream.h"
#include "QVKNTN/MusicScore.h"
