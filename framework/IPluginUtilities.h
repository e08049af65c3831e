#pragma once
// Free helpers of the plug-in framework: host recognition, packed versions, time stamps,
// a coarse interval timer, character helpers, text-field copies and the tracing hooks.

#include <cstddef>
#include <cstdint>

class Core_String;

// Host codes kept in IPluginBase::mHostKind. -1: not identified yet; 0: identified, unknown.
enum EHost {
  kHostUninit = -1,
  kHostUnknown = 0,
  kHostReaper = 1,
  kHostCubase = 3,
  kHostNuendo = 4,
  kHostSonar = 5,
  kHostFL = 7,
  kHostSamplitude = 8,
  kHostAbletonLive = 9,
  kHostMelodyne = 12,
  kHostVSTScanner = 13,
  kHostAULab = 14,
  kHostForte = 15,
  kHostChainer = 16,
  kHostAudition = 17,
  kHostOrion = 18,
  kHostSAWStudio = 20,
  kHostLogic = 21,
  kHostDigitalPerformer = 22,
  kHostArdour = 23
};

// Host code for an application name or bundle identifier; case is ignored, and only the first
// 255 characters take part. 0 when no known host matches.
int LookUpHost(const char* name);

// Packed versions: major in the upper 16 bits, minor in bits 8..15, patch in bits 0..7.
constexpr int kVersionStrSize = 11;  // "v65535.255" and the terminator
void GetVersionParts(int version, int* pMajor, int* pMinor, int* pPatch);
int GetDecimalVersion(int version);          // major * 10000 + minor * 100 + patch
void GetVersionStr(int version, char* str);  // "v<major>.<minor>"; str holds kVersionStrSize

// Local time as "YYYYMMDD HH:MM " followed by the upper-case letters of the time-zone name.
// The result lives in a static buffer that the next call overwrites (not reentrant).
const char* CurrentTime();
// "[Mmmdd HH:MM]" from the compiler's __DATE__ and __TIME__ forms.
void CompileTimestamp(const char* date, const char* time, Core_String* str);
// Appends " " and the CompileTimestamp text to one process-wide string started from cStr on the
// first call, and returns its text.
const char* AppendTimestamp(const char* date, const char* time, const char* cStr);

// Coarse interval timer on the processor-time clock.
class Timer {
 public:
  // Clock source in ticks of kTicksPerSecond; the default reads clock().
  using ClockFn = uint32_t (*)();
  static const double kTicksPerSecond;

  explicit Timer(ClockFn clock = nullptr);
  // True (and restarts) when more than sec seconds of clock time passed since construction or the
  // last time it returned true. The unsigned 32-bit difference survives a wrap of the counter.
  bool Every(double sec);

 private:
  ClockFn mClock;
  uint32_t mLastTime;
};

bool IsWhitespace(char c);                // space, tab, line feed, carriage return
void ToLower(char* out, const char* in);  // out holds strlen(in) + 1 bytes

// Copies src into a fixed text field of size bytes, cut to size - 1 characters and always
// zero-terminated; a null src gives the empty text.
void CopyTextField(char* dst, const char* src, size_t size);

// Truncation toward zero that saturates at the int range; NaN gives 0.
int TruncToInt(double v);

// Tracing hook: the framework calls it at the start of most operations. It does nothing.
void Trace(const char* funcName, int line, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
// Printable names for trace lines; all empty.
const char* VSTOpcodeStr(int opCode);
const char* AUSelectStr(int select);
const char* AUPropertyStr(int propID);
const char* AUScopeStr(int scope);
