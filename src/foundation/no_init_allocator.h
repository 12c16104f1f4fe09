// An allocator whose value-initialisation leaves the elements as they come, for
// large arrays that are written whole right after they are sized: the first
// write to a fresh page is what costs, and the writer can then make it on
// several threads instead of a serial fill making it first.
#pragma once

#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace brimvale {

template <class T>
class CNoInitAllocator : public std::allocator<T> {
 public:
  using value_type = T;
  template <class U>
  struct rebind {
    using other = CNoInitAllocator<U>;
  };

  CNoInitAllocator() noexcept = default;
  template <class U>
  CNoInitAllocator(const CNoInitAllocator<U>&) noexcept {}

  template <class U>
  void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

}  // namespace brimvale
