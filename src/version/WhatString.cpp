// The library's what-string, "@(#)libNAME VERSION": `what LIBRARY` on Solaris, or
// `strings LIBRARY | grep '@(#)'` anywhere, tells which build a host runs. CMake compiles this
// file into each library with the library's name and the project's version; nothing refers to
// the string, so it is kept by the used attribute.
#ifndef HOSTPROBE_LIBRARY
#define HOSTPROBE_LIBRARY "libhostprobe"
#endif
#ifndef HOSTPROBE_VERSION
#define HOSTPROBE_VERSION "0.0.0"
#endif

namespace {

[[gnu::used]] const char kWhatString[] = "@(#)" HOSTPROBE_LIBRARY " " HOSTPROBE_VERSION;

}  // namespace
