// The audit pass: recomputes every item state that follows from the items around it (bars and
// whole-bar rests, broken groups, slur and tie state, key memory, dynamics and ramps), so that
// layout, drawing, playback and saving see a consistent staff. Whole scores are audited before
// saving, printing and playing, whole staves after loading, and the edited range after each edit.
#pragma once

class TMusicScore;
class TMusicStaff;
class TStaffRange;
class TAuditNtnIdx;

// Audits every staff (all) or only the staves whose changed flag is set.
void AuditScoreStaves(TMusicScore* score, bool all);
// Audits a..b widened to whole bars (a < 0: from the start, b < 0: to the end); a whole-staff
// audit clears the staff's changed flag.
void AuditStaff(TMusicStaff* staff, int a, int b);
// Audits the bars around an edit: two bar lines back from a and two forward from b (b < 0: a).
void AuditStaffAround(TMusicStaff* staff, int a, int b);
// Audits a range from the bar line before it to the bar line after it.
void AuditItemRange(const TStaffRange& range);
// The fix-up for the item at the cursor, with the context as it stands before that item.
void AuditItemStep(TAuditNtnIdx& index);

// Range audits run by this process: lets tests and benchmarks check that an edit of many items
// audits once.
long long AuditRangesRun();

// Connects the score model's audit hooks to this pass.
void InstallAuditPass();
