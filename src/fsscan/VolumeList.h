// The test scan's volume list: the mount points of the ufs and nfs mounts of the mount table.
#pragma once
#include <string>

// Appends "  <mount point>" for every ufs or nfs mount whose special device names a "dev".
void appendTestScanVolumes(std::string& list);

// 1 when `text` occurs anywhere in `in`, else 0.
int contains(const char* text, const char* in);
