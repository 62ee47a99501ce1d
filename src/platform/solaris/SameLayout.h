// Compile-time proof that a sol structure passed to the platform through reinterpret_cast has
// the platform's own size, alignment and member offsets.
#pragma once
#include <cstddef>

#define SOL_SAME_SIZE(ours, theirs)                                                         \
    static_assert(sizeof(ours) == sizeof(theirs) && alignof(ours) == alignof(theirs), \
                  #ours " has the size and alignment of the platform's " #theirs)
#define SOL_SAME_MEMBER(ours, theirs, member)                                  \
    static_assert(offsetof(ours, member) == offsetof(theirs, member) &&         \
                      sizeof(static_cast<ours*>(nullptr)->member) ==              \
                          sizeof(static_cast<theirs*>(nullptr)->member),      \
                  #ours "::" #member " lies where the platform's " #theirs " has it")
