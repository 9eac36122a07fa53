// The music-font check of the running program: the real font tests and task-modal boxes.
#pragma once
#include "app/MusicFontCheck.h"

TMusicFontCheckSeam SystemMusicFontSeam();
