// The controls of one multi-point controller, shared by the current line's notation properties
// page and the earlier line's controller dialog (both resource 549): controller type, style,
// time and sweep resolution, and four settings (time offset and a value slider with its number),
// the first always on and the others by their check boxes.
#pragma once
#include <windows.h>

#include "editor/NtnPropExpressions.h"

class TCheckBox;
class TComboBox;
class TEditNumber;
class TEvent;
class TQVHSlider;
class TWindow;

class TControllerControls {
public:
  // The slider thumb picture.
  static constexpr int kThumbBitmap = 549;

  // Made in the constructor of `parent`, a dialog or page built from resource 549; `types` is how
  // many controller types its list offers.
  TControllerControls(TWindow* parent, int types);

  // Once the parent's window stands.
  void Show(const TNtnPropController& g);
  // The parent's messages: a type change, a setting's check box, a slider; false when not one.
  bool Find(TEvent& ev, TNtnPropController& g);
  // A setting on after one that is off is refused with its box, and the focus goes to its check box.
  bool Validate(const TNtnPropController& g);
  void Read(TNtnPropController& g) const;

private:
  void ShowRecord(const TNtnPropController& g);
  void ShowValue(int type, int point);
  void EnableSettings();
  void ReadChecks(TNtnPropController& g) const;
  void TypeChanged(TNtnPropController& g);
  void Scrolled(WPARAM wParam, LPARAM lParam, int type);

  TWindow* parent_;
  int types_;
  TComboBox* type_;
  TComboBox* style_;
  TComboBox* time_;
  TEditNumber* sweep_;
  TCheckBox* on_[TNtnPropController::kPoints] = {};  // the first setting has none
  TEditNumber* offsets_[TNtnPropController::kPoints];
  TQVHSlider* values_[TNtnPropController::kPoints];
};
