// Basic scalar types, status codes and four-character codes of the platform (64-bit layout).
#ifndef __MACTYPES__
#define __MACTYPES__

#include <stddef.h>
#include <stdint.h>

typedef uint8_t UInt8;
typedef int8_t SInt8;
typedef uint16_t UInt16;
typedef int16_t SInt16;
typedef uint32_t UInt32;
typedef int32_t SInt32;
typedef uint64_t UInt64;
typedef int64_t SInt64;
typedef float Float32;
typedef double Float64;
typedef unsigned char Boolean;
typedef UInt8 Byte;
typedef SInt8 SignedByte;
typedef UInt16 UniChar;
typedef UInt32 UTF32Char;
typedef UInt16 UTF16Char;
typedef UInt8 UTF8Char;

typedef SInt16 OSErr;
typedef SInt32 OSStatus;
typedef UInt32 FourCharCode;
typedef FourCharCode OSType;
typedef FourCharCode ResType;

// 16.16 fixed-point numbers, and unsigned counts of bytes and items.
typedef SInt32 Fixed;
typedef Fixed* FixedPtr;
typedef unsigned long ByteCount;
typedef unsigned long ItemCount;
typedef UInt32 OptionBits;

typedef char* Ptr;
typedef Ptr* Handle;
typedef long Size;
typedef void* LogicalAddress;

typedef unsigned char Str255[256];
typedef unsigned char* StringPtr;
typedef const unsigned char* ConstStringPtr;

typedef struct Float32Point {
  Float32 x;
  Float32 y;
} Float32Point;

enum {
  noErr = 0,
  paramErr = -50,
  memFullErr = -108,
  nilHandleErr = -109,
  fnfErr = -43,
  unimpErr = -4
};

#ifdef __cplusplus
#define MAC_EXTERN_C extern "C"
#else
#define MAC_EXTERN_C extern
#endif
// Functions of the platform library are exported from the one shared object.
#define PLATFORM_EXPORT MAC_EXTERN_C __attribute__((visibility("default")))

#endif
