// Host identification and version reporting of IPluginBase.
#include "framework/IPluginBase.h"
#include "framework/IPluginUtilities.h"

#define TRACELOC __FUNCTION__, __LINE__

void IPluginBase::SetHost(const char* host, int version) {
  mHostKind = LookUpHost(host);
  mHostRelease = version;
  char versionStr[kVersionStrSize];
  GetVersionStr(version, versionStr);
  Trace(TRACELOC, "host_%sknown:%s:%s", mHostKind == kHostUnknown ? "un" : "", host ? host : "",
        versionStr);
}

int IPluginBase::GetHostVersion(bool decimal) {
  // Called for its effect, not its result: a wrapper identifies the host on first use
  // (SetHost), which records the version read below.
  GetHost();
  return decimal ? GetDecimalVersion(mHostRelease) : mHostRelease;
}

void IPluginBase::GetHostVersionStr(char* str) { GetVersionStr(mHostRelease, str); }

int IPluginBase::GetEffectVersion(bool decimal) const {
  return decimal ? GetDecimalVersion(mPlugVersion) : mPlugVersion;
}

void IPluginBase::GetEffectVersionStr(char* str) const { GetVersionStr(mPlugVersion, str); }
