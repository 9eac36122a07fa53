// The earlier line's Transpose Staff command: the dialog asking for the semitones, and the
// warning that shows, chord by chord, where the transposition may spell an interval wrongly.
#pragma once

class TScoreEdit;

// Runs the whole command on the view's current staff.
void RunEarlierTransposeCommand(TScoreEdit& view);
