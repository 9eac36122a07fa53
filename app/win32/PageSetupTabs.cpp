#include "app/win32/PageSetupTabs.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "app/PageSetupPages.h"
#include "app/PrintArea.h"
#include "app/PrinterDiagnostics.h"
#include "app/win32/PrintPreviewDlg.h"
#include "app/win32/PrinterMetricsGdi.h"
#include "app/win32/QVKPrintData.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/VellichordApp.h"
#include "foundation/VocabularyLists.h"
#include "foundation/win32/MessageBoxes.h"
#include "framework/ColumnHeader.h"
#include "framework/ColumnListBox.h"
#include "framework/EditNumber.h"
#include "framework/EditRealNumber.h"
#include "framework/Printer.h"
#include "resources/PageSetupIds.h"
#include "resources/StringIds.h"

namespace {

const char* const kStaffLabelModes[] = {"None", "First System", "Top Systems", "All Systems"};
const char* const kMarginUnitNames[] = {"Inches", "Centimeters"};
// The preview page lays out every page the printer could take.
constexpr int kDiagnosticLastPage = 20000;

bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }
void Check(HWND page, int id, bool on) { CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED); }

void FillCombo(HWND page, int id, const char* const* texts, int count, int selected) {
  HWND combo = GetDlgItem(page, id);
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < count; ++i) ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i]));
  ::SendMessageA(combo, CB_SETCURSEL, (selected >= 0 && selected < count) ? selected : 0, 0);
}

int ComboIndex(HWND page, int id) {
  const LRESULT i = SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0);
  return i < 0 ? 0 : static_cast<int>(i);
}

// The column list pages keep their list where the page leaves room above the button row:
// header and list are made in code, in dialog units of the page.
void PlaceColumnList(HWND page, TQVColumnHeader* header, TQVColumnListBox* list) {
  RECT r = {6, 4, 250, 118};
  MapDialogRect(page, &r);
  const int headerHeight = 18;
  header->Attr.x = r.left;
  header->Attr.y = r.top;
  header->Attr.w = r.right - r.left;
  header->Attr.h = headerHeight;
  list->Attr.x = r.left;
  list->Attr.y = r.top + headerHeight;
  list->Attr.w = r.right - r.left;
  list->Attr.h = r.bottom - r.top - headerHeight;
}

// The page's column list under its header (both made in code and placed at set-up).
TQVColumnListBox* AddColumnList(TWindow* page, const char* const* columns, const int* widths, int count,
                                TQVColumnHeader*& header) {
  header = new TQVColumnHeader(page, IDC_PS_LIST_HEADER, 0, 0, 10, 10);
  for (int i = 0; i < count; ++i) header->AddItem(new TQVHdrItem(columns[i], nullptr, widths[i]));
  return new TQVColumnListBox(header, IDC_PS_LIST, 0, 0, 10, 10);
}

}  // namespace

// ---- Contents -------------------------------------------------------------------------------

namespace {
using RContents = TResponse<TPageSetupContentsTab>;
constexpr RContents kContentsResponses[] = {
    RContents::Notify(IDC_PS_GROUPS, LBN_SELCHANGE, &TPageSetupContentsTab::EvGroupsChanged),
    RContents::Notify(IDC_PS_STAVES, LBN_SELCHANGE, &TPageSetupContentsTab::EvStavesChanged),
};
}  // namespace

TPageSetupContentsTab::TPageSetupContentsTab(TQVKPropertyDlg* sheet, const TPageSetupTarget& target)
    : TQVKPropertyPage(sheet, kResourceId), target_(target), staves_(TMusicScore::kSelectionSize) {}

bool TPageSetupContentsTab::Find(TEvent& ev) {
  return ev.Dispatch(this, kContentsResponses) || TQVKPropertyPage::Find(ev);
}

void TPageSetupContentsTab::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  const TMusicScore& score = *target_.score;
  staves_.Assign(*target_.staves);
  groups_ = StaffGroups(score);
  HWND groups = ::GetDlgItem(GetHandle(), IDC_PS_GROUPS);
  for (const std::string& g : groups_) ::SendMessageA(groups, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(g.c_str()));
  HWND staves = ::GetDlgItem(GetHandle(), IDC_PS_STAVES);
  for (int i = 0; i < score.StaffCount(); ++i) {
    ::SendMessageA(staves, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(score.GetStaff(i)->GetName()));
  }
  ShowStaves();
  ShowGroups();
  Check(GetHandle(), IDC_PS_LAYERING, score.GetAllowLayering());
}

void TPageSetupContentsTab::ShowStaves() {
  HWND staves = ::GetDlgItem(GetHandle(), IDC_PS_STAVES);
  for (int i = 0; i < target_.score->StaffCount(); ++i) {
    ::SendMessageA(staves, LB_SETSEL, staves_.GetBit(i) ? TRUE : FALSE, i);
  }
}

// A group shows selected when every one of its staves is.
void TPageSetupContentsTab::ShowGroups() {
  groupShown_ = SelectedGroups(*target_.score, groups_, staves_);
  HWND groups = ::GetDlgItem(GetHandle(), IDC_PS_GROUPS);
  for (size_t i = 0; i < groupShown_.size(); ++i) {
    ::SendMessageA(groups, LB_SETSEL, groupShown_[i] ? TRUE : FALSE, static_cast<LPARAM>(i));
  }
}

LRESULT TPageSetupContentsTab::EvGroupsChanged(WPARAM, LPARAM) {
  HWND groups = ::GetDlgItem(GetHandle(), IDC_PS_GROUPS);
  for (size_t i = 0; i < groups_.size() && i < groupShown_.size(); ++i) {
    const bool on = ::SendMessageA(groups, LB_GETSEL, i, 0) > 0;
    if (on != groupShown_[i]) SelectGroup(*target_.score, groups_[i], on, staves_);
  }
  ShowStaves();
  ShowGroups();
  return 0;
}

LRESULT TPageSetupContentsTab::EvStavesChanged(WPARAM, LPARAM) {
  HWND staves = ::GetDlgItem(GetHandle(), IDC_PS_STAVES);
  for (int i = 0; i < target_.score->StaffCount(); ++i) staves_.SetBit(i, ::SendMessageA(staves, LB_GETSEL, i, 0) > 0);
  ShowGroups();
  return 0;
}

bool TPageSetupContentsTab::Apply() {
  target_.staves->Assign(staves_);
  target_.score->SetAllowLayering(Checked(GetHandle(), IDC_PS_LAYERING));
  return true;
}

// ---- Options --------------------------------------------------------------------------------

namespace {
using ROptions = TResponse<TPageSetupOptsTab>;
constexpr ROptions kOptionsResponses[] = {ROptions::Command(IDC_PS_NUMBERING, &TPageSetupOptsTab::CmNumbering)};
}  // namespace

TPageSetupOptsTab::TPageSetupOptsTab(TQVKPropertyDlg* sheet, const TPageSetupTarget& target)
    : TQVKPropertyPage(sheet, kResourceId), target_(target) {
  from_ = new TEditNumber(this, IDC_PS_NUMBER_FROM, TNumberRange{1, kLargestPageNumberStart, 1});
  staffSize_ = new TEditNumber(this, IDC_PS_STAFF_SIZE, TNumberRange{kSmallestStaffSize, kLargestStaffSize, 1});
  measureStart_ = new TEditNumber(this, IDC_PS_MEASURE_START, TNumberRange{0, kLargestMeasureStart, 1});
}

bool TPageSetupOptsTab::Find(TEvent& ev) { return ev.Dispatch(this, kOptionsResponses) || TQVKPropertyPage::Find(ev); }

void TPageSetupOptsTab::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  const TPageOptions o = LoadPageOptions(*target_.score);
  HWND page = GetHandle();
  Check(page, IDC_PS_NUMBERING, o.numbering);
  from_->SetValue(o.numberFrom);
  from_->EnableWindow(o.numbering);
  Check(page, IDC_PS_TITLE_INFO, o.titlePageInfo);
  Check(page, IDC_PS_EXTEND_LAST, o.extendLastSystem);
  Check(page, IDC_PS_DURATION_SPACING, o.durationSpacing);
  staffSize_->SetValue(o.staffSize);
  FillCombo(page, IDC_PS_STAFF_LABELS, kStaffLabelModes, 4, o.staffLabels);
  std::vector<const char*> styles;
  for (int i = 0; i < GetListEntryCount(kVocabMeasureNumberStyles); ++i) {
    styles.push_back(GetListEntry(kVocabMeasureNumberStyles, i));
  }
  FillCombo(page, IDC_PS_MEASURE_STYLE, styles.data(), static_cast<int>(styles.size()), o.measureStyle);
  measureStart_->SetValue(o.measureStart);
}

void TPageSetupOptsTab::CmNumbering() { from_->EnableWindow(Checked(GetHandle(), IDC_PS_NUMBERING)); }

bool TPageSetupOptsTab::Apply() {
  HWND page = GetHandle();
  TPageOptions o;
  o.numbering = Checked(page, IDC_PS_NUMBERING);
  o.numberFrom = o.numbering ? from_->GetValue() : 1;
  o.titlePageInfo = Checked(page, IDC_PS_TITLE_INFO);
  o.extendLastSystem = Checked(page, IDC_PS_EXTEND_LAST);
  o.durationSpacing = Checked(page, IDC_PS_DURATION_SPACING);
  o.staffSize = staffSize_->GetValue();
  o.staffLabels = ComboIndex(page, IDC_PS_STAFF_LABELS);
  o.measureStyle = ComboIndex(page, IDC_PS_MEASURE_STYLE);
  o.measureStart = measureStart_->GetValue();
  // The edits refused out-of-range values before OK got here; this is the last guard.
  if (FirstInvalidOption(o) != TPageOptionsField::None) return false;
  const bool resized = ApplyPageOptions(o, *target_.score);
  if (!target_.window) return true;
  if (resized) {
    target_.window->RebuildFonts();
  } else {
    target_.window->RelayoutScore();
  }
  return true;
}

// ---- Margins --------------------------------------------------------------------------------

namespace {
using RMargins = TResponse<TPageSetupMarginsTab>;
constexpr RMargins kMarginsResponses[] = {
    RMargins::Notify(IDC_PS_UNITS, CBN_SELCHANGE, &TPageSetupMarginsTab::EvUnitsChanged)};
constexpr int kMarginIds[TPageSetupMargins::kFields] = {IDC_PS_TOP, IDC_PS_INSIDE, IDC_PS_OUTSIDE, IDC_PS_BOTTOM};

TMarginUnits StoredUnits() {
  const int units = gApp ? gApp->Option(kOptPrintMarginUnits) : 0;
  return units == 1 ? TMarginUnits::Centimeters : TMarginUnits::Inches;
}
}  // namespace

TPageSetupMarginsTab::TPageSetupMarginsTab(TQVKPropertyDlg* sheet, const TPageSetupTarget& target)
    : TQVKPropertyPage(sheet, kResourceId), target_(target) {
  const TRealRange range{0.0f, static_cast<float>(kLargestShownMargin), static_cast<float>(kMarginStep), 2};
  for (int i = 0; i < TPageSetupMargins::kFields; ++i) edits_[i] = new TEditRealNumber(this, kMarginIds[i], range);
}

bool TPageSetupMarginsTab::Find(TEvent& ev) {
  return ev.Dispatch(this, kMarginsResponses) || TQVKPropertyPage::Find(ev);
}

void TPageSetupMarginsTab::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  margins_.Load(ScoreMargins(*target_.score), StoredUnits());
  ShowTexts();
  Check(GetHandle(), IDC_PS_MIRROR, margins_.GetMirror());
  FillCombo(GetHandle(), IDC_PS_UNITS, kMarginUnitNames, 2, static_cast<int>(margins_.GetUnits()));
}

void TPageSetupMarginsTab::ReadTexts() {
  for (int i = 0; i < TPageSetupMargins::kFields; ++i) margins_.SetText(i, edits_[i]->GetWindowTextString());
}

void TPageSetupMarginsTab::ShowTexts() {
  for (int i = 0; i < TPageSetupMargins::kFields; ++i) edits_[i]->SetWindowText(margins_.Text(i).c_str());
}

LRESULT TPageSetupMarginsTab::EvUnitsChanged(WPARAM, LPARAM) {
  ReadTexts();
  margins_.SetUnits(ComboIndex(GetHandle(), IDC_PS_UNITS) == 1 ? TMarginUnits::Centimeters : TMarginUnits::Inches);
  ShowTexts();
  return 0;
}

bool TPageSetupMarginsTab::Apply() {
  ReadTexts();
  margins_.SetMirror(Checked(GetHandle(), IDC_PS_MIRROR));
  TPageMargins inches;
  if (!margins_.Apply(inches)) return false;
  TMusicScore& score = *target_.score;
  score.SetMargin(0, inches.top);
  score.SetMargin(1, inches.inside);
  score.SetMargin(2, inches.outside);
  score.SetMargin(3, inches.bottom);
  score.SetMirrorMargins(inches.mirror ? 1 : 0);
  if (gApp) gApp->Options()[kOptPrintMarginUnits] = static_cast<int>(margins_.GetUnits());
  if (target_.window) target_.window->RelayoutScore();
  return true;
}

// ---- Fonts ----------------------------------------------------------------------------------

namespace {
using RFonts = TResponse<TPageSetupFontsTab>;
constexpr RFonts kFontsResponses[] = {RFonts::Command(IDC_PS_MODIFY, &TPageSetupFontsTab::CmModify)};
const char* const kFontColumns[] = {"Name", "Size", "Typeface", "Style"};
constexpr int kFontColumnWidths[] = {110, 40, 120, 90};
const char* const kPreviewColumns[] = {"Label", "Information"};
constexpr int kPreviewColumnWidths[] = {140, 240};
}  // namespace

TPageSetupFontsTab::TPageSetupFontsTab(TQVKPropertyDlg* sheet, const TPageSetupTarget& target)
    : TQVKPropertyPage(sheet, kResourceId), target_(target) {
  list_ = AddColumnList(this, kFontColumns, kFontColumnWidths, 4, header_);
}

bool TPageSetupFontsTab::Find(TEvent& ev) { return ev.Dispatch(this, kFontsResponses) || TQVKPropertyPage::Find(ev); }

std::string TPageSetupFontsTab::RowText(const TMusicScore& score, int i) {
  return FontRowText(GetListEntry(kVocabTextFonts, i), score.GetFonts()->GetFont(i));
}

void TPageSetupFontsTab::SetupWindow() {
  PlaceColumnList(GetHandle(), header_, list_);
  TQVKPropertyPage::SetupWindow();
  for (int i = 0; i < TMusicFontsData::kFontCount; ++i) list_->AddString(RowText(*target_.score, i).c_str());
  list_->SetSelIndex(0);
}

void TPageSetupFontsTab::CmModify() {
  const int row = list_->GetSelIndex();
  if (row < 0 || row >= TMusicFontsData::kFontCount) return;
  TMusicFontsData::Font& font = target_.score->GetFonts()->GetFont(row);
  LOGFONTA lf{};
  HDC screen = GetDC(nullptr);
  lf.lfHeight = -MulDiv(font.size, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  lf.lfWeight = (font.style & 1) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (font.style & 2) ? TRUE : FALSE;
  lf.lfCharSet = font.charset;
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%.*s", TMusicFontsData::kFaceSize, font.face);
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = GetHandle();
  cf.lpLogFont = &lf;
  cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_TTONLY;
  cf.nFontType = SCREEN_FONTTYPE;
  cf.iPointSize = font.size * 10;
  if (!ChooseFontA(&cf)) return;
  std::snprintf(font.face, sizeof font.face, "%s", lf.lfFaceName);
  font.style = static_cast<unsigned char>((lf.lfWeight >= FW_BOLD ? 1 : 0) | (lf.lfItalic ? 2 : 0));
  font.charset = lf.lfCharSet;
  const int size = FontSizeFromTenths(cf.iPointSize);
  if (size > 0) font.size = size;
  list_->DeleteString(row);
  list_->InsertString(RowText(*target_.score, row).c_str(), row);
  list_->SetSelIndex(row);
  if (target_.window) target_.window->RebuildFonts();
  if (auto* sheet = dynamic_cast<TQVKPropertyDlg*>(GetSheet())) sheet->SetCancelToClose();
}

// ---- Preview --------------------------------------------------------------------------------

namespace {
using RPreview = TResponse<TPageSetupPreviewTab>;
constexpr RPreview kPreviewResponses[] = {RPreview::Command(IDC_PS_PREVIEW, &TPageSetupPreviewTab::CmPreview)};

// The device names and mode of the chosen printer, or of the default one when none was chosen.
void ReadPrinterNames(TPrinter& printer, TPrinterDiagnostics& d) {
  HGLOBAL names = printer.GetDevNames();
  HGLOBAL mode = printer.GetDevMode();
  PRINTDLGA pd{};
  if (!names) {
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT;
    if (!PrintDlgA(&pd)) return;
    names = pd.hDevNames;
    mode = pd.hDevMode;
  }
  if (const auto* n = static_cast<const DEVNAMES*>(GlobalLock(names))) {
    const char* base = reinterpret_cast<const char*>(n);
    d.driver = base + n->wDriverOffset;
    d.name = base + n->wDeviceOffset;
    d.output = base + n->wOutputOffset;
    GlobalUnlock(names);
  }
  if (const auto* m = mode ? static_cast<const DEVMODEA*>(GlobalLock(mode)) : nullptr) {
    d.hasDevMode = true;
    TDevModeSummary& s = d.devMode;
    s.deviceName.assign(reinterpret_cast<const char*>(m->dmDeviceName),
                        strnlen(reinterpret_cast<const char*>(m->dmDeviceName), sizeof m->dmDeviceName));
    s.specVersion = m->dmSpecVersion;
    s.driverVersion = m->dmDriverVersion;
    s.size = m->dmSize;
    s.driverExtra = m->dmDriverExtra;
    s.fields = m->dmFields;
    s.orientation = m->dmOrientation;
    s.paperSize = m->dmPaperSize;
    s.paperLength = m->dmPaperLength;
    s.paperWidth = m->dmPaperWidth;
    s.scale = m->dmScale;
    s.copies = m->dmCopies;
    s.defaultSource = m->dmDefaultSource;
    s.printQuality = m->dmPrintQuality;
    s.color = m->dmColor;
    s.duplex = m->dmDuplex;
    s.yResolution = m->dmYResolution;
    s.ttOption = m->dmTTOption;
    GlobalUnlock(mode);
  }
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
}
}  // namespace

TPageSetupPreviewTab::TPageSetupPreviewTab(TQVKPropertyDlg* sheet, const TPageSetupTarget& target)
    : TQVKPropertyPage(sheet, kResourceId), target_(target) {
  list_ = AddColumnList(this, kPreviewColumns, kPreviewColumnWidths, 2, header_);
}

TPageSetupPreviewTab::~TPageSetupPreviewTab() = default;

bool TPageSetupPreviewTab::Find(TEvent& ev) {
  return ev.Dispatch(this, kPreviewResponses) || TQVKPropertyPage::Find(ev);
}

void TPageSetupPreviewTab::SetupWindow() {
  PlaceColumnList(GetHandle(), header_, list_);
  TQVKPropertyPage::SetupWindow();
  Load();
}

void TPageSetupPreviewTab::Load() {
  TMusicScore& score = *target_.score;
  AuditScoreStaves(&score, false);
  job_.reset();
  TPrinterDiagnostics d;
  d.title = score.Info().title;
  HDC dc = target_.printer ? target_.printer->CreatePrinterDC() : nullptr;
  if (dc) {
    job_ = std::make_unique<TQVKPrintData>(GetHandle(), dc, &score, *target_.staves, target_.colors);
    d.hasPrinter = true;
    if (job_->IsReady()) {
      job_->Pages().SetPageRange(1, kDiagnosticLastPage);
      d.pages = job_->CountPages();
    }
    ReadPrinterNames(*target_.printer, d);
    d.metrics = job_->Pages().Metrics();
    d.area = job_->Pages().Area();
  }
  list_->ClearList();
  for (const auto& row : DiagnosticRows(DiagnosticsText(d))) {
    list_->AddString((row.first + "\t" + row.second).c_str());
  }
}

void TPageSetupPreviewTab::CmPreview() {
  if (!job_) {
    MBLMessage(GetHandle(), MB_OK | MB_ICONINFORMATION, IDS_ERROR_DETECTED, IDS_NO_DEFAULT_PRINTER);
    return;
  }
  if (!job_->IsReady()) return;
  job_->Pages().SetPageRange(0, kDiagnosticLastPage);
  TPrintPreviewDlg preview(GetSheet() ? GetSheet()->GetHandle() : GetHandle(), job_.get(), target_.caretIndex);
  preview.Execute();
}
