// Basic scalar types and linkage of the Core Graphics stand-in.
#ifndef CG_BASE_H
#define CG_BASE_H

#include <stddef.h>
#include <stdint.h>
#include <stdbool.h>

#ifdef __cplusplus
#define CG_EXTERN extern "C" __attribute__((visibility("default")))
#else
#define CG_EXTERN extern __attribute__((visibility("default")))
#endif

// 64-bit builds use double precision coordinates, as the platform does.
typedef double CGFloat;

#endif
