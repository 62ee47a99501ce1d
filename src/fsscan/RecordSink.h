// Where the walk's records go: every record in the order the walk makes it, under its number
// (key: the number in decimal; value: the record text; neither with a terminator), never
// overwriting one. Two sinks: the puts made on the walk's own thread (DirectRecordSink), and a
// writer thread behind the walk (RecordWriterThread). Either way a failing put ends the walk
// with that put's error and nothing after it is written: the put's result stored in errno and
// thrown as an int, or the database's exception.
#pragma once
#include <cstddef>

class Db;

class RecordSink {
public:
    virtual ~RecordSink() = default;
    // Takes one record. A failing put throws its error here, or (writing behind) makes failed()
    // true and finish() throw it.
    virtual void put(int number, const char* record, size_t length) = 0;
    // True once a put failed behind the walk: the walk then ends.
    virtual bool failed() const = 0;
    // Returns once every record taken is written; throws the failed put's error.
    virtual void finish() = 0;
};

class DirectRecordSink : public RecordSink {
public:
    explicit DirectRecordSink(Db& database) : database_(database) {}
    void put(int number, const char* record, size_t length) override;
    bool failed() const override { return false; }
    void finish() override {}

private:
    Db& database_;
};

// One put of a record; a non-zero result is stored in errno and thrown as an int.
void putScanRecord(Db& database, int number, const char* record, size_t length);
