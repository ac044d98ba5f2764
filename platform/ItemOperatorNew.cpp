// Linked into the item DLL only: every object of the item comes from the item's allocator, and a shortage gives
// null to the nothrow new that the item uses (ITEM_NEW). The plain forms are defined too, only so that anything
// of the runtime that news and deletes stays on the same heap as the item's delete; the item's own objects never
// call them (the build's profile check names any that does).
#include "ItemMemory.h"

void* operator new(size_t bytes, const std::nothrow_t&) throw() { return AllocateItemMemory(bytes); }
void* operator new[](size_t bytes, const std::nothrow_t&) throw() { return AllocateItemMemory(bytes); }
void* operator new(size_t bytes) { return AllocateItemMemory(bytes); }
void* operator new[](size_t bytes) { return AllocateItemMemory(bytes); }
void operator delete(void* block) throw() { FreeItemMemory(block); }
void operator delete[](void* block) throw() { FreeItemMemory(block); }
void operator delete(void* block, const std::nothrow_t&) throw() { FreeItemMemory(block); }
void operator delete[](void* block, const std::nothrow_t&) throw() { FreeItemMemory(block); }
