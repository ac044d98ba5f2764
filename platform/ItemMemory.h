// The item's one way to memory. On the handheld the Today screen is the shell: an item that ends the process
// when memory runs short takes the home screen down. So nothing in the item allocates where a failure could not
// be answered (no standard container, string or throwing new): every block comes from here, and every caller
// checks for null and carries on without what it could not have.
#pragma once
#include <windows.h>
#include <new>

// After a platform call that failed, with the error cleared before it: whether memory was short, so the call is
// worth making again later. Any other failure would fail again.
inline bool FailedForWantOfMemory() {
    const DWORD error = GetLastError();
    return error == ERROR_NOT_ENOUGH_MEMORY || error == ERROR_OUTOFMEMORY;
}

// A block of at least `bytes` bytes from the platform's local heap, or null when there is none.
void* AllocateItemMemory(size_t bytes);
// Gives a block back; null is ignored.
void FreeItemMemory(void* block);

// An object of the item's, made with the nothrow form of new (null when memory is short: the constructor
// then does not run) and deleted with delete. Inside the item's DLL both go through the two functions above
// (platform/ItemOperatorNew.cpp); the programs that drive the item's parts directly keep their own runtime's.
#define ITEM_NEW new (std::nothrow)
