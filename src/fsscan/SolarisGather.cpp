#include "fsscan/SolarisGather.h"

#include <db_cxx.h>

#include <memory>

#include "sol/stat.h"

bool SolarisGather::CreateDB(const char* file) {
    database.reset();
    try {
        // Removing consumes the handle that does it, so the old file goes through a handle of
        // its own and the database is opened on a fresh one.
        struct sol::stat existing;
        if (sol::stat(file, &existing) == 0) {
            Db old(nullptr, DB_CXX_NO_EXCEPTIONS);
            old.remove(file, nullptr, 0);
        }
        std::unique_ptr<Db> db(new Db(nullptr, 0));
        db->set_errpfx("BDB Error : ");
        db->set_pagesize(16384);
        db->set_cachesize(0, 0x28000, 0);
        if (db->open(nullptr, file, nullptr, DB_BTREE, DB_CREATE, 0664) != 0) return false;
        database = std::move(db);
        return true;
    } catch (const DbException&) {
        return false;
    }
}
