// The gadgets of a toolbar: a command button with its four glyph cels (normal, disabled,
// indeterminate, down) and the separator; and the command enabler that sets a button's state.
#pragma once
#include <windows.h>
#include <cstdint>
#include "framework/CommandEnabler.h"
#include "framework/Geometry.h"

class TToolbarGadget {
public:
  virtual ~TToolbarGadget() = default;
  // The command id a button sends; 0 for a separator.
  virtual int GetId() const = 0;
  virtual bool IsSeparator() const { return false; }
  virtual TPoint DesiredSize() const = 0;
  // Vertical: the toolbar is a column; rowLine: a floating separator drawn across its row.
  virtual void Paint(HDC dc, const RECT& r, bool vertical, bool rowLine) = 0;
  virtual bool IsEnabled() const { return false; }
  // The value "toolbars.dat" keeps for the gadget.
  virtual uint16_t FileValue() const = 0;
};

class TQVToolbarSeparatorGadget : public TToolbarGadget {
public:
  int GetId() const override { return 0; }
  bool IsSeparator() const override { return true; }
  TPoint DesiredSize() const override;
  void Paint(HDC dc, const RECT& r, bool vertical, bool rowLine) override;
  uint16_t FileValue() const override { return 0xFFFF; }
};

class TToolbarButtonGadget : public TToolbarGadget {
public:
  enum class TType { Command, Exclusive, NonExclusive };
  enum { Up = 0, Down = 1, Indeterminate = 2 };
  static constexpr int kGlyphWidth = 16;
  static constexpr int kGlyphHeight = 15;

  TToolbarButtonGadget(int bitmapId, int id, TType type = TType::Command);
  ~TToolbarButtonGadget() override;

  int GetId() const override { return id_; }
  TPoint DesiredSize() const override;
  void Paint(HDC dc, const RECT& r, bool vertical, bool rowLine) override;
  bool IsEnabled() const override { return enabled_; }
  uint16_t FileValue() const override { return static_cast<uint16_t>(id_); }

  TType GetType() const { return type_; }
  int GetState() const { return state_; }
  void SetState(int state) { state_ = state; }
  void SetEnabled(bool on) { enabled_ = on; }
  void SetHot(bool on) { hot_ = on; }
  void SetPressed(bool on) { pressed_ = on; }
  bool IsHot() const { return hot_; }
  bool IsPressed() const { return pressed_; }
  // The cels are made again from the resource at the next paint (after a colour change).
  void ForgetCels();

private:
  void BuildCels(HDC dc);

  int id_;
  int bitmapId_;
  TType type_;
  int state_ = Up;
  bool pressed_ = false;
  bool hot_ = false;
  bool enabled_ = true;
  HBITMAP cels_ = nullptr;
};

class TToolButtonGadgetEnabler : public TCommandEnabler {
public:
  TToolButtonGadgetEnabler(TToolbarButtonGadget& gadget, HWND receiver)
      : TCommandEnabler(static_cast<UINT>(gadget.GetId()), receiver), gadget_(gadget) {}
  void Enable(bool enable = true) override;
  void SetCheck(int state) override { gadget_.SetState(state); }
  void SetText(const char*) override {}

private:
  TToolbarButtonGadget& gadget_;
};

// The 3-D edge lines of toolbars, docks and the status bar: bits 0x0100 left, 0x0200 top, 0x0400
// right, 0x0800 bottom; 0x0080 adds the highlight line inside the shadow line. Answers the
// rectangle inside the lines.
RECT DrawEdgeLines(HDC dc, RECT r, uint16_t edges, bool win4);
int EdgeLineWidth(bool win4);

// The 8 x 8 brush of button face and highlight dots behind down and indeterminate glyphs and in
// drag outlines; rebuilt when the system colours change.
HBRUSH GetToolbarHatchBrush();
void RebuildToolbarHatchBrush();
// A drag outline on the screen, drawn with the hatch brush so that drawing it again erases it.
void XorToolbarOutline(const RECT& r, int width);
