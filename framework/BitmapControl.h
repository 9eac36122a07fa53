// A picture from a bitmap resource shown with its own palette (or the default palette for
// pictures of more than 8 bits), framed, stretched to the control or at its natural size.
#pragma once
#include <memory>
#include "framework/Control.h"

class TDib;
class TPalette;
class TBitmap;

enum class TPictureFrame { None = 0, Line = 1, Sunken = 2, Raised = 3 };

class TBitmapControl : public TControl {
public:
  TBitmapControl(TWindow* parent, int resourceId, LPCSTR bitmap, TPictureFrame frame = TPictureFrame::None,
                 HINSTANCE module = nullptr);
  ~TBitmapControl() override;

  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  bool PicturePainted() const { return dib_ != nullptr; }
  // Off: the picture is stretched to the control.
  void SetNaturalSize(bool on);
  bool HasOwnPalette() const { return ownPalette_; }
  // On a palette change: realizes the palette and repaints when any colour changed.
  void RealizePicturePalette();

  LRESULT EvPaint(WPARAM, LPARAM);

private:
  void PaintPicture(HDC dc);

  TPictureFrame frame_;
  std::unique_ptr<TDib> dib_;
  std::unique_ptr<TPalette> palette_;
  std::unique_ptr<TBitmap> bitmap_;
  bool ownPalette_ = false;
  bool naturalSize_ = false;
};
