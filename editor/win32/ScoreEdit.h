// The editing view that fills a score window: the caret and selection on the current staff,
// keys and mouse, scrolling, zoom, the staff commands, undo and redo, and painting through the
// score layout. The editing rules themselves live in TScoreEditing.
#pragma once

#include <memory>

#include "editor/NoteEntry.h"
#include "editor/ScoreEditing.h"
#include "editor/ViewRules.h"
#include "framework/Control.h"

class TMusicFonts;
class TScoreDrawInfo;
class TStaffDrawInfo;
class TQXTCaret;
class TScoreMidiPlayer;

class TScoreEdit : public TControl {
public:
  static constexpr int kMaxStaves = 255;
  static constexpr int kShownHeightLimit = 25000;

  TScoreEdit(TWindow* parent, TMusicScore& score, TUndoActionMgr& undo, TScoreEditing::TModifiedSink* sink);
  ~TScoreEdit() override;

  const char* GetClassName() const override { return "TQVK17ScoreEdit"; }
  void GetWindowClass(WNDCLASSA& wc) override;
  void SetupWindow() override;
  void Paint(TDC& dc, bool erase, const TRect& rect) override;
  bool Find(TEvent& ev) override;

  // Operations the window and later editing commands use.
  void AttachScore();
  void RelayoutScore();
  void ApplyZoom();
  void RefreshAll();
  // The same, but the view stays where it is scrolled even when the caret lies outside it.
  void RefreshKeepingScroll();
  void SetActive(bool active);
  bool IsActive() const { return active_; }
  // The staff colours or the colour options changed: the staves take theirs again and repaint.
  void RefreshColors();
  // Usable: active, and not following a play or recording of this window.
  bool IsUsable() const;
  void SetCurrentStaff(int shown);
  void MoveCaretTo(int index, bool extend);
  void MoveCaretBy(int delta, bool extend) { MoveCaretTo(edit_.GetCaretIndex() + delta, extend); }
  void StepCaretPosition(int delta, bool extend);
  void SetCaretFromPoint(int x, int y, bool extend);
  void ScrollToCaret();
  int GetCaretIndex() const { return edit_.GetCaretIndex(); }
  int GetCaretStaffPos() const { return caretStaffPos_; }
  // The staff line spacing the view draws with, in pixels.
  int GetLineSpacing() const;
  TMusicStaff* GetCurrentStaff() const { return edit_.CurrentStaff(); }
  int GetCurrentStaffIndex() const { return edit_.Place().staff; }
  bool HasSelection() const { return edit_.HasSelection(); }
  int GetSelectionStart() const { return edit_.GetSelectionStart(); }
  int GetSelectionEnd() const { return edit_.GetSelectionEnd(); }
  TScoreEditing& Editing() { return edit_; }
  // The view's fonts (the lyric line height of the lyrics sheet); null before set-up.
  const TMusicFonts* GetFonts() const { return fonts_.get(); }
  TUndoActionMgr& UndoManager() { return undo_; }
  // The entry points of note entry and the clipboard: insert before the caret, delete.
  bool InsertItemAtCaret(TNotatedItem* item, int command);
  void WriteStaffStatus();
  // While the window plays: the items sounding now are drawn in the play colour, the one sounding
  // before in its own again; the current staff scrolls along.
  void BeginPlayDisplay();
  void ShowPlayPosition(const TScoreMidiPlayer& player);
  void EndPlayDisplay();

  // Messages.
  LRESULT EvSize(WPARAM, LPARAM);
  LRESULT EvKeyDown(WPARAM, LPARAM);
  LRESULT EvKeyUp(WPARAM, LPARAM);
  LRESULT EvChar(WPARAM, LPARAM);
  LRESULT EvHScroll(WPARAM, LPARAM);
  LRESULT EvVScroll(WPARAM, LPARAM);
  LRESULT EvSetFocus(WPARAM, LPARAM);
  LRESULT EvKillFocus(WPARAM, LPARAM);
  LRESULT EvLButtonDown(WPARAM, LPARAM);
  LRESULT EvLButtonDblClk(WPARAM, LPARAM);
  LRESULT EvMouseMove(WPARAM, LPARAM);
  LRESULT EvLButtonUp(WPARAM, LPARAM);
  LRESULT EvRButtonDown(WPARAM, LPARAM);
  LRESULT EvMButtonDown(WPARAM, LPARAM);

  // The commands only one editor line has (editor/win32/ScoreEditLine.cpp and its replacement
  // under earlier/); looked up before the view's own table.
  bool FindLineCommand(TEvent& ev);
  // The colours each line gives its staves (the earlier line's view sets them from its colour
  // options), and the colour one item is redrawn in while a score plays.
  void ColorLineStaves();
  int ItemRedrawColor(int shown, bool playing) const;

  // Commands and their enablers.
  void CmUndo();
  void CmRedo();
  void CmSelectAll();
  void CmZoomIn();
  void CmZoomOut();
  void CmZoomAsk();
  void CmNewStaff();
  void CmDeleteStaff();
  void CmMuteStaff();
  void CmMoveStaffUp();
  void CmMoveStaffDown();
  void CmAllowLayering();
  void CeUndo(TCommandEnabler& ce);
  void CeRedo(TCommandEnabler& ce);
  void CeUsable(TCommandEnabler& ce);
  void CeUsableNoSelection(TCommandEnabler& ce);
  void CeAlways(TCommandEnabler& ce);
  void CeMoreStaves(TCommandEnabler& ce);
  void CeMuteStaff(TCommandEnabler& ce);
  void CeAllowLayering(TCommandEnabler& ce);

  // Note entry, the note tools, MIDI step entry and the clipboard (ScoreEditNotes.cpp and
  // ScoreEditClipboard.cpp): commands, enablers, the tool keys and the echoed MIDI input.
  static constexpr UINT kMidiEchoMessage = 0x3C3;
  bool FindNoteEntry(TEvent& ev);
  void NoteEntryCommand(int command);
  void EnableNoteEntry(TCommandEnabler& ce);
  bool NoteEntryChar(WPARAM ch);
  LRESULT EvMidiInput(WPARAM, LPARAM);
  // The tools show this view's selection while it is active.
  void FollowToolSelection();
  // Whether our private format is on the clipboard: refreshed on focus, set by a copy.
  static void RefreshClipboardState();
  static bool HasNotationOnClipboard();
  bool CopySelection();
  void CmCut();
  void CmPaste();
  void CmClear();
  void CmCopySpecial();
  void CmMidiInput();
  void ReportEntry(TEntryResult result);

private:
  void ApplyUndoStep(bool redo);
  void Zoom(int delta);
  void MoveStaffBy(int delta);
  void Relayout();
  void PlaceCaret();
  void UpdateScrollBars();
  void Refresh(bool followCaret);
  void ShowContextMenu(int x, int y, bool atCaret);
  // Scrolls so that the item and the bar line after it show, else to the bar start before it.
  bool ScrollToPlayedItem(int index);
  TStaffDrawInfo* CurrentLine() const;
  int ShownIndexOf(int scoreIndex) const;
  int CaretX() const;
  long TickOfIndex(int index) const;

  TMusicScore* score_;
  TUndoActionMgr& undo_;
  TScoreEditing edit_;
  TNoteEntry noteEntry_{edit_, NoteTools()};
  std::unique_ptr<TMusicFonts> fonts_;
  std::unique_ptr<TScoreDrawInfo> drawInfo_;
  std::unique_ptr<TQXTCaret> caret_;
  int caretStaffPos_ = 0;
  bool tracking_ = false;
  int xOffset_ = 0;
  int yOffset_ = 0;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  int lineStep_ = 0;
  bool active_ = false;
  long leftTick_ = 0;
  int currentShown_ = -1;
};
