#include "fsscan/RecordSink.h"

#include <db_cxx.h>

#include <cerrno>

#include "fsscan/Decimal.h"

void putScanRecord(Db& database, int number, const char* record, size_t length) {
    char digits[24];
    char* end = digits + sizeof digits;
    char* key = decimalBefore(end, number);
    Dbt keyData(key, static_cast<u_int32_t>(end - key));
    Dbt valueData(const_cast<char*>(record), static_cast<u_int32_t>(length));
    int result = database.put(nullptr, &keyData, &valueData, DB_NOOVERWRITE);
    if (result != 0) {
        errno = result;
        throw result;
    }
}

void DirectRecordSink::put(int number, const char* record, size_t length) {
    putScanRecord(database_, number, record, length);
}
