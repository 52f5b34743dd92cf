#include "platform/linux/GLDriverPin.h"

#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>
#include <link.h>

#include <cstring>

void PinGLDriver()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            const char suffix[] = "_dri.so";
            const size_t length = std::strlen(info->dlpi_name);
            const size_t suffixLength = sizeof suffix - 1;
            // RTLD_NOLOAD finds the mapped library; RTLD_NODELETE keeps it past its last dlclose.
            if (length >= suffixLength && std::strcmp(info->dlpi_name + length - suffixLength, suffix) == 0)
                dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}
#else
void PinGLDriver() {}
#endif
