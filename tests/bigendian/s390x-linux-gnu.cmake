# Cross build for 64-bit big-endian Linux on s390x with Debian's cross compiler; the tests run
# under qemu-user. HOSTPROBE_CROSS_DEPS is the root the target's libraries were unpacked into
# (Berkeley DB, the HBA API common library, crypt); GoogleTest is built from its source package.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(CMAKE_C_COMPILER s390x-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER s390x-linux-gnu-g++)
# Through the cross C library's loader (qemu's -L would show programs the cross root as "/").
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-s390x /usr/s390x-linux-gnu/lib/ld64.so.1 --library-path /usr/s390x-linux-gnu/lib)

set(HOSTPROBE_CROSS_DEPS "" CACHE PATH "Root of the unpacked target libraries")
set(CMAKE_FIND_ROOT_PATH /usr/s390x-linux-gnu ${HOSTPROBE_CROSS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
# Headers-only and arch-independent packages (JNI headers, nlohmann-json) come from this machine.
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)

set(HOSTPROBE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest built from source")
foreach(dir usr/lib usr/lib/s390x-linux-gnu lib/s390x-linux-gnu)
  link_directories(${HOSTPROBE_CROSS_DEPS}/${dir})
  list(APPEND CMAKE_BUILD_RPATH ${HOSTPROBE_CROSS_DEPS}/${dir})
endforeach()
include_directories(BEFORE SYSTEM ${HOSTPROBE_CROSS_DEPS}/usr/include)
