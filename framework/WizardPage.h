// A wizard page, with an optional picture (control 502) from a bitmap resource. Enter on a page
// whose default button is Next goes to the next page.
#pragma once
#include "framework/BitmapControl.h"
#include "framework/PropertyPage.h"

class TWizardDialog;

class TWizardPage : public TQVPropertyPage {
public:
  static constexpr int kPictureId = 502;

  // The picture's frame is the bitmap argument; no bitmap, no picture.
  TWizardPage(TWizardDialog* wizard, int resourceId, LPCSTR bitmap = nullptr,
              TPictureFrame frame = TPictureFrame::None, HINSTANCE module = nullptr);

  bool Find(TEvent& ev) override;
  // Makes Finish the default button on the last enabled page, Next elsewhere, unless the page
  // keeps a default of its own.
  void Activated() override;
  void SetKeepDefault(bool keep) { keepDefault_ = keep; }
  TBitmapControl* GetPicture() const { return picture_; }
  void CmNext() { NextPage(); }

private:
  TBitmapControl* picture_ = nullptr;  // a child object: deleted with the page
  bool keepDefault_ = false;
};
