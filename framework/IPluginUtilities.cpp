#include "framework/IPluginUtilities.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "core/Core_String.h"

namespace {

struct HostEntry {
  const char* substring;
  int code;
};

// A host name is matched on its first 255 characters (and the terminator).
constexpr int kHostNameBytes = 256;

// Tested in this order; the first substring found decides.
const HostEntry kHostTable[] = {
    {"cubase", kHostCubase},
    {"reaper", kHostReaper},
    {"nuendo", kHostNuendo},
    {"cakewalk", kHostSonar},
    {"samplitude", kHostSamplitude},
    {"fruity", kHostFL},
    {"live", kHostAbletonLive},
    {"melodyne", kHostMelodyne},
    {"vstmanlib", kHostVSTScanner},
    {"aulab", kHostAULab},
    {"forte", kHostForte},
    {"chainer", kHostChainer},
    {"audition", kHostAudition},
    {"orion", kHostOrion},
    {"sawstudio", kHostSAWStudio},
    {"logic", kHostLogic},
    {"digital", kHostDigitalPerformer},
    {"ardour", kHostArdour},
    {"mixbus", kHostArdour},
};

uint32_t ReadProcessClock() { return static_cast<uint32_t>(clock()); }

}  // namespace

int LookUpHost(const char* name) {
  char cut[kHostNameBytes];
  CopyTextField(cut, name, sizeof(cut));
  char lower[kHostNameBytes];
  ToLower(lower, cut);
  for (const HostEntry& e : kHostTable)
    if (strstr(lower, e.substring)) return e.code;
  return kHostUnknown;
}

void GetVersionParts(int version, int* pMajor, int* pMinor, int* pPatch) {
  uint32_t v = static_cast<uint32_t>(version);
  *pMajor = static_cast<int>(v >> 16);
  *pMinor = static_cast<int>((v >> 8) & 0xFF);
  *pPatch = static_cast<int>(v & 0xFF);
}

int GetDecimalVersion(int version) {
  int major, minor, patch;
  GetVersionParts(version, &major, &minor, &patch);
  // Two decimal digits each for minor and patch: 1.2.3 is 10203.
  return major * 10000 + minor * 100 + patch;
}

void GetVersionStr(int version, char* str) {
  int major, minor, patch;
  GetVersionParts(version, &major, &minor, &patch);
  snprintf(str, kVersionStrSize, "v%d.%d", major, minor);
}

const char* CurrentTime() {
  // Each part is formatted into a field of its own; the result holds both.
  constexpr int kPartBytes = 64;
  static char sTime[2 * kPartBytes];
  char stamp[kPartBytes] = "";
  char zone[kPartBytes] = "";
  time_t now = time(nullptr);
  struct tm local;
  if (localtime_r(&now, &local)) {
    strftime(stamp, sizeof(stamp), "%Y%m%d %H:%M ", &local);
    strftime(zone, sizeof(zone), "%Z", &local);
  }
  size_t n = strlen(stamp);
  memcpy(sTime, stamp, n);
  for (const char* p = zone; *p; ++p)
    if (*p >= 'A' && *p <= 'Z') sTime[n++] = *p;
  sTime[n] = '\0';
  return sTime;
}

void CompileTimestamp(const char* date, const char* time, Core_String* str) {
  // "[" and the month and day of "Mmm dd yyyy", without the space after the month: "[Mmmdd",
  // where a one-digit day keeps its padding space, then hours and minutes of "hh:mm:ss".
  constexpr int kBracketMonthDay = 7;       // "[Mmm dd"
  constexpr int kSpaceAfterMonth = 4;       // position of that space
  constexpr int kStampWithoutSeconds = 12;  // "[Mmmdd hh:mm"
  str->Set("[");
  str->Append(date);
  str->SetLen(kBracketMonthDay);
  if (str->GetLength() > kSpaceAfterMonth) str->DeleteSub(kSpaceAfterMonth, 1);
  str->Append(" ");
  str->Append(time);
  str->SetLen(kStampWithoutSeconds);
  str->Append("]");
}

const char* AppendTimestamp(const char* date, const char* time, const char* cStr) {
  static Core_String sStr(cStr);
  Core_String stamp;
  CompileTimestamp(date, time, &stamp);
  sStr.Append(" ");
  sStr.Append(stamp.Get());
  return sStr.Get();
}

const double Timer::kTicksPerSecond = static_cast<double>(CLOCKS_PER_SEC);

Timer::Timer(ClockFn clock) : mClock(clock ? clock : ReadProcessClock), mLastTime(mClock()) {}

bool Timer::Every(double sec) {
  uint32_t now = mClock();
  uint32_t elapsed = now - mLastTime;
  if (static_cast<double>(elapsed) > sec * kTicksPerSecond) {
    mLastTime = now;
    return true;
  }
  return false;
}

bool IsWhitespace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

void ToLower(char* out, const char* in) {
  while (*in) *out++ = static_cast<char>(tolower(static_cast<unsigned char>(*in++)));
  *out = '\0';
}

void CopyTextField(char* dst, const char* src, size_t size) {
  if (size == 0) return;
  size_t n = src ? strnlen(src, size - 1) : 0;
  if (n) memcpy(dst, src, n);
  dst[n] = '\0';
}

int TruncToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

void Trace(const char*, int, const char*, ...) {}

const char* VSTOpcodeStr(int) { return ""; }
const char* AUSelectStr(int) { return ""; }
const char* AUPropertyStr(int) { return ""; }
const char* AUScopeStr(int) { return ""; }
