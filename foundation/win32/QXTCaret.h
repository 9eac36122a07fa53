// The editing view's caret over the system caret: a logical position with a hot spot, a hide
// count so that nested hide/show pairs work, and detaching and re-attaching as the window loses
// and regains the focus. A caret hidden on purpose stays hidden across a focus change.
#pragma once

#include <windows.h>

class TQXTCaret {
public:
  TQXTCaret(int hotX, int hotY, int width, int height);
  // Virtual: views keep their carets through pointers to this class. A caret still attached
  // gives the system caret back.
  virtual ~TQXTCaret();
  TQXTCaret(const TQXTCaret&) = delete;
  TQXTCaret& operator=(const TQXTCaret&) = delete;

  // The system caret of this size in the attached window, at the position.
  virtual void Create();
  // Answers non-zero (and does nothing) when already attached; else attaches, creates, shows.
  virtual int Attach(HWND window);
  virtual void Detach();
  virtual void Show();
  virtual void Hide();

  void UpdatePos();
  // Detaches, takes the new hot spot and size, and attaches again to the same window.
  void Reshape(int hotX, int hotY, int width, int height);

  void SetPos(int x, int y);
  void MoveBy(int dx, int dy);
  void SetX(int x);
  void MoveX(int dx);
  void SetY(int y);
  void MoveY(int dy);
  // The caret's top-left corner in client coordinates.
  POINT GetCaretPoint() const { return POINT{x_ - hotX_, y_ - hotY_}; }
  POINT GetPos() const { return POINT{x_, y_}; }
  bool IsAttached() const { return window_ != nullptr; }
  bool IsVisible() const { return hideCount_ <= 0; }
  int GetHideCount() const { return hideCount_; }

private:
  int hideCount_ = 1;
  HWND window_ = nullptr;
  int x_ = 0;
  int y_ = 0;
  int width_;
  int height_;
  int hotX_;
  int hotY_;
};
