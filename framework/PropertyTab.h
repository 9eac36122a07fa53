// The tab strip of a property sheet: holds the page list, lays out and paints the tabs in one
// scrolling row or in several rows, is the parent window of the pages, and carries out every
// change of the current page.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "foundation/TabStripLayout.h"
#include "framework/Control.h"

class TQVPropertyDialog;
class TQVPropertyPage;

// One page of the strip, in the order pages were added.
struct TPropertyEntry {
  std::string caption;
  TQVPropertyPage* page = nullptr;  // not owned
  int width = 0;                     // set by layout
  bool enabled = true;
};

class TQVPropertyTab : public TControl {
public:
  static constexpr int kId = 29000;
  static constexpr DWORD kStyle = 0x52030000;  // child, visible, clip children, group, tab stop
  static constexpr COLORREF kSelectedTabColor = RGB(255, 255, 255);

  TQVPropertyTab(TQVPropertyDialog* sheet, uint32_t sheetStyle);
  ~TQVPropertyTab() override;

  const char* GetClassName() const override { return "tbProperty"; }
  void GetWindowClass(WNDCLASSA& wc) override;
  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

  // Page changes.
  bool SelectTab(int index);
  bool StepTab(int direction);
  void ShowCurrentPage(bool focus);

  // The page list.
  void AddEntry(const char* caption, TQVPropertyPage* page, bool enabled);
  void RemovePage(TQVPropertyPage* page);
  void EnableTab(int index, bool enable);
  bool IsTabEnabled(int index) const;
  const char* GetTabCaption(int index) const;
  void SetTabCaption(int index, const char* text);
  int GetEntryCount() const { return static_cast<int>(entries_.size()); }
  TQVPropertyPage* GetPageAt(int index) const;
  int GetCurrentIndex() const { return current_; }
  bool IsSetUp() const { return lastShown_ >= 0; }

  // Looks.
  void SetTabWidth(int width);
  void SetTabPadding(int value);
  void SetSelectedTabColor(COLORREF color);
  void RecolorTabs();
  // Pictures on the tabs: one bitmap resource cut into one cel per page, the image in its upper
  // half and the mask (white where the tab shows through) in its lower half.
  void SetTabImages(HINSTANCE module, const char* bitmapName, int imageArg);
  bool HasTabImages() const { return picture_ != nullptr; }
  int GetCelWidth() const { return celWidth_; }
  int GetImageArg() const { return imageArg_; }
  uint32_t GetStyleWord() const { return style_; }
  int GetRowHeight() const { return rowHeight_; }
  int GetRowCount() const { return layout_.RowCount(); }
  TRect GetTabRect(int index) const;
  TRect GetPageRect() const { return pageRect_; }
  bool ArrowsShown() const { return arrows_; }
  TRect GetArrowRect(int direction) const;
  int GetFirstVisible() const { return layout_.FirstVisible(); }
  int GetTabWidth(int index) const;

  // The two passes of the sheet's OK.
  bool ValidateAllPages();
  bool ApplyAllPages();
  // Destroys every created page window with IDCANCEL.
  void DestroyPageWindows();

  LRESULT EvLButtonDown(WPARAM, LPARAM);
  LRESULT EvRButtonDown(WPARAM, LPARAM);
  LRESULT EvSize(WPARAM, LPARAM);
  LRESULT EvFocusChange(WPARAM, LPARAM);
  LRESULT EvKeyDown(WPARAM, LPARAM);
  LRESULT EvGetDlgCode(WPARAM, LPARAM);

private:
  bool Selectable(int index) const;
  void CreatePage(TQVPropertyPage* page);
  void Relayout();
  void PlacePages();
  int MeasureTab(HDC dc, const TPropertyEntry& e) const;
  void ScrollTabs(int direction);
  void DrawTab(HDC dc, int index, const TRect& r, bool current) const;
  void DrawArrows(HDC dc) const;
  void MakeFonts();
  void LoadPicture();
  void DrawCel(HDC dc, int index, const TRect& tab) const;

  TQVPropertyDialog* sheet_;
  std::vector<TPropertyEntry> entries_;
  int current_ = 0;
  int lastShown_ = -1;
  uint32_t style_;
  int rowHeight_ = 0;
  int textHeight_ = 0;
  int tabWidth_ = kDefaultTabWidth;
  int padding_ = 6;
  TTabStripLayout layout_;
  TRect pageRect_;
  bool arrows_ = false;
  int areaRight_ = 0;
  COLORREF highlight_ = 0, face_ = 0, shadow_ = 0, frame_ = 0;
  COLORREF selectedColor_ = kSelectedTabColor;
  HFONT font_ = nullptr;
  HFONT boldFont_ = nullptr;
  HBITMAP arrowBitmaps_[4] = {};  // left, left inactive, right, right inactive
  HINSTANCE imageModule_ = nullptr;
  std::string imageName_;        // a named resource
  const char* imageId_ = nullptr;  // or a numbered one
  int imageArg_ = 0;
  HBITMAP picture_ = nullptr;
  int celWidth_ = 0;
  int celHeight_ = 0;  // the whole bitmap: image over mask
};
