// The program's global new and delete: new takes plainly from the C heap,
// delete and delete[] go through the allocation tracker. Compiled into each
// program that links the game library (an archive member defining only
// these operators would never be pulled in). Sanitizer builds keep their
// own operators, which check new/delete pairs themselves.
#include <cstdlib>
#include <new>

#include "core/memory_manager.h"

#ifndef BRENNMARK_SANITIZED_BUILD
void* operator new(std::size_t size) {
  void* p = std::malloc(size != 0 ? size : 1);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* p) noexcept { MemoryManager().Deallocate(p, false); }
void operator delete[](void* p) noexcept { MemoryManager().Deallocate(p, true); }
void operator delete(void* p, std::size_t) noexcept { MemoryManager().Deallocate(p, false); }
void operator delete[](void* p, std::size_t) noexcept { MemoryManager().Deallocate(p, true); }
#endif
