#include "framework/ByteChunk.h"

#include "core/Core_String.h"

ByteChunk::ByteChunk(const ByteChunk& other) : mData(4096) { AppendChunk(&other); }

ByteChunk& ByteChunk::operator=(const ByteChunk& other) {
  if (this != &other) {
    Clear();
    AppendChunk(&other);
  }
  return *this;
}

int ByteChunk::AppendBytes(const void* data, int n) {
  if (n > 0) {
    int old = Size();
    uint8_t* dst = mData.Add(nullptr, n);
    if (dst) {
      memcpy(dst, data, static_cast<size_t>(n));
    } else {
      mData.Resize(old);
    }
  }
  return Size();
}

int ByteChunk::AppendString(const char* str) {
  size_t len = str ? strlen(str) : 0;
  if (len > static_cast<size_t>(INT_MAX - 4)) return Size();
  int32_t n = static_cast<int32_t>(len);
  int old = Size();
  AppendValue(n);
  if (Size() != old + 4) return Size();
  int sz = AppendBytes(str, n);
  if (sz != old + 4 + n) sz = Resize(old);  // all or nothing
  return sz;
}

int ByteChunk::AppendString(const Core_String* str) {
  return AppendString(str ? str->Get() : nullptr);
}

int ByteChunk::AppendBool(bool b) {
  uint8_t byte = b ? 1 : 0;
  return AppendBytes(&byte, 1);
}

int ByteChunk::AppendChunk(const ByteChunk* other) {
  if (!other || other == this) {
    if (other == this && Size() > 0) {
      // Appending a chunk to itself: copy first, since growing may move the bytes.
      ByteChunk copy(*this);
      return AppendBytes(copy.Data(), copy.Size());
    }
    return Size();
  }
  return AppendBytes(other->Data(), other->Size());
}

int ByteChunk::ReadString(Core_String* pStr, int readPos) const {
  int32_t len;
  int pos = ReadValue(&len, readPos);
  if (pos < 0 || !Fits(pos, len)) return -1;
  const char* text = reinterpret_cast<const char*>(mData.Get() + pos);
  // The text ends at its first zero byte, if there is one inside the stored length.
  int n = len > 0 ? static_cast<int>(strnlen(text, static_cast<size_t>(len))) : 0;
  if (n > 0) {
    pStr->Set(text, n);
  } else {
    pStr->Set("");
  }
  return pos + len;
}

int ByteChunk::ReadBool(bool* pB, int readPos) const {
  uint8_t byte;
  int pos = ReadValue(&byte, readPos);
  if (pos >= 0) *pB = byte != 0;
  return pos;
}

int ByteChunk::Resize(int newSize) {
  if (newSize < 0) newSize = 0;
  int old = Size();
  mData.Resize(newSize);
  int n = Size();
  if (n > old) memset(mData.Get() + old, 0, static_cast<size_t>(n - old));
  return n;
}

bool ByteChunk::IsEqual(const ByteChunk* other) const {
  return other && other->Size() == Size() &&
         (Size() == 0 || memcmp(Data(), other->Data(), static_cast<size_t>(Size())) == 0);
}
