// The gate that lets the progress flip swap the locked surface under running workers.
// A worker stores pixels only inside a store section; the supervisor closes the gate,
// which returns once no section is open, and no section opens until it opens the gate
// again. So no store goes through a surface pointer from before a flip, and a worker busy
// in a kernel call (which touches no surface) is never waited for.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

class TStoreGate {
public:
  explicit TStoreGate(std::int32_t workers);

  // Worker side, with the worker's own slot: opens a store section, first waiting while
  // the gate is closed; and closes it.
  void Enter(std::int32_t slot);
  void Leave(std::int32_t slot);

  // Supervisor side: closes the gate and waits until every open section has closed; opens it.
  void Close();
  void Open();

  bool Closed() const { return closed_.load(std::memory_order_acquire); }

private:
  // One cache line per worker, so that entering a section costs no shared-line traffic.
  struct alignas(64) Slot {
    std::atomic<bool> Storing{false};
  };
  std::vector<Slot> slots_;
  alignas(64) std::atomic<bool> closed_{false};
};

// Holds one worker's store section for a scope.
class TStoreSection {
public:
  TStoreSection(TStoreGate& gate, std::int32_t slot) : gate_(gate), slot_(slot) {
    gate_.Enter(slot_);
  }
  ~TStoreSection() { gate_.Leave(slot_); }
  TStoreSection(const TStoreSection&) = delete;
  TStoreSection& operator=(const TStoreSection&) = delete;

private:
  TStoreGate& gate_;
  std::int32_t slot_;
};
