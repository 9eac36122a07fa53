// The page view of print preview: draws the current page of a print job scaled into itself at
// one of four zoom levels, with scroll bars from level 1 on; a left click zooms in and a right
// click zooms out around the point under the mouse. Its text names the page it shows.
#pragma once
#include <windows.h>

#include <memory>

#include "QVKNTN/EditorLine.h"
#include "app/PreviewZoom.h"
#include "earlier/app/PreviewZoomEarlier.h"

class TQVKPrintData;

class TScorePreviewControl {
public:
  static constexpr const char* kClassName = kEarlierLine ? "ScorePreviewCtl" : "QVKScorePreviewCtl170";

  explicit TScorePreviewControl(TQVKPrintData* job);
  ~TScorePreviewControl();
  TScorePreviewControl(const TScorePreviewControl&) = delete;
  TScorePreviewControl& operator=(const TScorePreviewControl&) = delete;

  bool Create(HWND parent, int id);
  HWND GetHandle() const { return hwnd_; }

  // The space the view may take in its parent; it centres itself there at its zoom level.
  void SetSpace(const RECT& space);
  // The earlier line's dialog places the view itself, at the page's fitted size.
  void SetPlace(const RECT& place);
  const TEarlierPreviewZoom& EarlierZoom() const { return earlierZoom_; }
  void SetZoom(int level);
  int GetZoom() const { return zoom_.GetZoom(); }
  const TPreviewZoom& Zoom() const { return zoom_; }

  void FirstPage();
  void NextPage();
  void PreviousPage();
  // Lays out from page 1 until a page ends at or beyond the item of the first printed staff.
  void GotoPosition(int itemIndex);
  int GetPage() const { return page_; }
  bool HasMorePages() const { return more_; }

private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Receive(UINT msg, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc);
  // Lays out the current page without drawing, to learn whether another follows.
  void Measure();
  void Place();
  void Scroll(bool vertical, WPARAM wParam);
  void Refresh();
  void PlaceEarlier();
  // The earlier line's mouse zoom and its page size and offsets at the zoom level.
  void EarlierClick(bool zoomOut);
  void EarlierPageRect(int& width, int& height, int& left, int& top) const;

  TQVKPrintData* job_;
  HWND hwnd_ = nullptr;
  RECT space_ = {};
  TPreviewFrame frame_ = {};
  TPreviewZoom zoom_;
  TEarlierPreviewZoom earlierZoom_;
  int page_ = 1;
  bool more_ = false;
};
