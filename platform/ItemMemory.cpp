#include "ItemMemory.h"

void* AllocateItemMemory(size_t bytes) {
    // LocalAlloc of 0 bytes gives a block whose use would be an error; ask for one byte at least.
    return LocalAlloc(LMEM_FIXED, bytes ? bytes : 1);
}

void FreeItemMemory(void* block) {
    if (block) LocalFree(block);
}
