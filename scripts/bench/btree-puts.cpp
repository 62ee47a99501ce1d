// btree-puts FILE COUNT: COUNT puts into a new Berkeley DB B-tree FILE with the scan's settings
// (16 KB pages, a 160 KB cache, keys the record numbers 1..COUNT in decimal in that order, values
// of about the scan's record length, no overwrite), then a close. Prints the seconds of the puts
// and of the close, the microseconds per put and the file's bytes per record, so that runs at
// several counts show whether the puts alone grow faster than the records.
// Built by scripts/bench-fsscan: g++ -O2 btree-puts.cpp -ldb_cxx.
#include <db_cxx.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FILE COUNT\n", argv[0]);
        return 2;
    }
    const char* file = argv[1];
    long count = std::atol(argv[2]);
    std::remove(file);
    Db db(nullptr, 0);
    db.set_pagesize(16384);
    db.set_cachesize(0, 0x28000, 0);
    db.open(nullptr, file, nullptr, DB_BTREE, DB_CREATE, 0664);
    // A record's text: name, sizes and times, flags and numbers; names of 1 to 120 characters.
    std::string value;
    unsigned seed = 20261209;
    using Clock = std::chrono::steady_clock;
    Clock::time_point start = Clock::now();
    for (long n = 1; n <= count; ++n) {
        seed = seed * 1103515245u + 12345u;
        value.assign(1 + (seed >> 16) % 120, 'n');
        value += "<>" + std::to_string((seed >> 3) % 5000000000ul) + "<>1765000000<>1765000000<>1765000000<>0<>4<>" +
                 std::to_string(n / 16) + "<>" + std::to_string(n) + "<>-1<>0<>*";
        std::string key = std::to_string(n);
        Dbt k(&key[0], static_cast<u_int32_t>(key.size()));
        Dbt v(&value[0], static_cast<u_int32_t>(value.size()));
        int result = db.put(nullptr, &k, &v, DB_NOOVERWRITE);
        if (result != 0) {
            std::fprintf(stderr, "put %ld: %d\n", n, result);
            return 1;
        }
    }
    Clock::time_point puts = Clock::now();
    db.close(0);
    Clock::time_point closed = Clock::now();
    struct stat st;
    stat(file, &st);
    double putSeconds = std::chrono::duration<double>(puts - start).count();
    std::printf("puts=%ld put_seconds=%.3f close_seconds=%.3f us_per_put=%.2f bytes_per_record=%.1f\n", count,
                putSeconds, std::chrono::duration<double>(closed - puts).count(), putSeconds * 1e6 / count,
                static_cast<double>(st.st_size) / count);
    return 0;
}
