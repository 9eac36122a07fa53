#include "QVKNTN/StaffAuditQueue.h"

#include <system_error>

#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "foundation/AllowedProcessors.h"

TStaffAuditQueue::~TStaffAuditQueue() { CloseAndJoin(); }

// The worker audits what is queued, then ends.
void TStaffAuditQueue::CloseAndJoin() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    closed_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void TStaffAuditQueue::Add(TMusicStaff* staff) {
  if (!worker_.joinable()) {
    if (staff->ItemCount() < kWorkerMinimumItems || AllowedProcessors() < kWorkerMinimumProcessors) {
      RunStaffAudit(staff, -1, -1);
      return;
    }
    try {
      worker_ = std::thread(&TStaffAuditQueue::Work, this);
    } catch (const std::system_error&) {
      // No thread to be had: the audit runs here, as it would without the queue.
      RunStaffAudit(staff, -1, -1);
      return;
    }
  }
  {
    std::lock_guard<std::mutex> hold(lock_);
    queue_.push_back(staff);
  }
  changed_.notify_all();
}

void TStaffAuditQueue::Finish() {
  CloseAndJoin();
  if (failure_) {
    std::exception_ptr failure = failure_;
    failure_ = nullptr;
    std::rethrow_exception(failure);
  }
}

void TStaffAuditQueue::Work() {
  for (;;) {
    TMusicStaff* staff;
    {
      std::unique_lock<std::mutex> hold(lock_);
      changed_.wait(hold, [&] { return closed_ || next_ < queue_.size(); });
      if (next_ == queue_.size()) return;
      staff = queue_[next_++];
    }
    // After a failure the rest are left unaudited: the reader throws once Finish is reached.
    if (failure_) continue;
    try {
      RunStaffAudit(staff, -1, -1);
    } catch (...) {
      failure_ = std::current_exception();
    }
  }
}
