// The mouse cursor as the busy cursors see it: show the hourglass, put a cursor back. The host
// build keeps a stand-in cursor so the nesting logic runs and is tested natively.
#pragma once

using TCursorHandle = void*;

// Shows the hourglass and answers the cursor it replaced.
TCursorHandle ShowWaitCursor();
// Makes the cursor current and answers the one it replaced.
TCursorHandle SetCurrentCursor(TCursorHandle cursor);
TCursorHandle GetCurrentCursor();
TCursorHandle GetWaitCursor();
