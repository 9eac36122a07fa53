#include "framework/QXTComboBox.h"

#include <cstdlib>
#include <cstring>

#include "foundation/EditValueRules.h"
#include "framework/EditNumber.h"

TQXTComboBox::TQXTComboBox(TWindow* parent, int id, int x, int y, int w, int h, const TComboArgs& args,
                           HINSTANCE module)
    : TComboBox(parent, id, x, y, w, h, args.style, args.textLimit, module),
      mode_(TComboTransfer::Framework),
      items_(args.items) {}

TQXTComboBox::TQXTComboBox(TWindow* parent, int resourceId, const TComboArgs& args, HINSTANCE module)
    : TComboBox(parent, resourceId, args.textLimit, module),
      mode_(args.items ? TComboTransfer::Index : TComboTransfer::Framework),
      items_(args.items) {}

void TQXTComboBox::SetupWindow() {
  TComboBox::SetupWindow();
  SendMessage(CB_SETEXTENDEDUI, TRUE);
  if (!items_) return;
  ClearList();
  for (const char* p = items_; *p; p += strlen(p) + 1) AddString(p);
}

void TQXTComboBox::SetNumericRange(int32_t minimum, int32_t maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  mode_ = TComboTransfer::Number;
}

void TQXTComboBox::AddNumbers(int from, int to, int step) {
  if (step < 1) step = 1;
  char text[16];
  for (long long v = from; v <= to; v += step) {
    FormatNumberText(text, sizeof text, static_cast<int32_t>(v));
    AddString(text);
  }
}

int32_t TQXTComboBox::GetNumber() const {
  char text[10] = {};
  if (GetHandle()) GetWindowTextA(GetHandle(), text, sizeof text);
  return static_cast<int32_t>(std::strtol(text, nullptr, 10));
}

void TQXTComboBox::SetNumber(int32_t value) {
  char text[16];
  FormatNumberText(text, sizeof text, ClampNumber(value, minimum_, maximum_));
  const int index = FindExactString(text);
  if (index >= 0) {
    SetSelIndex(index);
  } else if (mode_ == TComboTransfer::Number) {
    SetSelIndex(-1);
    SetText(text);
    SetEditSel(0, -1);
  }
}

bool TQXTComboBox::IsNumberValid() const {
  return IsNumberTextInRange(GetText().c_str(), minimum_, maximum_, false);
}

bool TQXTComboBox::CanClose() {
  if (mode_ != TComboTransfer::Number || IsNumberValid() || !IsWindowEnabled()) return TComboBox::CanClose();
  ReportInvalidValue(*this, std::string(), "Value is out of range", 0);
  return false;
}

UINT TQXTComboBox::Transfer(void* buffer, TTransferDirection direction) {
  if (mode_ == TComboTransfer::Number) {
    return TransferInt32(buffer, direction, [&] { return GetNumber(); }, [&](int32_t v) { SetNumber(v); });
  }
  return TComboBox::Transfer(buffer, direction);
}
