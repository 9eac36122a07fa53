// A breach: portable notation code reaching into the framework.
#include "QVKNTN/MusicStaff.h"
#include "framework/DC.h"
