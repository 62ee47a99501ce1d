// Decimal text of an integer without the C library's formatting machinery (the scan writes
// millions of numbers).
#pragma once

// Writes `value` in decimal, as "%ld" does, so that it ends just before `end`; returns its
// first character. The buffer before `end` must hold 20 characters.
inline char* decimalBefore(char* end, long value) {
    char* p = end;
    unsigned long magnitude = value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *--p = '-';
    return p;
}
