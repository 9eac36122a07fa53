#include "earlier/editor/win32/ItemDialogs.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/TimeSignatureData.h"
#include "earlier/editor/ItemTransfers.h"
#include "editor/PatchLists.h"
#include "editor/NtnPropExpressions.h"
#include "editor/win32/ControllerControls.h"
#include "editor/win32/NtnPropInstrumentPage.h"
#include "foundation/VocabularyLists.h"
#include "framework/EditNumber.h"
#include "framework/ResponseTable.h"

using namespace item_transfer;

namespace {

// The base of the item dialogs: fills the controls from the item once the dialog stands, and
// stores them back only when OK finds every value valid.
class TItemDlg : public TMCTDialog {
public:
  TItemDlg(TWindow* parent, int id) : TMCTDialog(parent, id) {}
  void SetupWindow() override {
    TMCTDialog::SetupWindow();
    Load();
  }
  void CmOk() override {
    if (!CanClose() || !Store()) return;
    Destroy(IDOK);
  }

protected:
  virtual void Load() = 0;
  // False keeps the dialog open (or, for a refused special ending, is answered by Cancel).
  virtual bool Store() = 0;

  TEditNumber* Number(int id, int low, int high) { return new TEditNumber(this, id, TNumberRange{low, high, 1}); }
  HWND Item(int id) const { return TWindow::GetDlgItem(id); }
  void FillCombo(int id, const std::vector<std::string>& entries, int selected) {
    SendDlgItemMessageA(GetHandle(), id, CB_RESETCONTENT, 0, 0);
    for (const std::string& e : entries) SendDlgItemMessageA(GetHandle(), id, CB_ADDSTRING, 0, LPARAM(e.c_str()));
    SendDlgItemMessageA(GetHandle(), id, CB_SETCURSEL, selected, 0);
  }
  void FillCombo(int id, int list, int selected, int count = -1) {
    std::vector<std::string> entries;
    const int n = count >= 0 ? count : GetListEntryCount(list);
    for (int i = 0; i < n; ++i) entries.push_back(GetListEntry(list, i));
    FillCombo(id, entries, selected);
  }
  int ComboSel(int id) const { return int(SendDlgItemMessageA(GetHandle(), id, CB_GETCURSEL, 0, 0)); }
  bool Checked(int id) const { return IsDlgButtonChecked(GetHandle(), id) == BST_CHECKED; }
  void SetChecked(int id, bool on) { CheckDlgButton(GetHandle(), id, on ? BST_CHECKED : BST_UNCHECKED); }
};

// The shown staff position (edit 111, sign inverted) and the wide option (box 110) of the
// expressions whose dialogs carry them.
class TExpressionDlg : public TItemDlg {
public:
  TExpressionDlg(TWindow* parent, int id, TNtnGeneralExpression& e) : TItemDlg(parent, id), expr_(e) {
    position_ = Number(111, kShownPositionMin, kShownPositionMax);
  }

protected:
  void LoadPlacement() {
    position_->SetValue(ShownPosition(expr_.GetPosition()));
    SetChecked(110, expr_.IsWide());
  }
  void StorePlacement() {
    expr_.SetPosition(StoredPosition(position_->GetValue()));
    expr_.SetWide(Checked(110));
  }
  TNtnGeneralExpression& expr_;
  TEditNumber* position_;
};

class TKeySigDlg : public TItemDlg {
public:
  TKeySigDlg(TWindow* parent, TKeyData& key) : TItemDlg(parent, 534), key_(key) {}
  bool Find(TEvent& ev) override { return ev.Dispatch(this, kResponses) || TItemDlg::Find(ev); }

  LRESULT EvPreset(WPARAM, LPARAM) {
    Show(KeyPresetButtons(int(SendDlgItemMessageA(GetHandle(), 121, LB_GETCURSEL, 0, 0)), Shown()));
    return 0;
  }

private:
  void Load() override {
    for (int i = 0; i < kKeyPresets; ++i) SendDlgItemMessageA(GetHandle(), 121, LB_ADDSTRING, 0, LPARAM(KeyPresetName(i)));
    SendDlgItemMessageA(GetHandle(), 121, LB_SETCURSEL, 0, 0);
    Show(KeyButtonsOf(key_.GetFlatMask(), key_.GetSharpMask()));
  }
  void Show(const TKeyButtons& b) {
    for (int i = 0; i < kLetters; ++i) {
      for (int m = 0; m < 3; ++m) SetChecked(100 + 3 * i + m, int(b.mark[i]) == m);
    }
  }
  TKeyButtons Shown() const {
    TKeyButtons b;
    for (int i = 0; i < kLetters; ++i) {
      b.mark[i] = Checked(100 + 3 * i) ? TLetterMark::Flat : Checked(101 + 3 * i) ? TLetterMark::Sharp : TLetterMark::Neither;
    }
    return b;
  }
  bool Store() override {
    uint16_t flats = 0, sharps = 0;
    KeyMasksOf(Shown(), flats, sharps);
    key_.SetMasks(flats, sharps);
    return true;
  }
  using R = TResponse<TKeySigDlg>;
  static constexpr R kResponses[] = {R::Notify(121, LBN_SELCHANGE, &TKeySigDlg::EvPreset)};
  TKeyData& key_;
};

class TClefDlg : public TItemDlg {
public:
  TClefDlg(TWindow* parent, TClefData& clef) : TItemDlg(parent, 535), clef_(clef) {}

private:
  void Load() override {
    FillCombo(101, kVocabClefs, clef_.GetClef());
    FillCombo(102, kVocabOctaveShifts, OctaveShiftChoice(clef_.GetOctaveShift()));
  }
  bool Store() override {
    // The stored shift is the list's index, as the staff context and the drawing read it.
    StoreClefChoices(ComboSel(101), ComboSel(102), clef_);
    return true;
  }
  TClefData& clef_;
};

class TTimeSigDlg : public TItemDlg {
public:
  TTimeSigDlg(TWindow* parent, TTimeSignatureData& t) : TItemDlg(parent, 536), time_(t) { beats_ = Number(100, 1, 99); }

private:
  void Load() override {
    beats_->SetValue(time_.GetBeats());
    FillCombo(101, {"1", "2", "4", "8"}, -1);
    // The two shortest beat values are not in the list's resource.
    SendDlgItemMessageA(GetHandle(), 101, CB_ADDSTRING, 0, LPARAM("16"));
    SendDlgItemMessageA(GetHandle(), 101, CB_ADDSTRING, 0, LPARAM("32"));
    SendDlgItemMessageA(GetHandle(), 101, CB_SETCURSEL, time_.GetBeatCode(), 0);
    FillCombo(102, kVocabTimeSignatureStyles, time_.GetStyle());
  }
  bool Store() override {
    time_.SetBeats(beats_->GetValue());
    time_.SetBeatCode(ComboSel(101));
    time_.SetStyle(std::max(ComboSel(102), 0));
    return true;
  }
  TTimeSignatureData& time_;
  TEditNumber* beats_;
};

class TBarLineDlg : public TItemDlg {
public:
  TBarLineDlg(TWindow* parent, TBarLineData& bar) : TItemDlg(parent, 539), bar_(bar) {
    count_ = Number(103, kRepeatCountMin, kRepeatCountMax);
  }
  bool Find(TEvent& ev) override { return ev.Dispatch(this, kResponses) || TItemDlg::Find(ev); }
  LRESULT EvStyle(WPARAM, LPARAM) {
    EnableCount();
    return 0;
  }

private:
  void Load() override {
    FillCombo(101, kVocabBarLines, -1, TBarLineData::blMasterRepeatClose + 1);
    const TBarLineFields f = BarLineFieldsOf(bar_);
    SendDlgItemMessageA(GetHandle(), 101, CB_SETCURSEL, f.style, 0);
    count_->SetValue(f.repeatCount);
    EnableCount();
  }
  void EnableCount() {
    const bool counted = ComboSel(101) == kRepeatCountStyle;
    ::EnableWindow(Item(103), counted);
    ::EnableWindow(Item(102), counted);
  }
  bool Store() override {
    TBarLineFields f{ComboSel(101), count_->GetValue()};
    if (f.style < 0) {
      MessageBeep(MB_ICONEXCLAMATION);
      return false;
    }
    return ApplyBarLine(f, bar_);
  }
  using R = TResponse<TBarLineDlg>;
  static constexpr R kResponses[] = {R::Notify(101, CBN_SELCHANGE, &TBarLineDlg::EvStyle)};
  TBarLineData& bar_;
  TEditNumber* count_;
};

class TTempoDlg : public TItemDlg {
public:
  TTempoDlg(TWindow* parent, TTempoData& t) : TItemDlg(parent, 537), tempo_(t) {
    value_ = Number(100, kTempoMin, kTempoMax);
    position_ = Number(102, kShownPositionMin, kShownPositionMax);
  }
  bool Find(TEvent& ev) override { return ev.Dispatch(this, kResponses) || TItemDlg::Find(ev); }
  // On a new base (chosen, or when the box takes the focus) the shown tempo keeps its speed.
  LRESULT EvBase(WPARAM, LPARAM) {
    const int base = ComboSel(101);
    if (base < 0 || base == shownBase_) return 0;
    value_->SetValue(ConvertTempo(value_->GetValue(), shownBase_, base));
    shownBase_ = base;
    return 0;
  }

private:
  void Load() override {
    shownBase_ = tempo_.GetBase();
    FillCombo(101, kVocabBeatUnits, shownBase_);
    value_->SetValue(tempo_.GetTempo(shownBase_));
    position_->SetValue(ShownPosition(tempo_.GetPosition()));
    SetChecked(103, tempo_.ShowsValue());
    SetChecked(104, tempo_.ShowsName());
    static constexpr const char* kNames[] = {"Largo",   "Larghetto", "Adagio",     "Lento",
                                             "Moderato", "Andante",  "Andantino",  "Allegretto",
                                             "Allegro",  "Vivace",   "Presto",     "Prestissimo"};
    FillCombo(105, std::vector<std::string>(std::begin(kNames), std::end(kNames)), tempo_.GetNameIndex());
    SetChecked(106, tempo_.IsWide());
  }
  bool Store() override {
    tempo_.SetTempo(value_->GetValue(), std::max(ComboSel(101), 0));
    tempo_.SetPosition(StoredPosition(position_->GetValue()));
    tempo_.SetShown(Checked(103), Checked(104));
    tempo_.SetNameIndex(std::max(ComboSel(105), 0));
    tempo_.SetWide(Checked(106));
    return true;
  }
  using R = TResponse<TTempoDlg>;
  static constexpr R kResponses[] = {R::Notify(101, CBN_SELCHANGE, &TTempoDlg::EvBase),
                                     R::Notify(101, CBN_SETFOCUS, &TTempoDlg::EvBase)};
  TTempoData& tempo_;
  TEditNumber* value_;
  TEditNumber* position_;
  int shownBase_ = 0;
};

class TDynamicDlg : public TItemDlg {
public:
  TDynamicDlg(TWindow* parent, TDynamicLevelData& d) : TItemDlg(parent, 538), dyn_(d) {
    velocity_ = Number(103, -1, 127);
    volume_ = Number(105, 0, 127);
    position_ = Number(111, kShownPositionMin, kShownPositionMax);
  }

private:
  void Load() override {
    const TDynamicFields f = DynamicFieldsOf(dyn_);
    FillCombo(101, kVocabDynamicLevels, f.level);
    SetChecked(102, f.velocityGiven);
    velocity_->SetValue(f.velocity);
    SetChecked(104, f.volumeGiven);
    volume_->SetValue(f.volume);
    position_->SetValue(f.shownPosition);
    SetChecked(110, f.wide);
    SetChecked(112, f.hidden);
  }
  bool Store() override {
    TDynamicFields f;
    f.level = std::max(ComboSel(101), 0);
    f.velocityGiven = Checked(102);
    f.velocity = velocity_->GetValue();
    f.volumeGiven = Checked(104);
    f.volume = volume_->GetValue();
    f.shownPosition = position_->GetValue();
    f.wide = Checked(110);
    f.hidden = Checked(112);
    ApplyDynamic(f, dyn_);
    return true;
  }
  TDynamicLevelData& dyn_;
  TEditNumber* velocity_;
  TEditNumber* volume_;
  TEditNumber* position_;
};

class TPedalDlg : public TItemDlg {
public:
  TPedalDlg(TWindow* parent, TSustainPedal& p) : TItemDlg(parent, 540), pedal_(p) {}

private:
  void Load() override { FillCombo(101, {"Pedal Down", "Pedal Released"}, pedal_.GetState() ? 0 : 1); }
  bool Store() override {
    pedal_.SetState(ComboSel(101) == 0 ? 1 : 0);
    return true;
  }
  TSustainPedal& pedal_;
};

class TFlowDlg : public TItemDlg {
public:
  TFlowDlg(TWindow* parent, TFlowDirection& f) : TItemDlg(parent, 541), flow_(f) {}

private:
  void Load() override { FillCombo(101, kVocabFlowDirections, flow_.GetStyle()); }
  bool Store() override {
    flow_.SetStyle(std::max(ComboSel(101), 0));
    return true;
  }
  TFlowDirection& flow_;
};

class TEndingDlg : public TItemDlg {
public:
  TEndingDlg(TWindow* parent, TSpecialEnding& e) : TItemDlg(parent, 542), ending_(e) {}

private:
  void Load() override {
    for (int k = 0; k < kEndings; ++k) SetChecked(100 + k, (ending_.GetMask() >> k) & 1);
  }
  bool Store() override {
    uint32_t checked = 0;
    for (int k = 0; k < kEndings; ++k) checked |= Checked(100 + k) ? 1u << k : 0;
    // No ending checked: the dialog ends as if cancelled.
    if (!ApplyEndings(checked, ending_)) Destroy(IDCANCEL);
    return checked != 0;
  }
  TSpecialEnding& ending_;
};

class TTempoVarianceDlg : public TExpressionDlg {
public:
  TTempoVarianceDlg(TWindow* parent, TTempoVariance& t) : TExpressionDlg(parent, 558, t), tv_(t) {
    pause_ = Number(102, 0, 64);
  }

private:
  void Load() override {
    FillCombo(101, kVocabTempoVariances, tv_.GetStyle());
    pause_->SetValue(tv_.GetPause());
    LoadPlacement();
  }
  bool Store() override {
    StoreTempoVariance(std::max(ComboSel(101), 0), pause_->GetValue(), tv_);
    StorePlacement();
    return true;
  }
  TTempoVariance& tv_;
  TEditNumber* pause_;
};

class TPerformanceStyleDlg : public TExpressionDlg {
public:
  TPerformanceStyleDlg(TWindow* parent, TPerformanceStyle& p) : TExpressionDlg(parent, 559, p), ps_(p) {}

private:
  void Load() override {
    FillCombo(101, kVocabPerformanceStyles, ps_.GetStyle());
    LoadPlacement();
  }
  bool Store() override {
    ps_.SetStyle(std::max(ComboSel(101), 0));
    StorePlacement();
    return true;
  }
  TPerformanceStyle& ps_;
};

class TDynamicVarianceDlg : public TExpressionDlg {
public:
  TDynamicVarianceDlg(TWindow* parent, TDynamicVariance& d) : TExpressionDlg(parent, 560, d), dv_(d) {}

private:
  void Load() override {
    FillCombo(101, kVocabDynamicVariances, dv_.GetStyle());
    LoadPlacement();
  }
  bool Store() override {
    dv_.SetStyle(std::max(ComboSel(101), 0));
    StorePlacement();
    return true;
  }
  TDynamicVariance& dv_;
};

class TTextDlg : public TExpressionDlg {
public:
  TTextDlg(TWindow* parent, TTextExpression& t) : TExpressionDlg(parent, 561, t), text_(t) {}

private:
  void Load() override {
    // The earlier file keeps 31 characters; the edit takes no more.
    SendDlgItemMessageA(GetHandle(), 101, EM_LIMITTEXT, kTextLimit, 0);
    SetDlgItemTextA(GetHandle(), 101, text_.GetText().c_str());
    FillCombo(112, kVocabTextFonts, text_.GetFont());
    LoadPlacement();
  }
  bool Store() override {
    char buffer[kTextLimit + 1] = {};
    GetDlgItemTextA(GetHandle(), 101, buffer, sizeof buffer);
    text_.SetText(buffer);
    text_.SetFont(std::max(ComboSel(112), 0));
    StorePlacement();
    return true;
  }
  TTextExpression& text_;
};

// The controller dialog has the controls of the current line's controller page, values on
// sliders, for the kinds the earlier file stores.
class TControllerDlg : public TItemDlg {
public:
  TControllerDlg(TWindow* parent, TGenericControl& c)
      : TItemDlg(parent, 549), ctl_(c), controls_(this, kControllerKinds) {}
  bool Find(TEvent& ev) override { return controls_.Find(ev, g_) || TItemDlg::Find(ev); }

private:
  void Load() override {
    g_ = TNtnPropController{};
    GatherController(ctl_, g_);
    controls_.Show(g_);
  }
  bool Store() override {
    if (!controls_.Validate(g_)) return false;
    controls_.Read(g_);
    ApplyController(g_, ctl_);
    return true;
  }
  TGenericControl& ctl_;
  TNtnPropController g_;
  TControllerControls controls_;
};

class TNotePlacementDlg : public TItemDlg {
public:
  TNotePlacementDlg(TWindow* parent, TSongNote& n) : TItemDlg(parent, 544), note_(n) {
    accidental_ = Number(101, 0, 7);
    note_space_ = Number(102, 0, 3);
  }

private:
  void Load() override {
    accidental_->SetValue(note_.GetExtraAccidentalSpace());
    note_space_->SetValue(note_.GetExtraNoteSpace());
  }
  bool Store() override {
    note_.SetExtraAccidentalSpace(accidental_->GetValue());
    note_.SetExtraNoteSpace(note_space_->GetValue());
    return true;
  }
  TSongNote& note_;
  TEditNumber* accidental_;
  TEditNumber* note_space_;
};

class TRestPlacementDlg : public TItemDlg {
public:
  TRestPlacementDlg(TWindow* parent, TRestNote& r) : TItemDlg(parent, 592), rest_(r) { offset_ = Number(101, -15, 15); }

private:
  void Load() override { offset_->SetValue(rest_.GetVerticalOffset()); }
  bool Store() override {
    rest_.SetVerticalOffset(offset_->GetValue());
    return true;
  }
  TRestNote& rest_;
  TEditNumber* offset_;
};

std::unique_ptr<TMCTDialog> MakeDialog(TWindow* parent, TNotatedItem& item, TStaffInstrument& patch) {
  switch (item.GetType()) {
    case ntKey: return std::make_unique<TKeySigDlg>(parent, static_cast<TKeyData&>(item));
    case ntClef: return std::make_unique<TClefDlg>(parent, static_cast<TClefData&>(item));
    case ntTimeSignature: return std::make_unique<TTimeSigDlg>(parent, static_cast<TTimeSignatureData&>(item));
    case ntBarLine: return std::make_unique<TBarLineDlg>(parent, static_cast<TBarLineData&>(item));
    case ntTempo: return std::make_unique<TTempoDlg>(parent, static_cast<TTempoData&>(item));
    case ntDynamicLevel: return std::make_unique<TDynamicDlg>(parent, static_cast<TDynamicLevelData&>(item));
    case ntSustainPedal: return std::make_unique<TPedalDlg>(parent, static_cast<TSustainPedal&>(item));
    case ntFlowDirection: return std::make_unique<TFlowDlg>(parent, static_cast<TFlowDirection&>(item));
    case ntSpecialEnding: return std::make_unique<TEndingDlg>(parent, static_cast<TSpecialEnding&>(item));
    case ntTempoVariance: return std::make_unique<TTempoVarianceDlg>(parent, static_cast<TTempoVariance&>(item));
    case ntPerformanceStyle:
      return std::make_unique<TPerformanceStyleDlg>(parent, static_cast<TPerformanceStyle&>(item));
    case ntDynamicVariance:
      return std::make_unique<TDynamicVarianceDlg>(parent, static_cast<TDynamicVariance&>(item));
    case ntTextExpression: return std::make_unique<TTextDlg>(parent, static_cast<TTextExpression&>(item));
    case ntGenericControl: return std::make_unique<TControllerDlg>(parent, static_cast<TGenericControl&>(item));
    case ntPatch: return std::make_unique<TPatchDlg>(parent, patch);
    case ntNote:
    case ntChord: return std::make_unique<TNotePlacementDlg>(parent, static_cast<TSongNote&>(item));
    case ntRest: return std::make_unique<TRestPlacementDlg>(parent, static_cast<TRestNote&>(item));
    default: return nullptr;
  }
}

}  // namespace

bool HasItemDialog(int type) { return type >= ntClef && type < ntRestChord; }

bool RunItemDialog(TWindow* parent, TNotatedItem& item) {
  TStaffInstrument patch;
  if (item.GetType() == ntPatch) patch = static_cast<TPatchData&>(item).GetPatch();
  std::unique_ptr<TMCTDialog> dialog = MakeDialog(parent, item, patch);
  if (!dialog || dialog->Execute() != IDOK) return false;
  if (item.GetType() == ntPatch) static_cast<TPatchData&>(item).SetPatch(patch);
  return true;
}

// The patch dialog.

TPatchDlg::TPatchDlg(TWindow* parent, TStaffInstrument& transfer) : TMCTDialog(parent, kResourceId), transfer_(transfer) {
  new TEditNumber(this, 101, TNumberRange{0, 127, 1});
  new TEditNumber(this, 105, TNumberRange{0, 127, 1});
}

namespace {
using RP = TResponse<TPatchDlg>;
constexpr RP kPatchResponses[] = {RP::Notify(103, CBN_SELCHANGE, &TPatchDlg::EvTypeChanged)};
}  // namespace

bool TPatchDlg::Find(TEvent& ev) { return ev.Dispatch(this, kPatchResponses) || TMCTDialog::Find(ev); }

void TPatchDlg::FillPatches() {
  HWND list = TWindow::GetDlgItem(102);
  const int selected = int(::SendMessageA(list, LB_GETCURSEL, 0, 0));
  ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& e : SharedPatchLists().PatchNames()) ::SendMessageA(list, LB_ADDSTRING, 0, LPARAM(e.c_str()));
  ::SendMessageA(list, LB_SETCURSEL, selected, 0);
}

void TPatchDlg::SetupWindow() {
  TMCTDialog::SetupWindow();
  // The list in use is the run's, shared with the instrument page, so it stays between dialogs.
  TPatchLists& lists = SharedPatchLists();
  HWND combo = TWindow::GetDlgItem(103);
  for (int type = 0; type < lists.TypeCount(); ++type)
    ::SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(lists.TypeName(type).c_str()));
  ::SendMessageA(combo, CB_SETCURSEL, lists.CurrentType(), 0);
  FillPatches();
  const TPatchFields f = PatchFieldsOf(transfer_);
  SendDlgItemMessageA(GetHandle(), 102, LB_SETCURSEL, f.patchEntry, 0);
  CheckDlgButton(GetHandle(), 100, f.bankSelect ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemInt(GetHandle(), 101, f.controller0, TRUE);
  SetDlgItemInt(GetHandle(), 105, f.controller32, TRUE);
}

LRESULT TPatchDlg::EvTypeChanged(WPARAM, LPARAM) {
  const int type = int(SendDlgItemMessageA(GetHandle(), 103, CB_GETCURSEL, 0, 0));
  TPatchLists& lists = SharedPatchLists();
  if (type == lists.CurrentType()) return 0;
  lists.SetCurrentType(type);
  if (lists.CurrentType() == type) FillPatches();
  return 0;
}

void TPatchDlg::CmOk() {
  if (!CanClose()) return;
  TPatchFields f;
  f.bankSelect = IsDlgButtonChecked(GetHandle(), 100) == BST_CHECKED;
  f.controller0 = int(GetDlgItemInt(GetHandle(), 101, nullptr, TRUE));
  f.controller32 = int(GetDlgItemInt(GetHandle(), 105, nullptr, TRUE));
  f.patchEntry = std::max(int(SendDlgItemMessageA(GetHandle(), 102, LB_GETCURSEL, 0, 0)), 0);
  transfer_ = InstrumentOf(f);
  Destroy(IDOK);
}

