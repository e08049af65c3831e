#include "tessor_eq/eq_chain.h"

#include <cfloat>
#include <cstdint>

#include "tessor_eq/eq_sine.h"

namespace {

// Left and right share every operation lane by lane: one vector per stereo sample.
typedef double v2d __attribute__((vector_size(16)));
typedef int64_t v2l __attribute__((vector_size(16)));

inline double Flush(double v) { return rbj_Flush(v); }

inline v2d Flush(v2d v)
{
  const v2l absBits = (v2l)v & 0x7FFFFFFFFFFFFFFFll;
  const v2l tiny = (v2d)absBits < DBL_MIN;  // zero or subnormal; false for NaN
  return (v2d)((v2l)v & ~tiny);
}

// std::min(1, std::max(-1, x)): NaN clips to -1 like the scalar form does.
inline double Clip(double x)
{
  const double t = (-1.0 < x) ? x : -1.0;
  return (t < 1.0) ? t : 1.0;
}

inline v2d Clip(v2d x)
{
  const v2d lo = {-1.0, -1.0};
  const v2d hi = {1.0, 1.0};
  const v2d t = (lo < x) ? x : lo;
  return (t < hi) ? t : hi;
}

template <class V> V Splat(double v);
template <> inline double Splat<double>(double v) { return v; }
template <> inline v2d Splat<v2d>(double v) { return v2d{v, v}; }

template <class V>
struct Lane
{
  V b0, b1, b2, a1, a2;
  V scale, drive;
  V x1, x2, y1, y2;
};

template <class V>
Lane<V> LoadLane(const eq_Stage& st, bool stereo)
{
  const rbjfilter::Coefficients c = st.filter->GetCoefficients();
  const rbjfilter::Memories l = st.filter->GetMemories(0);
  Lane<V> ln;
  ln.b0 = Splat<V>(c.b0);
  ln.b1 = Splat<V>(c.b1);
  ln.b2 = Splat<V>(c.b2);
  ln.a1 = Splat<V>(c.a1);
  ln.a2 = Splat<V>(c.a2);
  ln.scale = Splat<V>(st.scale);
  ln.drive = Splat<V>(st.drive);
  if constexpr (sizeof(V) == sizeof(double))
  {
    (void)stereo;
    ln.x1 = l.x1; ln.x2 = l.x2; ln.y1 = l.y1; ln.y2 = l.y2;
  }
  else
  {
    const rbjfilter::Memories r = st.filter->GetMemories(1);
    ln.x1 = V{l.x1, r.x1};
    ln.x2 = V{l.x2, r.x2};
    ln.y1 = V{l.y1, r.y1};
    ln.y2 = V{l.y2, r.y2};
  }
  return ln;
}

template <class V>
void StoreLane(const Lane<V>& ln, const eq_Stage& st)
{
  if constexpr (sizeof(V) == sizeof(double))
  {
    st.filter->SetMemories(0, rbjfilter::Memories{ln.x1, ln.x2, ln.y1, ln.y2});
  }
  else
  {
    st.filter->SetMemories(0, rbjfilter::Memories{ln.x1[0], ln.x2[0], ln.y1[0], ln.y2[0]});
    st.filter->SetMemories(1, rbjfilter::Memories{ln.x1[1], ln.x2[1], ln.y1[1], ln.y2[1]});
  }
}

// One stage on one sample: drive, flush, then the Direct Form I recursion with its
// terms in the filter's order and the flushed result kept as feedback.
template <class V>
inline V Stage(Lane<V>& s, V in, V d)
{
  const V x = Flush(s.scale * in + s.drive * d);
  const V y = Flush(s.b0 * x + s.b1 * s.x1 + s.b2 * s.x2 - s.a1 * s.y1 - s.a2 * s.y2);
  s.x2 = s.x1;
  s.x1 = x;
  s.y2 = s.y1;
  s.y1 = y;
  return y;
}

// Runs N stages over buf[0..n) in place. Stage s works on sample j - s during step j,
// so within one step all stages are independent of each other and the processor can
// overlap them; every stage still sees its samples in order, one after the other.
template <class V, int N>
void RunStages(Lane<V>* lanes, V* buf, const V* d, int n)
{
  Lane<V> s[N];
#pragma GCC unroll 8
  for (int k = 0; k < N; ++k) s[k] = lanes[k];
  V pipe[N];
#pragma GCC unroll 8
  for (int k = 0; k < N; ++k) pipe[k] = Splat<V>(0.0);

  auto guarded = [&](int j) {
#pragma GCC unroll 8
    for (int k = N - 1; k >= 0; --k)
    {
      const int f = j - k;
      if (f < 0 || f >= n) continue;
      const V in = (k == 0) ? buf[f] : pipe[k - 1];
      const V y = Stage(s[k], in, d[f]);
      if (k == N - 1) buf[f] = y;
      else pipe[k] = y;
    }
  };

  const int end = n + N - 1;
  int j = 0;
  for (; j < N - 1 && j < end; ++j) guarded(j);
  for (; j < n; ++j)
  {
#pragma GCC unroll 8
    for (int k = N - 1; k >= 0; --k)
    {
      const int f = j - k;
      const V in = (k == 0) ? buf[f] : pipe[k - 1];
      const V y = Stage(s[k], in, d[f]);
      if (k == N - 1) buf[f] = y;
      else pipe[k] = y;
    }
  }
  for (; j < end; ++j) guarded(j);

#pragma GCC unroll 8
  for (int k = 0; k < N; ++k) lanes[k] = s[k];
}

template <class V>
void RunStagesN(Lane<V>* lanes, int nStages, V* buf, const V* d, int n)
{
  switch (nStages)
  {
    case 0: break;
    case 1: RunStages<V, 1>(lanes, buf, d, n); break;
    case 2: RunStages<V, 2>(lanes, buf, d, n); break;
    case 3: RunStages<V, 3>(lanes, buf, d, n); break;
    case 4: RunStages<V, 4>(lanes, buf, d, n); break;
    case 5: RunStages<V, 5>(lanes, buf, d, n); break;
    case 6: RunStages<V, 6>(lanes, buf, d, n); break;
    case 7: RunStages<V, 7>(lanes, buf, d, n); break;
    default: RunStages<V, 8>(lanes, buf, d, n); break;
  }
}

const int kChunkFrames = 128;

template <class V>
inline V LoadFrame(const double* inL, const double* inR, int i)
{
  if constexpr (sizeof(V) == sizeof(double)) { (void)inR; return inL[i]; }
  else return V{inL[i], inR[i]};
}

template <class V>
inline void StoreFrame(V v, double* outL, double* outR, int i)
{
  if constexpr (sizeof(V) == sizeof(double)) { (void)outR; outL[i] = v; }
  else { outL[i] = v[0]; outR[i] = v[1]; }
}

template <class V>
void Process(const eq_Chain& chain, const double* inL, const double* inR, double* outL, double* outR,
             int nFrames)
{
  const bool stereo = sizeof(V) != sizeof(double);
  Lane<V> lanes[eq_Chain::kMaxStages];
  for (int k = 0; k < chain.nStages; ++k) lanes[k] = LoadLane<V>(chain.stages[k], stereo);

  const V outScale = Splat<V>(chain.outScale);
  const V outDrive = Splat<V>(chain.outDrive);
  const int shift = chain.twice ? 1 : 0;
  V buf[kChunkFrames * 2];
  V drv[kChunkFrames * 2];
  V frameDrive[kChunkFrames];

  for (int start = 0; start < nFrames; start += kChunkFrames)
  {
    const int m = (nFrames - start < kChunkFrames) ? nFrames - start : kChunkFrames;
    for (int i = 0; i < m; ++i)
    {
      const V x = LoadFrame<V>(inL, inR, start + i);
      frameDrive[i] = eq_Sine(Clip(x));
      buf[i << shift] = x;
    }
    if (shift)
    {
      for (int i = 0; i < m; ++i)
      {
        buf[2 * i + 1] = buf[2 * i];
        drv[2 * i] = frameDrive[i];
        drv[2 * i + 1] = frameDrive[i];
      }
    }
    RunStagesN<V>(lanes, chain.nStages, buf, shift ? drv : frameDrive, m << shift);

    // Only the last pass of each frame reaches the output.
    if (chain.outputBeforeLast)
    {
      for (int i = 0; i < m; ++i) StoreFrame<V>(buf[((i + 1) << shift) - 1], outL, outR, start + i);
    }
    else
    {
      for (int i = 0; i < m; ++i)
      {
        const V v = buf[((i + 1) << shift) - 1];
        StoreFrame<V>(outScale * v + outDrive * frameDrive[i], outL, outR, start + i);
      }
    }
  }

  for (int k = 0; k < chain.nStages; ++k) StoreLane<V>(lanes[k], chain.stages[k]);
}

}  // namespace

void eq_ProcessChain(const eq_Chain& chain, const double* inL, const double* inR, double* outL,
                     double* outR, int nFrames)
{
  if (nFrames <= 0) return;
  if (inR && outR)
    Process<v2d>(chain, inL, inR, outL, outR, nFrames);
  else
    Process<double>(chain, inL, nullptr, outL, nullptr, nFrames);
}
