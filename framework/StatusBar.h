// A status bar: a row of text panes along the bottom of a frame. The first pane is the message
// pane (status texts and command hints) and takes the width the others leave; the others are
// text gadgets of a fixed width in characters. Derived bars override SetHintText to treat hints
// their own way.
#pragma once
#include <string>
#include <vector>
#include "framework/Window.h"

class TStatusBar : public TWindow {
public:
  enum class TBorder { None, Plain, Recessed };
  enum class TAlign { Left, Center, Right };
  static constexpr int kMessageGadgetId = 0;

  // The bar uses the font it is given (not owned), or the default GUI font.
  explicit TStatusBar(TWindow* parent, HFONT font = nullptr, int id = 0);

  // Appends a text pane after the last one.
  void InsertTextGadget(int id, int widthChars, TAlign align, TBorder border);
  void SetGadgetText(int id, const char* text);
  const char* GetGadgetText(int id) const;
  void SetGadgetBorder(int id, TBorder border);
  void SetAllBorders(TBorder border);

  // The message pane. The window's own text mirrors it, so other programs can read it.
  void SetMessagePaneText(const char* text);
  const char* GetMessagePaneText() const { return GetGadgetText(kMessageGadgetId); }
  // The hint of a command or a status text for the message pane; null clears it.
  virtual void SetHintText(const char* text) { SetMessagePaneText(text); }

  void SetMargins(int left, int top, int right, int bottom);
  void SetFont(HFONT font);
  HFONT GetFont() const { return font_; }
  // The height the bar wants for its font, margins and borders.
  virtual int GetDesiredHeight() const;
  // Pane rectangles in client coordinates, in pane order.
  TRect GetGadgetRect(int id) const;

  const char* GetClassName() const override { return "VcStatusBar"; }
  void GetWindowClass(WNDCLASSA& wc) override;
  void SetupWindow() override;
  void Paint(TDC& dc, bool erase, const TRect& rect) override;
  bool Find(TEvent& ev) override;
  LRESULT EvSize(WPARAM, LPARAM);

protected:
  // The area the panes are laid out in: the client area less the margins.
  virtual TRect GetInnerRect() const;

private:
  struct TGadget {
    int id;
    int widthChars;
    TAlign align;
    TBorder border;
    std::string text;
  };
  TGadget* FindGadget(int id);
  const TGadget* FindGadget(int id) const;
  TEXTMETRICA FontMetrics() const;
  int CharWidth() const;
  void InvalidateGadget(int id) const;

  std::vector<TGadget> gadgets_;
  HFONT font_;
  int margins_[4] = {4, 2, 4, 3};
  static constexpr int kSpacing = 2;
};
