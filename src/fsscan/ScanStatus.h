// The status a scan reports and the message that goes with it. A scan starts (0), scans (1)
// and ends with 1, or 2 and the message of the first failure it met: a failure after the first
// changes nothing, which gives the order of precedence of the final report (cursor, database
// creation, the walk's error, the stop request, the database's close). Errors become text in
// one place, getErrorMessage, whose table reaches Java as it stands.
#pragma once

// The message for an error number (at most 48 bytes with its terminator) into `out`.
void getErrorMessage(int error, char* out);

class ScanStatus {
public:
    static constexpr int MESSAGE_SIZE = 1024;

    int value() const { return value_; }
    const char* message() const { return message_; }
    bool failed() const { return value_ == 2; }

    void starting() { value_ = 0; }
    void scanning() {
        value_ = 1;
        message_[0] = '\0';
    }
    // Status 2 with `message`, unless the scan failed already.
    void fail(const char* message);
    // The same with the message of an error number.
    void failWithError(int error);
    // Inside a handler: the same for the error that ended the walk, the exception being
    // handled (a database's or memory's own text, or for an error number thrown as an int, the
    // message of errno).
    void failWithWalkError();

private:
    int value_ = 0;
    char message_[MESSAGE_SIZE] = "";
};
