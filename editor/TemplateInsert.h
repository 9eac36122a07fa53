// The Insert menu's item dialogs (Bar Line... to Multi-Point Controller...): each edits the
// template item of its kind in the notation properties sheet, and OK inserts a copy at the
// caret. The template keeps what the user chose for the next time.
#pragma once

#include "editor/NoteEntry.h"
#include "editor/NtnPropData.h"

class TInsertItemTemplates;
class TNotatedItem;

// The template the command edits; null for any other command.
TNotatedItem* TemplateOfCommand(TInsertItemTemplates& templates, int command);

// Before the sheet: a template with a staff position of its own takes the caret's (with
// `smart` inserts only a text does: the others are placed as new expressions), and the record
// over it is gathered.
void PrepareTemplate(TNotatedItem& item, int caretPosition, bool smart, TNtnPropData& data);

// After OK: the sheet's values go into the template, then a copy of it in at the caret under the
// command's record.
TEntryResult InsertFromTemplate(TNoteEntry& entry, TNotatedItem& item, int command, bool smart,
                                const TNtnPropData& data);
