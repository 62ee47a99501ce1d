// The walk with the scan's database: a Berkeley DB B-tree file made afresh for each scan.
#pragma once
#include "fsscan/CommonGather.h"

class SolarisGather : public CommonGather {
public:
    using CommonGather::CommonGather;
    // Creates the scan database `file` afresh (an old file of that name is removed first):
    // no environment, error prefix "BDB Error : ", 16 KB pages, a 160 KB cache, mode 0664.
    virtual bool CreateDB(const char* file);
};
