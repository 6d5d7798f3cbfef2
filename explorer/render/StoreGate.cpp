// The store gate declared in StoreGate.h. Enter and Close form a Dekker pair: each side
// announces itself (the slot's flag, the gate's flag) before it reads the other's, all in
// sequentially consistent order, so at least one of them sees the other and backs off.
#include "explorer/render/StoreGate.h"

#include <thread>

TStoreGate::TStoreGate(std::int32_t workers) : slots_(workers > 0 ? workers : 0) {}

void TStoreGate::Enter(std::int32_t slot) {
  std::atomic<bool>& storing = slots_[slot].Storing;
  for (;;) {
    storing.store(true, std::memory_order_seq_cst);
    if (!closed_.load(std::memory_order_seq_cst)) return;
    storing.store(false, std::memory_order_seq_cst);
    while (closed_.load(std::memory_order_acquire)) std::this_thread::yield();
  }
}

void TStoreGate::Leave(std::int32_t slot) {
  slots_[slot].Storing.store(false, std::memory_order_release);
}

void TStoreGate::Close() {
  closed_.store(true, std::memory_order_seq_cst);
  for (Slot& s : slots_)
    while (s.Storing.load(std::memory_order_seq_cst)) std::this_thread::yield();
}

void TStoreGate::Open() { closed_.store(false, std::memory_order_release); }
