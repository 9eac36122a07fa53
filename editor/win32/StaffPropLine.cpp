// The current line's staff properties end with the Midi page and the Instrument page, which
// edits the staff's default instrument; the earlier line replaces this file with a Midi page
// that shows the instrument and changes it in the patch dialog.
#include "editor/win32/NtnPropInstrumentPage.h"
#include "editor/win32/StaffPropDlg.h"
#include "editor/win32/StaffPropMidiTab.h"

void TStaffPropDialog::AddLinePages(TMusicStaff& copy) {
  AddPage("Midi", new TStaffPropMidiTab(this, copy));
  AddPage("Instrument", new TNtnPropInstrumentPage(this, instrument_));
}
