// An owner-drawn list box that draws each line in the columns of its header (tab-separated
// fields, or texts from GetColumnText) and keeps the header scrolled with it.
#pragma once
#include <vector>
#include "framework/ListBox.h"

class TQVColumnHeader;
struct THeaderNotify;

class TQVColumnListBox : public TListBox {
public:
  static constexpr size_t kLineSize = 8192;

  TQVColumnListBox(TQVColumnHeader* header, int resourceId, HINSTANCE module = nullptr);
  TQVColumnListBox(TQVColumnHeader* header, int id, int x, int y, int w, int h, HINSTANCE module = nullptr);

  bool Find(TEvent& ev) override;
  bool DrawItem(DRAWITEMSTRUCT& item) override;

  // Lists without strings: the text of a column of an item.
  virtual void GetColumnText(LPARAM data, int item, int column, char* buffer, int size);
  // The header offers every notification here first; true when handled (with the result).
  virtual bool HeaderNotify(THeaderNotify& notify, LRESULT& result);

  int AutoSizeColumns(int mode);
  void AutoSizeColumn(int column, int mode);
  int MeasureColumnContent(int column);
  void SetGridLines(bool on);
  // Multi-selection lists: changes the selection only when it differs.
  void SetSelection(int index, bool select);
  bool HasSelection() const;
  TQVColumnHeader* GetHeader() const { return header_; }
  // The text of a line, or empty when the index is out of range or the line too long.
  bool LineText(int index, char* buffer, size_t size) const;

  LRESULT EvHScroll(WPARAM, LPARAM);
  LRESULT EvSize(WPARAM, LPARAM);

private:
  void ColumnText(int item, LPARAM data, const char* line, int column, char* buffer, int size);

  TQVColumnHeader* header_;
  bool gridLines_ = false;
  std::vector<char> line_;
};
