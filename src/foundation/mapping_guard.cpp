#include "foundation/mapping_guard.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <mutex>

namespace brimvale {

namespace {

// A handful of files are open for reading at once at most; the table is
// fixed so the signal handler never touches the allocator or a lock.
constexpr int kSlots = 32;

struct Slot {
  std::atomic<uintptr_t> begin{0};
  std::atomic<uintptr_t> end{0};
  std::atomic<bool> faulted{false};
  std::atomic<bool> taken{false};
};

Slot g_Slots[kSlots];
struct sigaction g_Previous {};

void PassOn(int signal, siginfo_t* info, void* context) {
  if (g_Previous.sa_flags & SA_SIGINFO) {
    if (g_Previous.sa_sigaction) {
      g_Previous.sa_sigaction(signal, info, context);
      return;
    }
  } else if (g_Previous.sa_handler != SIG_DFL && g_Previous.sa_handler != SIG_IGN && g_Previous.sa_handler) {
    g_Previous.sa_handler(signal);
    return;
  }
  // Default action: restore it and let the fault happen again.
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(SIGBUS, &fallback, nullptr);
}

void OnBusError(int signal, siginfo_t* info, void* context) {
  const auto address = reinterpret_cast<uintptr_t>(info->si_addr);
  for (Slot& slot : g_Slots) {
    const uintptr_t begin = slot.begin.load(std::memory_order_acquire);
    const uintptr_t end = slot.end.load(std::memory_order_acquire);
    if (begin == 0 || address < begin || address >= end) continue;
    // Zeros from the faulting page to the end of the range: every later
    // page is past the file's end as well.
    const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const uintptr_t from = address / page * page;
    const uintptr_t upTo = (end + page - 1) / page * page;
    slot.faulted.store(true, std::memory_order_release);
    if (mmap(reinterpret_cast<void*>(from), upTo - from, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1,
             0) != MAP_FAILED) {
      return;
    }
    break;
  }
  PassOn(signal, info, context);
}

void InstallHandler() {
  struct sigaction action {};
  action.sa_sigaction = &OnBusError;
  action.sa_flags = SA_SIGINFO | SA_NODEFER;
  sigemptyset(&action.sa_mask);
  sigaction(SIGBUS, &action, &g_Previous);
}

}  // namespace

bool CMappingGuard::Watch(const void* begin, size_t bytes) {
  static std::once_flag installed;
  std::call_once(installed, InstallHandler);
  Release();
  for (int i = 0; i < kSlots; ++i) {
    bool expected = false;
    if (!g_Slots[i].taken.compare_exchange_strong(expected, true)) continue;
    const auto from = reinterpret_cast<uintptr_t>(begin);
    g_Slots[i].faulted.store(false);
    g_Slots[i].end.store(from + bytes, std::memory_order_release);
    g_Slots[i].begin.store(from, std::memory_order_release);
    m_nSlot = i;
    return true;
  }
  return false;
}

void CMappingGuard::Release() {
  if (m_nSlot < 0) return;
  g_Slots[m_nSlot].begin.store(0, std::memory_order_release);
  g_Slots[m_nSlot].end.store(0, std::memory_order_release);
  g_Slots[m_nSlot].taken.store(false, std::memory_order_release);
  m_nSlot = -1;
}

bool CMappingGuard::Faulted() const { return m_nSlot >= 0 && g_Slots[m_nSlot].faulted.load(std::memory_order_acquire); }

}  // namespace brimvale
