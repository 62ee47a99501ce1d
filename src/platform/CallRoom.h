// Room for a platform call that may write more than the structure we declare for it.
#pragma once
#include <cstddef>
#include <cstring>
#include <new>

namespace sol {

// Runs call(T*) on a zeroed, 8-aligned buffer of Room bytes and copies the T it holds to *out
// when the call returns 0. The caller's object is never written past its own size, whatever
// the call wrote into the room; on failure it is left as it was.
template <size_t Room, class T, class Call>
int callWithRoom(T* out, Call call) {
    static_assert(Room >= sizeof(T) && Room % 8 == 0, "the room holds the structure");
    alignas(8) unsigned char room[Room] = {};
    T* inRoom = new (room) T();
    int rc = call(inRoom);
    if (rc == 0) std::memcpy(static_cast<void*>(out), inRoom, sizeof(T));
    return rc;
}

}  // namespace sol
