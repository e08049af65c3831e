// Base64 (RFC 4648 alphabet with '=' padding), the encoding of <data> in property lists.
#include "CFInternal.h"

namespace cfimpl {

namespace {
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}
}  // namespace

std::string Base64Encode(const UInt8* data, size_t n) {
  std::string out;
  out.reserve((n + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 3 <= n; i += 3) {
    UInt32 v = (UInt32(data[i]) << 16) | (UInt32(data[i + 1]) << 8) | data[i + 2];
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += kAlphabet[v & 63];
  }
  if (n - i == 1) {
    UInt32 v = UInt32(data[i]) << 16;
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
    out += "==";
  } else if (n - i == 2) {
    UInt32 v = (UInt32(data[i]) << 16) | (UInt32(data[i + 1]) << 8);
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += '=';
  }
  return out;
}

bool Base64Decode(const char* text, size_t n, std::vector<UInt8>* out) {
  out->clear();
  UInt32 acc = 0;
  int bits = 0;
  int pad = 0;
  size_t symbols = 0;
  for (size_t i = 0; i < n; ++i) {
    char c = text[i];
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
    if (c == '=') {
      ++pad;
      ++symbols;
      continue;
    }
    int v = Value(c);
    if (v < 0 || pad) return false;  // bad character, or data after padding
    ++symbols;
    acc = (acc << 6) | static_cast<UInt32>(v);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out->push_back(static_cast<UInt8>((acc >> bits) & 0xFF));
    }
  }
  if (pad > 2 || symbols % 4 != 0) return false;
  return true;
}

}  // namespace cfimpl
