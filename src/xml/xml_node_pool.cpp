// Fixed-size slots for XML nodes. Slots are carved from 64 KiB slabs aligned to their
// size, so a slot finds its slab by masking its address. A slab whose last node goes
// is handed back to the system (one empty slab is kept to avoid churn at the edge),
// so a loaded and dropped document does not pin its memory.
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "xml/xml_document.h"

namespace quarlo {

namespace {

constexpr size_t kSlabBytes = 64 * 1024;
constexpr size_t kSlotBytes = sizeof(TfrxXMLItem);
static_assert(kSlotBytes % alignof(TfrxXMLItem) == 0 && alignof(TfrxXMLItem) <= 64);

struct Slab {
  void* free;        // slots given back, linked through their first word
  uint32_t live;     // slots in use
  uint32_t carved;   // slots taken from the untouched tail so far
  Slab* prev;        // the list of slabs with room
  Slab* next;
  bool listed;
};

constexpr size_t kHeaderBytes = (sizeof(Slab) + 63) / 64 * 64;
constexpr uint32_t kSlotsPerSlab = static_cast<uint32_t>((kSlabBytes - kHeaderBytes) / kSlotBytes);

struct Pool {
  std::atomic_flag busy = ATOMIC_FLAG_INIT;
  Slab* open = nullptr;   // slabs with a free slot
  Slab* spare = nullptr;  // one empty slab kept back
};

// Constant-initialised and never destroyed: nodes freed during static destruction
// still find it.
constinit Pool pool;

class Guard {
 public:
  Guard() {
    while (pool.busy.test_and_set(std::memory_order_acquire)) {
    }
  }
  ~Guard() { pool.busy.clear(std::memory_order_release); }
};

void Link(Slab* slab) {
  slab->prev = nullptr;
  slab->next = pool.open;
  if (pool.open) pool.open->prev = slab;
  pool.open = slab;
  slab->listed = true;
}

void Unlink(Slab* slab) {
  if (slab->prev) slab->prev->next = slab->next;
  else pool.open = slab->next;
  if (slab->next) slab->next->prev = slab->prev;
  slab->listed = false;
}

char* SlotArea(Slab* slab) { return reinterpret_cast<char*>(slab) + kHeaderBytes; }

}  // namespace

void* TfrxXMLItem::operator new(size_t size) {
  if (size != sizeof(TfrxXMLItem)) return ::operator new(size);
  Guard guard;
  Slab* slab = pool.open;
  if (!slab) {
    slab = pool.spare;
    pool.spare = nullptr;
    if (!slab) {
      slab = static_cast<Slab*>(std::aligned_alloc(kSlabBytes, kSlabBytes));
      if (!slab) throw std::bad_alloc();
    }
    *slab = Slab{nullptr, 0, 0, nullptr, nullptr, false};
    Link(slab);
  }
  void* slot;
  if (slab->free) {
    slot = slab->free;
    slab->free = *static_cast<void**>(slot);
  } else {
    slot = SlotArea(slab) + static_cast<size_t>(slab->carved++) * kSlotBytes;
  }
  if (++slab->live == kSlotsPerSlab) Unlink(slab);
  return slot;
}

void TfrxXMLItem::operator delete(void* slot, size_t size) noexcept {
  if (!slot) return;
  if (size != sizeof(TfrxXMLItem)) {
    ::operator delete(slot);
    return;
  }
  Slab* slab = reinterpret_cast<Slab*>(reinterpret_cast<uintptr_t>(slot) & ~(kSlabBytes - 1));
  Guard guard;
  *static_cast<void**>(slot) = slab->free;
  slab->free = slot;
  --slab->live;
  if (!slab->listed) Link(slab);
  if (slab->live == 0) {
    Unlink(slab);
    if (pool.spare) {
      std::free(slab);
    } else {
      pool.spare = slab;
    }
  }
}

}  // namespace quarlo
