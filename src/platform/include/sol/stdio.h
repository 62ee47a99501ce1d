// fopen/fclose as the platform layer serves them: "/etc/mnttab" comes from the chosen backend.
#pragma once
#include <cstdio>

namespace sol {

FILE* fopen(const char* path, const char* mode);
int fclose(FILE* fp);

}  // namespace sol
