// The cancel request of a long task: the user is asked once to confirm, and a confirmed request
// stays until it is reset, so further Cancel presses ask nothing.
#pragma once

class TCancelRequest {
public:
  // Asks (the function answers whether the user said Yes) unless a cancel is already requested.
  template <class TAsk>
  void Confirm(TAsk askYes) {
    if (requested_) return;
    if (askYes()) requested_ = true;
  }
  bool IsRequested() const { return requested_; }
  void Reset() { requested_ = false; }

private:
  bool requested_ = false;
};
