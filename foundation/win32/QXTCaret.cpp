#include "foundation/win32/QXTCaret.h"

TQXTCaret::TQXTCaret(int hotX, int hotY, int width, int height)
    : width_(width), height_(height), hotX_(hotX), hotY_(hotY) {}

TQXTCaret::~TQXTCaret() {
  if (window_) DestroyCaret();
}

void TQXTCaret::Create() {
  if (!window_) return;
  CreateCaret(window_, nullptr, width_, height_);
  UpdatePos();
}

int TQXTCaret::Attach(HWND window) {
  if (window_) return 1;
  window_ = window;
  Create();
  Show();
  return 0;
}

void TQXTCaret::Detach() {
  if (!window_) return;
  Hide();
  DestroyCaret();
  window_ = nullptr;
}

void TQXTCaret::Show() {
  --hideCount_;
  if (window_ && hideCount_ == 0) {
    ShowCaret(window_);
    UpdatePos();
  }
}

void TQXTCaret::Hide() {
  if (window_ && hideCount_ == 0) HideCaret(window_);
  ++hideCount_;
}

void TQXTCaret::UpdatePos() {
  if (window_ && hideCount_ == 0) SetCaretPos(x_ - hotX_, y_ - hotY_);
}

void TQXTCaret::Reshape(int hotX, int hotY, int width, int height) {
  HWND window = window_;
  Detach();
  hotX_ = hotX;
  hotY_ = hotY;
  width_ = width;
  height_ = height;
  if (window) Attach(window);
}

void TQXTCaret::SetPos(int x, int y) {
  x_ = x;
  y_ = y;
  UpdatePos();
}

void TQXTCaret::MoveBy(int dx, int dy) { SetPos(x_ + dx, y_ + dy); }
void TQXTCaret::SetX(int x) { SetPos(x, y_); }
void TQXTCaret::MoveX(int dx) { SetPos(x_ + dx, y_); }
void TQXTCaret::SetY(int y) { SetPos(x_, y); }
void TQXTCaret::MoveY(int dy) { SetPos(x_, y_ + dy); }
