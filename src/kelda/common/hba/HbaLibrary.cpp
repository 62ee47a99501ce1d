#include "kelda/common/hba/HbaLibrary.h"

#include <cstring>

std::mutex& hbaLibraryLock() {
    static std::mutex lock;
    return lock;
}

HbaLibrary::HbaLibrary() : lock_(hbaLibraryLock()) {
    // Its status is not consulted: without a vendor library every later call fails by itself.
    HBA_LoadLibrary();
}

HbaLibrary::~HbaLibrary() { HBA_FreeLibrary(); }

AdapterHandle::~AdapterHandle() {
    if (handle != 0) HBA_CloseAdapter(handle);
}

bool AdapterHandle::refresh(const char* name) {
    static const char unrefreshedPrefix[] = "SUNW-qlc-";
    if (std::strncmp(name, unrefreshedPrefix, sizeof unrefreshedPrefix - 1) == 0) return false;
    HBA_RefreshInformation(handle);
    return true;
}

bool AdapterHandle::open(HBA_UINT32 index, char (&name)[256]) {
    std::memset(name, 0, sizeof name);
    status = HBA_GetAdapterName(index, name);
    name[sizeof name - 1] = '\0';
    if (status == HBA_STATUS_OK) {
        handle = HBA_OpenAdapter(name);
        if (handle == 0) handle = HBA_OpenAdapter(name);
    }
    return handle != 0;
}
