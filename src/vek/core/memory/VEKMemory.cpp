#include "vek/core/memory/VEKMemory.h"

#include "vek/core/CoreLibrary.h"
#include "vek/core/exceptions/InternalException.h"

namespace VEK {

void SetAllocationDeallocationFunction(VEK_private::AllocationFunction allocation,
                                       VEK_private::DeallocationFunction deallocation) {
    VEK_ASSERT(!Core::Library::IsInitialized());
    VEK_ASSERT(VEK_private::gAllocationFunction == NULL);
    VEK_ASSERT(VEK_private::gDeallocationFunction == NULL);
    VEK_private::gAllocationFunction = allocation;
    VEK_private::gDeallocationFunction = deallocation;
}

void SetMemoryCheckFunction(VEK_private::MemoryCheckFunction check) {
    VEK_ASSERT(!Core::Library::IsInitialized());
    VEK_ASSERT(VEK_private::gMemoryCheckFunction == NULL);
    VEK_private::gMemoryCheckFunction = check;
}

}  // namespace VEK
