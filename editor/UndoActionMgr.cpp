#include "editor/UndoActionMgr.h"

#include <algorithm>

TUndoActionMgr::TUndoActionMgr(int levels, unsigned blockSize) : blockSize_(blockSize ? blockSize : 1) {
  SetLevels(levels);
}

void TUndoActionMgr::SetLevels(int levels) {
  levels = std::max(levels, 1);
  records_.clear();
  for (int i = 0; i <= levels; ++i) records_.push_back(std::make_unique<TEditUndoAction>(blockSize_));
  top_ = redo_ = lastStep_ = 0;
}

TQXTStream& TUndoActionMgr::Push(TUndoKind kind, int command) {
  const int size = static_cast<int>(records_.size());
  if (top_ < size - 1) {
    ++top_;
  } else {
    // Full: the oldest record moves to the end and is reused.
    std::rotate(records_.begin(), records_.begin() + 1, records_.end());
  }
  redo_ = 0;
  lastStep_ = 0;
  TEditUndoAction& record = *records_[top_ - 1];
  record.SetAction(kind, command);
  record.Empty();
  return record.Data();
}

void TUndoActionMgr::DiscardLast() {
  if (top_ == 0) return;
  records_[top_ - 1]->Empty();
  --top_;
}

void TUndoActionMgr::PeekUndo(TUndoKind& kind, int& command) const {
  kind = TUndoKind::None;
  command = 0;
  if (top_ == 0) return;
  kind = records_[top_ - 1]->GetKind();
  command = records_[top_ - 1]->GetCommand();
}

void TUndoActionMgr::PeekRedo(TUndoKind& kind, int& command) const {
  kind = TUndoKind::None;
  command = 0;
  if (redo_ == 0) return;
  kind = records_[top_ + 1]->GetKind();
  command = records_[top_ + 1]->GetCommand();
}

bool TUndoActionMgr::Step(int from, int to, TQXTStream*& input, TQXTStream*& output) {
  TEditUndoAction& source = *records_[static_cast<std::size_t>(from)];
  TEditUndoAction& target = *records_[static_cast<std::size_t>(to)];
  target.SetAction(source.GetKind(), source.GetCommand());
  source.Data().Rewind();
  target.Empty();
  input = &source.Data();
  output = &target.Data();
  return true;
}

bool TUndoActionMgr::Undo(TQXTStream*& input, TQXTStream*& output) {
  if (top_ == 0) return false;
  Step(top_ - 1, top_, input, output);
  --top_;
  ++redo_;
  lastStep_ = -1;
  return true;
}

bool TUndoActionMgr::Redo(TQXTStream*& input, TQXTStream*& output) {
  if (redo_ == 0) return false;
  Step(top_ + 1, top_, input, output);
  ++top_;
  --redo_;
  lastStep_ = 1;
  return true;
}

void TUndoActionMgr::ForgetInverse() {
  // The record that was read still describes the model (nothing changed): the ring steps back,
  // so both sides stay as they were before the attempt; the emptied record was the spare one.
  if (lastStep_ < 0) {
    ++top_;
    --redo_;
  } else if (lastStep_ > 0) {
    --top_;
    ++redo_;
  }
  lastStep_ = 0;
}

void TUndoActionMgr::Clear() {
  for (auto& record : records_) {
    record->SetAction(TUndoKind::None, 0);
    record->Empty();
  }
  top_ = redo_ = lastStep_ = 0;
}
