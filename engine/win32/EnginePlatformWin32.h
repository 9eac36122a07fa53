// The engine's platform seam bound to the multimedia timer, midiOut and posted messages.
#pragma once
#include "engine/EnginePlatform.h"

EnginePlatform& Win32EnginePlatform();
