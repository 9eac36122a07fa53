// Owner-painted sliders on the scroll-bar control: a thumb drawn from a bitmap moves along a
// sunken channel, optional ticks run beside it, and the parent is told exactly as by a scroll bar
// (WM_HSCROLL or WM_VSCROLL with a scroll code and a position), so a dialog handles it like one.
// The slider never moves its thumb by itself: the parent answers with SetPosition. The thumb
// glides by copying its pixels and repainting only the channel it uncovers.
#pragma once
#include <memory>
#include "framework/Dib.h"
#include "framework/Geometry.h"
#include "framework/Region.h"
#include "framework/ScrollBar.h"

class TDC;
class TClientDC;

class TQVSlider : public TScrollBar {
public:
  // Scroll code sent when a drag of the thumb begins, before the first SB_THUMBTRACK.
  static constexpr int kBeginTrack = 9;
  // HitTest's answer for a point that does nothing.
  static constexpr int kNoHit = -1;

  // The thumb bitmap: a 16-colour DIB with the normal thumb on the left and the pressed or
  // disabled thumb on the right; colour entry 15 becomes the background colour.
  TQVSlider(TWindow* parent, int id, int x, int y, int w, int h, int thumbResId, bool horizontal,
            HINSTANCE module = nullptr);
  TQVSlider(TWindow* parent, int resourceId, int thumbResId, bool horizontal, HINSTANCE module = nullptr);
  ~TQVSlider() override;

  const char* GetClassName() const override { return "TQVSlider"; }
  void GetWindowClass(WNDCLASSA& wc) override;
  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

  void GetRange(int& min, int& max) const override;
  int GetPosition() const override { return position_; }
  void SetRange(int min, int max) override;
  // Snaps the value; moves the thumb when it changes.
  void SetPosition(int value) override;

  // A value clamped to the range and, with snapping on, rounded to the tick step from the minimum.
  int Snap(int value) const;
  void SetTickStep(int step) { tickStep_ = step; }
  int GetTickStep() const { return tickStep_; }
  void SetSnap(bool on) { snap_ = on; }
  void SetTicks(bool on);
  bool IsTracking() const { return tracking_; }
  const TRect& GetThumbRect() const { return thumbRect_; }

  virtual int PointToValue(const TPoint& point) const = 0;
  virtual TPoint ValueToPoint(int value) const = 0;
  virtual void Notify(int scrollCode, int value) = 0;
  virtual void CreateRegion();
  // A scroll code: SB_THUMBTRACK on the thumb, SB_THUMBPOSITION to jump, SB_PAGEUP or
  // SB_PAGEDOWN beside it, kNoHit for nothing.
  virtual int HitTest(const TPoint& point) const = 0;
  virtual void MoveThumb(TDC& dc, int value);
  virtual void DrawTicks(TDC& dc) = 0;
  virtual void DrawTrack(TDC& dc) = 0;
  virtual void DrawThumb(TDC& dc);

protected:
  // The length the thumb travels (control length less thumb length); at most 0 when it cannot.
  int TrackLength() const;
  // Sends the scroll message to the parent, as a scroll bar does.
  void SendScroll(UINT msg, int scrollCode, int value);
  void AskBackground(TDC& dc);
  bool ThumbHit(const TPoint& point) const;

  bool horizontal_;
  int min_ = 0;
  int max_ = 100;
  int range_ = 100;
  int position_ = 0;
  int thumbResId_;
  TRect thumbRect_{0, 0, 9, 20};
  std::unique_ptr<TRegion> thumbRegion_;
  TRect caretRect_{3, 3, 6, 16};
  int channelThickness_ = 17;
  int tickStep_ = 10;
  bool snap_ = false;
  bool tracking_ = false;
  bool focused_ = false;
  COLORREF background_ = RGB(192, 192, 192);
  bool ticks_ = false;

private:
  void InitDefaults();
  LRESULT EvGetDlgCode(WPARAM, LPARAM);
  LRESULT EvEraseBkgnd(WPARAM, LPARAM);
  LRESULT EvLButtonDblClk(WPARAM, LPARAM);
  LRESULT EvSetFocus(WPARAM, LPARAM);
  LRESULT EvKillFocus(WPARAM, LPARAM);
  LRESULT EvLButtonDown(WPARAM, LPARAM);
  LRESULT EvMouseMove(WPARAM, LPARAM);
  LRESULT EvLButtonUp(WPARAM, LPARAM);
  LRESULT EvKeyDown(WPARAM, LPARAM);
  void EndDrag(const TPoint& point);
  int DragValue(const TPoint& point) const;
  void PlaceCaret();

  TDib thumbDib_;
  std::unique_ptr<TClientDC> dragDC_;
  TPoint dragOffset_;
};

class TQVHSlider : public TQVSlider {
public:
  // A height of 0 makes the control 32 pixels tall.
  TQVHSlider(TWindow* parent, int id, int x, int y, int w, int h, int thumbResId, HINSTANCE module = nullptr);
  TQVHSlider(TWindow* parent, int resourceId, int thumbResId, HINSTANCE module = nullptr);

  int PointToValue(const TPoint& point) const override;
  TPoint ValueToPoint(int value) const override;
  void Notify(int scrollCode, int value) override;
  int HitTest(const TPoint& point) const override;
  void DrawTicks(TDC& dc) override;
  void DrawTrack(TDC& dc) override;
};

class TQVVSlider : public TQVSlider {
public:
  // A width of 0 makes the control 32 pixels wide; the thumb is centred across it.
  TQVVSlider(TWindow* parent, int id, int x, int y, int w, int h, int thumbResId, HINSTANCE module = nullptr);
  TQVVSlider(TWindow* parent, int resourceId, int thumbResId, HINSTANCE module = nullptr);

  void SetupWindow() override;
  int PointToValue(const TPoint& point) const override;
  TPoint ValueToPoint(int value) const override;
  void Notify(int scrollCode, int value) override;
  int HitTest(const TPoint& point) const override;
  void DrawTicks(TDC& dc) override;
  void DrawTrack(TDC& dc) override;

private:
  void InitVertical(int width);
};
