// A property sheet: several dialog pages behind one strip of tabs inside one dialog, with one
// OK/Cancel row for all pages. Derived sheets add their pages in their constructors.
#pragma once
#include <cstdint>
#include <functional>
#include "foundation/PropertySheetStyle.h"
#include "framework/Dialog.h"

class TQVPropertyTab;
class TQVPropertyPage;
class TApplication;

class TQVPropertyDialog : public TDialog {
public:
  TQVPropertyDialog(TWindow* parent, int resourceId, uint32_t style = psfNormal, HINSTANCE module = nullptr);
  // A sheet whose tabs show pictures cut from one bitmap resource of the module (one cel per
  // page, image over mask); the image argument is kept for derived sheets.
  TQVPropertyDialog(TWindow* parent, int resourceId, uint32_t style, const char* imageName, int imageArg,
                    HINSTANCE module = nullptr);
  ~TQVPropertyDialog() override;

  bool EvInitDialog(HWND defaultFocus) override;
  // Modal run: the parent is disabled for as long as the sheet is open (and given back when the
  // sheet cannot be created, which answers IDCANCEL).
  int Execute() override;
  void Destroy(int retVal = IDCANCEL) override;
  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  bool PreProcessMsg(MSG& msg) override;

  virtual TRect GetTabArea(const TRect& area);
  void CleanupWindow() override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;
  virtual void AddPage(const char* caption, TQVPropertyPage* page, bool enabled = true);
  void CmOk() override;
  void CmCancel() override;
  void CloseWindow(int retValue = IDCANCEL) override;
  virtual bool SelectPage(int index);
  virtual bool NextPage();
  virtual bool PreviousPage();
  virtual void PageChanged(int index) {}
  virtual bool CanChangePage(int newIndex) { return true; }

  int GetPageCount() const;
  TQVPropertyPage* GetPageAt(int index) const;
  // -1 is the current page.
  TQVPropertyPage* GetPage(int index) const;
  TQVPropertyPage* GetCurrentPage() const { return GetPage(-1); }
  int GetCurrentIndex() const;
  TQVPropertyTab* GetTabStrip() const { return strip_; }
  uint32_t GetStyleWord() const { return style_; }
  bool IsSheetModal() const { return modal_; }

  LRESULT SendToAllPages(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  void ForEachPage(const std::function<void(TQVPropertyPage&)>& action);
  TQVPropertyPage* FirstPageThat(const std::function<bool(TQVPropertyPage&)>& test);

  void SetTabWidth(int width);
  void SetTabPadding(int value);
  void SetSelectedTabColor(COLORREF color);

  // Places the tab strip in the client area again.
  void PlaceTabStrip();
  // Mnemonic keys: an enabled other tab first, then the controls of the other dialog (the
  // current page when the sheet got the key, the sheet when a page did).
  bool HandleMnemonic(char key, bool fromPage);

  // Module-wide: the strips of open sheets, and whether the keyboard hook is installed.
  static int OpenSheetCount();
  static bool IsHookInstalled();
  static bool IsNewLook();
  static HBRUSH SharedFaceBrush();
  // Recolours every open strip.
  static void PropertySheetsColorChange(TApplication* app);

  LRESULT EvSize(WPARAM, LPARAM);
  LRESULT EvSysCommand(WPARAM, LPARAM);
  LRESULT EvCtlColor(WPARAM, LPARAM);
  LRESULT EvHelp(WPARAM, LPARAM);

  // The control-colour answer that sheets and pages share; 0 leaves the default.
  static LRESULT ControlColor(UINT msg, WPARAM wParam, LPARAM lParam);

private:
  void Unregister();

  TQVPropertyTab* strip_;
  uint32_t style_;
  bool modal_ = false;
  bool ownerDisabled_ = false;
};

// The character of the pressed key for a mnemonic: the keyboard state scanned for a pressed key
// other than Alt, translated and upper-cased; the fallback when none is found.
char PressedMnemonicKey(char fallback);
