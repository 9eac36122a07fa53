// A static that can show a path (whole, or the file name alone) or a formatted text, and that
// can take its text by pointer in a dialog transfer.
#pragma once
#include <string>
#include "framework/Static.h"

enum class TPathShow { WholePath = 0, FileTitle = 1 };

class TQXTStatic : public TStatic {
public:
  static constexpr size_t kFormatSize = 256;

  TQXTStatic(TWindow* parent, int id, const char* title, int x, int y, int w, int h, UINT textLimit = 0,
             HINSTANCE module = nullptr);
  TQXTStatic(TWindow* parent, int resourceId, UINT textLimit = 0, HINSTANCE module = nullptr);

  void SetupWindow() override;
  UINT Transfer(void* buffer, TTransferDirection direction) override;

  // Shown at set-up (and at once when the window exists).
  void SetPathText(const char* path, TPathShow mode);
  // Formats into 256 bytes (cut, always terminated) and shows the text.
  void SetTextF(const char* format, ...);
  // Transfer then treats the buffer as a pointer to a text and shows it.
  void SetPointerTransfer();

private:
  void ShowPath();

  std::string path_;
  TPathShow mode_ = TPathShow::WholePath;
  bool hasPath_ = false;
  bool pointerTransfer_ = false;
};
