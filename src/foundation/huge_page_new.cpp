// Large arrays (a model's vertices, faces, edges and links, a subdivision's
// output) on transparent huge pages. The kernel hands out fresh memory a
// 4 KiB page at a time, zeroing and mapping each on its first touch; for
// arrays of hundreds of megabytes that costs as much as filling them. Where
// the kernel offers huge pages on request, the global operator new asks for
// them for every block of 4 MiB or more: one fault then maps 2 MiB.
//
// Every block still comes from malloc (aligned_alloc for the large ones), so
// the library's operator delete, which calls free, releases both kinds. Under
// the sanitizers their own operator new stays in place.
#include <sys/mman.h>

#include <cstdlib>
#include <new>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer) || __has_feature(thread_sanitizer)
#define BRIMVALE_SANITIZED_NEW 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define BRIMVALE_SANITIZED_NEW 1
#endif

#ifndef BRIMVALE_SANITIZED_NEW

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kLargeBlock = std::size_t{4} << 20;

void* AllocateLarge(std::size_t size) {
  // Whole huge pages, so the block's pages are never shared with other data.
  const std::size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
  void* block = std::aligned_alloc(kHugePage, rounded);
  if (block) madvise(block, rounded, MADV_HUGEPAGE);  // a hint; no harm when refused
  return block;
}

}  // namespace

void* operator new(std::size_t size) {
  if (size == 0) size = 1;
  for (;;) {
    void* block = size >= kLargeBlock ? AllocateLarge(size) : std::malloc(size);
    if (block) return block;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

#endif
