#pragma once
// Audits the staves a score reader hands it on a worker thread, in the order given, while the
// reader goes on with the next staff record: a large score's audit then runs beside its parsing
// wherever the process may use a second processor.
// A staff handed over belongs to the queue until Finish returns; the audit of one staff touches
// that staff's items alone and takes nothing from the item pool, so the reader may go on
// building the next staff meanwhile.

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

class TMusicStaff;

class TStaffAuditQueue {
 public:
  // Staves shorter than this are audited at once: a worker is not worth starting for them.
  static constexpr int kWorkerMinimumItems = 2000;
  // On a single processor the worker would only take turns with the reader: every staff is
  // audited at once, on the reading thread, while its items are still in the cache.
  static constexpr int kWorkerMinimumProcessors = 2;

  TStaffAuditQueue() = default;
  TStaffAuditQueue(const TStaffAuditQueue&) = delete;
  TStaffAuditQueue& operator=(const TStaffAuditQueue&) = delete;
  ~TStaffAuditQueue();

  // Runs the staff audit on the staff, now or on the worker. Once the worker runs, every later
  // staff goes to it too, so no two audits ever run at the same time.
  void Add(TMusicStaff* staff);
  // Waits until every staff handed over has been audited; an exception the audit threw on the
  // worker is thrown again here.
  void Finish();

 private:
  void CloseAndJoin();
  void Work();

  std::vector<TMusicStaff*> queue_;
  size_t next_ = 0;
  bool closed_ = false;
  std::exception_ptr failure_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::thread worker_;
};
