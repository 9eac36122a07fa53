// Owner-painted sliders on the scroll-bar control: a thumb drawn from a bitmap moves along a
// sunken channel, optional ticks run beside it, and the parent is told exactly as by a scroll bar
// (WM_HSCROLL or WM_VSCROLL with a scroll code and a position), so a dialog handles it like one.
// The slider never moves its thumb by itself: the parent answers with SetPosition. The thumb
// glides by copying its pixels and repainting only the channel it uncovers. The values and the
// input rules are TSliderModel's; these classes feed it messages and draw.
#pragma once
#include <memory>
#include "foundation/SliderModel.h"
#include "framework/Dib.h"
#include "framework/Geometry.h"
#include "framework/Region.h"
#include "framework/ScrollBar.h"

class TDC;
class TClientDC;

class TQVSlider : public TScrollBar, private TSliderSink {
public:
  static constexpr int kBeginTrack = kSliderBeginTrack;
  static constexpr int kNoHit = kSliderNoHit;

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
  int GetPosition() const override { return model_.GetPosition(); }
  void SetRange(int min, int max) override { model_.SetRange(min, max); }
  // Snaps the value; moves the thumb when it changes.
  void SetPosition(int value) override;

  int Snap(int value) const { return model_.Snap(value); }
  void SetTickStep(int step) { model_.SetTickStep(step); }
  int GetTickStep() const { return model_.GetTickStep(); }
  void SetSnap(bool on) { model_.SetSnap(on); }
  void SetTicks(bool on);
  bool IsTracking() const { return model_.IsTracking(); }
  TRect GetThumbRect() const;

  virtual int PointToValue(const TPoint& point) const;
  virtual TPoint ValueToPoint(int value) const;
  // Sends WM_HSCROLL or WM_VSCROLL to the parent: the code in the low word, the value in the
  // high word, the control as lParam.
  virtual void Notify(int scrollCode, int value);
  virtual void CreateRegion();
  virtual int HitTest(const TPoint& point) const;
  virtual void MoveThumb(TDC& dc, int value);
  virtual void DrawTicks(TDC& dc) = 0;
  virtual void DrawTrack(TDC& dc) = 0;
  virtual void DrawThumb(TDC& dc);

protected:
  void AskBackground(TDC& dc);
  TRect Thumb() const { return GetThumbRect(); }
  void SetThumb(const RECT& r) { model_.Thumb() = TIntRect{r.left, r.top, r.right, r.bottom}; }

  TSliderModel model_;
  std::unique_ptr<TRegion> thumbRegion_;
  TRect caretRect_{3, 3, 6, 16};
  int channelThickness_ = 17;
  bool focused_ = false;
  COLORREF background_ = RGB(192, 192, 192);

private:
  void RegisterForTemplates();
  LRESULT EvGetDlgCode(WPARAM, LPARAM);
  LRESULT EvEraseBkgnd(WPARAM, LPARAM);
  LRESULT EvLButtonDblClk(WPARAM, LPARAM);
  LRESULT EvSetFocus(WPARAM, LPARAM);
  LRESULT EvKillFocus(WPARAM, LPARAM);
  LRESULT EvLButtonDown(WPARAM, LPARAM);
  LRESULT EvMouseMove(WPARAM, LPARAM);
  LRESULT EvLButtonUp(WPARAM, LPARAM);
  LRESULT EvKeyDown(WPARAM, LPARAM);
  LRESULT EvSize(WPARAM, LPARAM);
  void Release(const TIntPoint& point);
  void PlaceCaret();
  void SyncSize();

  TDib thumbDib_;
  std::unique_ptr<TClientDC> dragDC_;
};

class TQVHSlider : public TQVSlider {
public:
  // A height of 0 makes the control 32 pixels tall.
  TQVHSlider(TWindow* parent, int id, int x, int y, int w, int h, int thumbResId, HINSTANCE module = nullptr);
  TQVHSlider(TWindow* parent, int resourceId, int thumbResId, HINSTANCE module = nullptr);

  void DrawTicks(TDC& dc) override;
  void DrawTrack(TDC& dc) override;
};

class TQVVSlider : public TQVSlider {
public:
  // A width of 0 makes the control 32 pixels wide; the thumb is centred across it.
  TQVVSlider(TWindow* parent, int id, int x, int y, int w, int h, int thumbResId, HINSTANCE module = nullptr);
  TQVVSlider(TWindow* parent, int resourceId, int thumbResId, HINSTANCE module = nullptr);

  void SetupWindow() override;
  void DrawTicks(TDC& dc) override;
  void DrawTrack(TDC& dc) override;

private:
  void CentreThumb(int width);
};
