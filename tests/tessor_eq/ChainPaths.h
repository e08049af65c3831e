#pragma once
// Runs test code on each processing path of the stage chain this processor has, so every
// path is held to the same independent references.

#include <gtest/gtest.h>

#include <vector>

#include "tessor_eq/eq_chain.h"

inline const char* ChainPathName(eq_ChainPath path) {
  switch (path) {
    case eq_kPlainPath:
      return "plain";
    case eq_kSse2Path:
      return "SSE2";
    case eq_kAvx2Path:
      return "AVX2";
    case eq_kAvx512Path:
      return "AVX-512";
    default:
      return "unknown";
  }
}

inline std::vector<eq_ChainPath> AvailableChainPaths() {
  std::vector<eq_ChainPath> paths;
  for (int p = 0; p < eq_kNumChainPaths; ++p)
    if (eq_ChainPathAvailable(static_cast<eq_ChainPath>(p)))
      paths.push_back(static_cast<eq_ChainPath>(p));
  return paths;
}

// Uses one path for its lifetime, then returns to the one in use before.
class ScopedChainPath {
 public:
  explicit ScopedChainPath(eq_ChainPath path) : mPrevious(eq_CurrentChainPath()) {
    EXPECT_TRUE(eq_UseChainPath(path)) << ChainPathName(path);
  }
  ~ScopedChainPath() { eq_UseChainPath(mPrevious); }

 private:
  eq_ChainPath mPrevious;
};

// `body` once per available path, each failure labelled with its path.
template <class Body>
void OnEveryChainPath(Body body) {
  for (eq_ChainPath path : AvailableChainPaths()) {
    SCOPED_TRACE(testing::Message() << "path " << ChainPathName(path));
    ScopedChainPath use(path);
    body();
  }
}
