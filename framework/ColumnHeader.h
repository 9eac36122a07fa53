// An own-drawn header of resizable columns (window class "QXT_ColumnHeader") that talks to its
// owner with the standard header notifications, and keeps the list box under it (its buddy)
// scrolled and sized with its columns.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include "foundation/ColumnHeaderRules.h"
#include "framework/Control.h"
#include <commctrl.h>

class TQVColumnListBox;

// One column, field for field as the system's header item record.
class TQVHdrItem {
public:
  TQVHdrItem(const char* text = nullptr, HBITMAP bitmap = nullptr, int width = 0);

  void SetText(const char* text);
  void SetBitmap(HBITMAP bitmap);
  void SetWidth(int width) {
    mask |= HDI_WIDTH;
    cxy = width;
  }
  // 0 left, 1 right, 2 centre.
  void SetAlignment(int alignment) { fmt = (fmt & ~3) | (alignment & 3); }
  void SetLParam(LPARAM value) {
    mask |= HDI_LPARAM;
    lParam = value;
  }
  const char* GetText() const { return text_.c_str(); }

  UINT mask = HDI_WIDTH | HDI_FORMAT;
  int cxy = 0;
  HBITMAP hbm = nullptr;  // not owned
  int cchTextMax = 0;
  int fmt = 0;
  LPARAM lParam = 0;

private:
  std::string text_;
};

// What the header offers its buddy and then its parent.
struct THeaderNotify {
  NMHDR hdr;
  int item;
  int button;  // bit 0 right, bit 1 middle
  TQVHdrItem* pitem;
};

class TQVColumnHeader : public TControl {
public:
  static constexpr uint32_t kDockBuddy = 0x1;
  static constexpr UINT kLayoutMessage = WM_USER + 102;

  TQVColumnHeader(TWindow* parent, int id, int x, int y, int w, int h, HINSTANCE module = nullptr);
  TQVColumnHeader(TWindow* parent, int resourceId, HINSTANCE module = nullptr);
  ~TQVColumnHeader() override;

  const char* GetClassName() const override { return "QXT_ColumnHeader"; }
  void GetWindowClass(WNDCLASSA& wc) override;
  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

  void SetOption(int bit) { options_ |= 1u << bit; }
  void ClearOption(int bit) { options_ &= ~(1u << bit); }
  bool HasOption(int bit) const { return (options_ & (1u << bit)) != 0; }

  // The header owns the items it is given.
  int AddItem(TQVHdrItem* item);
  int InsertItem(TQVHdrItem* item, int index);
  bool DeleteItem(int index);
  TQVHdrItem* GetItem(int index) const;
  const char* GetItemText(int index) const;
  int GetItemCount() const { return static_cast<int>(items_.size()); }
  int GetColumnWidth(int index) const;
  void SetColumnWidth(int index, int width);
  int GetTotalWidth() const;
  int MeasureColumn(int index) const;
  int GetHeaderHeight() const;
  void SetHorzOffset(int x);
  int GetHorzOffset() const { return offset_; }
  void SetHeaderFont(HFONT font);
  HFONT GetHeaderFont() const { return font_; }
  THeaderHit HitTest(const POINT& p) const;

  void SetBuddy(TQVColumnListBox* buddy) { buddy_ = buddy; }
  TQVColumnListBox* GetBuddy() const { return buddy_; }
  // Docks the buddy under the header and gives it the columns' width.
  void LayoutWithBuddy();

  LRESULT EvGetFont(WPARAM, LPARAM);
  LRESULT EvSetFont(WPARAM, LPARAM);
  LRESULT EvLButtonDown(WPARAM, LPARAM);
  LRESULT EvMouseMove(WPARAM, LPARAM);
  LRESULT EvLButtonUp(WPARAM, LPARAM);
  LRESULT EvLButtonDblClk(WPARAM, LPARAM);
  LRESULT EvSetCursor(WPARAM, LPARAM);
  LRESULT EvSetFocus(WPARAM, LPARAM);
  LRESULT EvLayout(WPARAM, LPARAM);
  LRESULT EvCaptureChanged(WPARAM, LPARAM);

private:
  enum class TDrag { Pressed = 0, Divider = 1, Idle = 2 };
  LRESULT Notify(int code, int item);
  std::vector<int> Widths() const;
  void DrawDragLine(int x);
  void EndDrag(int x);

  std::vector<std::unique_ptr<TQVHdrItem>> items_;
  uint32_t options_ = 0;
  TQVColumnListBox* buddy_ = nullptr;
  HFONT font_ = nullptr;
  bool ownFont_ = false;
  int offset_ = 0;
  TDrag drag_ = TDrag::Idle;
  int dragItem_ = -1;
  int shownPressed_ = -1;
  POINT dragStart_{0, 0};
  int dragLeft_ = 0;
  int dragWidth_ = 0;
  int startWidth_ = 0;
};
