#pragma once

#include <link.h>

#include <cstring>

namespace kestro::test {

// Whether a shared object whose file name contains part is loaded in this process.
inline bool IsLoaded(const char* part) {
    return dl_iterate_phdr(
               [](dl_phdr_info* info, std::size_t, void* wanted) {
                   return info->dlpi_name != nullptr &&
                                  std::strstr(info->dlpi_name, static_cast<const char*>(wanted))
                              ? 1
                              : 0;
               },
               const_cast<char*>(part)) != 0;
}

} // namespace kestro::test
