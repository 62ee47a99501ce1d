/* Stand-in: the thread library's opaque types (members are placeholders of the right kind). */
#ifndef _SYS_PTHREAD_TYPES_H
#define _SYS_PTHREAD_TYPES_H

typedef unsigned int pthread_t;
typedef unsigned int pthread_key_t;
typedef struct { unsigned long long __pthread_mutex_data[3]; } pthread_mutex_t;
typedef struct { unsigned long long __pthread_cond_data[2]; } pthread_cond_t;
typedef struct { unsigned long long __pthread_rwlock_data[7]; } pthread_rwlock_t;
typedef struct { void *__pthread_attrp; } pthread_attr_t;
typedef struct { void *__pthread_mutexattrp; } pthread_mutexattr_t;
typedef struct { void *__pthread_condattrp; } pthread_condattr_t;
typedef struct { void *__pthread_rwlockattrp; } pthread_rwlockattr_t;
typedef struct { unsigned long long __pthread_once_pad[4]; } pthread_once_t;

#endif
