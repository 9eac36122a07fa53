#include "editor/win32/LyricDlg.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "QVKNTN/EditorLine.h"
#include "QVKNTN/LyricText.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/MusicFontRequests.h"
#include "QVKNTN/win32/MusicFonts.h"
#include "QVKNTN/win32/RequestedFont.h"
#include "app/win32/QVKPropertyPage.h"
#include "earlier/editor/EarlierEditRules.h"
#include "editor/LyricsRules.h"
#include "editor/win32/ScoreEdit.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/EditNumber.h"
#include "framework/PropertyTab.h"

namespace {

constexpr int kConfigPage = 555;
constexpr int kLinePage = 556;
constexpr int kCountCombo = 101;
constexpr int kPlacementCombo = 102;
constexpr int kOffsetEdit = 103;
constexpr int kAlignmentCombo = 104;
constexpr int kUpperEdit = 201;
constexpr int kLowerEdit = 202;
constexpr int kLineEdit = 101;
constexpr int kLineTextLimit = 30000;
constexpr int kStaffLyricFont = 2;

// The earlier line's page has no alignment and no vertical size: OK moves the staff's boundary
// by the room the lyric lines take (earlier_rules::ApplyLyricsRoom).
class TLyricDataPage : public TQVKPropertyPage {
public:
  TLyricDataPage(TQVKPropertyDlg* sheet, TScoreEdit& view, TMusicStaff& staff)
      : TQVKPropertyPage(sheet, kConfigPage), view_(view), staff_(staff) {
    const int least = std::max(1, staff.GetLineCount());
    count_ = new TComboBox(this, kCountCombo);
    placement_ = new TComboBox(this, kPlacementCombo);
    offset_ = new TEditNumber(this, kOffsetEdit, TNumberRange{-100, 100, 1});
    if constexpr (kEarlierLine) return;
    alignment_ = new TComboBox(this, kAlignmentCombo);
    upper_ = new TEditNumber(this, kUpperEdit, TNumberRange{least, TMusicStaff::kMaxExtent, 1});
    lower_ = new TEditNumber(this, kLowerEdit, TNumberRange{least, TMusicStaff::kMaxExtent, 1});
  }

  bool Find(TEvent& ev) override {
    // Changes of the count, the placement or the offset move the vertical size.
    if (ev.msg == WM_COMMAND && ready_ && !ev.probe) {
      const int id = LOWORD(ev.wParam);
      const int code = HIWORD(ev.wParam);
      if ((code == CBN_SELCHANGE && (id == kCountCombo || id == kPlacementCombo)) ||
          (code == EN_CHANGE && id == kOffsetEdit)) {
        RoomChanged();
        ev.result = 0;
        return true;
      }
    }
    return TQVKPropertyPage::Find(ev);
  }

  void SetupWindow() override {
    TQVKPropertyPage::SetupWindow();
    const TLyricConfig c = LyricConfigOf(staff_);
    for (int n = 0; n <= kLyricSheetLines; ++n) count_->AddString(LyricCountText(n).c_str());
    placement_->AddString("Bottom");
    placement_->AddString("Top");
    count_->SetSelIndex(c.count);
    placement_->SetSelIndex(c.placement);
    offset_->SetValue(c.offset);
    if (alignment_) {
      alignment_->AddString("Start of Accidental/Note");
      alignment_->AddString("Standard Rules");
      alignment_->SetSelIndex(c.alignment);
      upper_->SetValue(c.upper);
      lower_->SetValue(c.lower);
    }
    remembered_ = Room();
    ready_ = true;
  }

  bool Apply() override {
    TLyricConfig c = LyricConfigOf(staff_);
    const TLyricConfig before = c;
    c.count = std::max(count_->GetSelIndex(), 0);
    c.placement = std::max(placement_->GetSelIndex(), 0);
    c.offset = offset_->GetValue();
    if constexpr (kEarlierLine) {
      earlier_rules::ApplyLyricsRoom(staff_, before.count, before.placement, c.count, c.placement, LineHeight());
      c.upper = -staff_.GetUpperSize();
      c.lower = staff_.GetLowerSize();
    } else {
      c.alignment = std::max(alignment_->GetSelIndex(), 0);
      c.upper = upper_->GetValue();
      c.lower = lower_->GetValue();
    }
    StoreLyricConfig(staff_, c);
    return TQVKPropertyPage::Apply();
  }

private:
  TLyricRoom Room() const {
    TLyricRoom r;
    r.count = std::max(count_->GetSelIndex(), 0);
    r.placement = std::max(placement_->GetSelIndex(), 0);
    const std::string offset = offset_->GetWindowTextString();
    r.offset = std::clamp(std::atoi(offset.c_str()), -100, 100);
    return r;
  }

  int LineHeight() const {
    const TMusicFonts* fonts = view_.GetFonts();
    return fonts ? fonts->GetLyricLineHeight() : 4;
  }

  void RoomChanged() {
    const TLyricRoom now = Room();
    for (int i = 0; i < kLyricSheetLines; ++i) EnableTab(i + 1, i < now.count);
    if (!upper_ || !lower_) return;
    int upper = upper_->GetValue();
    int lower = lower_->GetValue();
    AdjustLyricRoom(remembered_, now, LineHeight(), staff_.GetLineCount(), upper, lower);
    upper_->SetValue(upper);
    lower_->SetValue(lower);
    remembered_ = now;
  }

  TScoreEdit& view_;
  TMusicStaff& staff_;
  TComboBox* count_;
  TComboBox* alignment_ = nullptr;
  TComboBox* placement_;
  TEditNumber* offset_;
  TEditNumber* upper_ = nullptr;
  TEditNumber* lower_ = nullptr;
  TLyricRoom remembered_;
  bool ready_ = false;
};

class TLyricXPage : public TQVKPropertyPage {
public:
  TLyricXPage(TMainLyricDlg* sheet, TMusicStaff& staff, int line)
      : TQVKPropertyPage(sheet, kLinePage), sheet_(*sheet), staff_(staff), line_(line) {
    edit_ = new TEdit(this, kLineEdit, kLineTextLimit);
  }

  void SetupWindow() override {
    TQVKPropertyPage::SetupWindow();
    if (HFONT font = sheet_.LyricFont()) edit_->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const TStaffLyrics* lyrics = staff_.GetLyrics();
    const TLyricText* text = lyrics ? lyrics->GetLine(line_) : nullptr;
    if (text) text->ShowInEdit(edit_->GetHandle());
  }

  void Activated() override { edit_->SetSelection(selStart_, selEnd_); }

  bool CanLeave() override {
    edit_->GetSelection(selStart_, selEnd_);
    return TQVKPropertyPage::CanLeave();
  }

  bool Apply() override {
    TStaffLyrics* lyrics = staff_.GetLyrics();
    TLyricText* text = lyrics && line_ < lyrics->GetLineCount() ? lyrics->GetLine(line_) : nullptr;
    if (text) {
      text->LoadFromEdit(edit_->GetHandle(), true);
      if (text->WasCut()) {
        char message[160];
        std::snprintf(message, sizeof message,
                      "Lyric line %d is longer than a lyric line can hold; the syllables at its end were left out.",
                      line_ + 1);
        MessageBox(message, "Lyrics", MB_OK | MB_ICONEXCLAMATION);
      }
    }
    return TQVKPropertyPage::Apply();
  }

private:
  TMainLyricDlg& sheet_;
  TMusicStaff& staff_;
  int line_;
  TEdit* edit_;
  int selStart_ = 0;
  int selEnd_ = 0;
};

}  // namespace

TMainLyricDlg::TMainLyricDlg(TScoreEdit& view, TMusicStaff& staff)
    : TQVKPropertyDlg(&view, kResourceId, kResourceId, kStandardStyle), view_(view) {
  const TStaffLyrics* lyrics = staff.GetLyrics();
  const int count = lyrics ? lyrics->GetLineCount() : 0;
  AddPage("Configuration", new TLyricDataPage(this, view, staff));
  for (int i = 0; i < kLyricSheetLines; ++i) {
    char caption[16];
    std::snprintf(caption, sizeof caption, "Lyric %d", i + 1);
    AddPage(caption, new TLyricXPage(this, staff, i), i < count);
  }
}

HFONT TMainLyricDlg::LyricFont() {
  if (lyricFont_) return lyricFont_->GetHandle();
  const TMusicFonts* fonts = view_.GetFonts();
  if (!fonts || !fonts->GetData()) return nullptr;
  FontRequest request = MusicFontRequests::TextFont(fonts->GetData()->GetFont(kStaffLyricFont), 1, 1);
  // The text is edited at the size of the dialog's own font, whatever size the score prints it.
  LOGFONTA dialogFont{};
  HFONT own = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  request.height = own && GetObjectA(own, sizeof dialogFont, &dialogFont) ? dialogFont.lfHeight : -11;
  HFONT made = CreateRequestedFont(request);
  if (!made) return nullptr;
  lyricFont_ = std::make_unique<TFont>(made, true);
  return made;
}

void TMainLyricDlg::CmOk() {
  // Nothing is recorded for a sheet that a page keeps open.
  if (GetTabStrip() && !GetTabStrip()->ValidateAllPages()) return;
  if (!RecordLyricsUndo(view_.Editing())) return;
  TQVKPropertyDlg::CmOk();
}
