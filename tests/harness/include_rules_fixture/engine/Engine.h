// A breach: the engine reaching into the foundation library.
#include "engine/EngineCore.h"
#include "foundation/QXTStream.h"
