#pragma once
// Growable byte buffer into which plain values are appended and from which they are read back by
// position. Values are stored unaligned, without padding, in the machine's byte order.
//
// Every write appends and returns the new size in bytes. Every read takes a start position and
// returns the position just after what it read, or -1 when the read does not fit inside the
// chunk (negative position, data past the end, a negative or oversized stored string length);
// a failed read leaves the destination unchanged.

#include <climits>
#include <cstdint>
#include <cstring>

#include "core/Core_TypedBuf.h"

class Core_String;

class ByteChunk {
 public:
  ByteChunk() : mData(4096) {}
  ByteChunk(const ByteChunk& other);
  ByteChunk& operator=(const ByteChunk& other);

  template <class T>
  int AppendValue(const T& value) {
    return AppendBytes(&value, static_cast<int>(sizeof(T)));
  }

  template <class T>
  int ReadValue(T* pValue, int readPos) const {
    if (!Fits(readPos, static_cast<long long>(sizeof(T)))) return -1;
    memcpy(static_cast<void*>(pValue), mData.Get() + readPos, sizeof(T));
    return readPos + static_cast<int>(sizeof(T));
  }

  // 32-bit length, then the characters without terminator.
  int AppendString(const char* str);
  int AppendString(const Core_String* str);
  // One byte, 1 or 0.
  int AppendBool(bool b);
  int AppendChunk(const ByteChunk* other);
  // Appends n raw bytes.
  int AppendBytes(const void* data, int n);

  // Reads a string written by AppendString: the text is cut at its first zero byte; a stored
  // length of zero reads as the empty text.
  int ReadString(Core_String* pStr, int readPos) const;
  // One byte; any non-zero value reads as true.
  int ReadBool(bool* pB, int readPos) const;

  void Clear() { mData.Resize(0); }
  int Size() const { return mData.GetSize(); }
  // Sets the size; bytes added by growing are zero. Returns the new size.
  int Resize(int newSize);
  uint8_t* Data() const { return mData.Get(); }
  bool IsEqual(const ByteChunk* other) const;

 private:
  // True when len bytes starting at pos lie inside the chunk, computed without overflow.
  bool Fits(int pos, long long len) const {
    return pos >= 0 && len >= 0 && static_cast<long long>(pos) + len <= Size();
  }

  Core_TypedBuf<uint8_t> mData;
};
