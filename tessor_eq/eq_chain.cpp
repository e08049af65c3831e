#include "tessor_eq/eq_chain.h"

#include <cfloat>
#include <cstdint>
#include <utility>

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
  V drive;
  V x1, x2, y1, y2;
};

template <class V>
Lane<V> LoadLane(const eq_Stage& st, double drive)
{
  const rbjfilter::Coefficients c = st.filter->GetCoefficients();
  const rbjfilter::Memories l = st.filter->GetMemories(0);
  Lane<V> ln;
  ln.b0 = Splat<V>(c.b0);
  ln.b1 = Splat<V>(c.b1);
  ln.b2 = Splat<V>(c.b2);
  ln.a1 = Splat<V>(c.a1);
  ln.a2 = Splat<V>(c.a2);
  ln.drive = Splat<V>(drive);
  if constexpr (sizeof(V) == sizeof(double))
  {
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

// What a stage does to its incoming sample before filtering.
enum Kind
{
  kFlushOnly,  // first stage without drive: the raw input only needs flushing
  kDriven,     // v + drive * d
  kFolded      // the output stage in front of the last filter: outScale * v + drive * d
};

// One stage on one sample: drive, flush, then the Direct Form I recursion with its
// terms in the filter's order and the flushed result kept as feedback. A drive of 0.0
// adds a signed zero, which the flush makes irrelevant, so undriven stages fit kDriven.
template <int K, class V>
inline V Stage(Lane<V>& s, V in, V d, V outScale)
{
  V x;
  if constexpr (K == kFlushOnly) x = Flush(in);
  else if constexpr (K == kDriven) x = Flush(in + s.drive * d);
  else x = Flush(outScale * in + s.drive * d);
  const V y = Flush(s.b0 * x + s.b1 * s.x1 + s.b2 * s.x2 - s.a1 * s.y1 - s.a2 * s.y2);
  s.x2 = s.x1;
  s.x1 = x;
  s.y2 = s.y1;
  s.y1 = y;
  return y;
}

template <class V>
inline V StageAny(int kind, Lane<V>& s, V in, V d, V outScale)
{
  switch (kind)
  {
    case kFlushOnly: return Stage<kFlushOnly>(s, in, d, outScale);
    case kFolded: return Stage<kFolded>(s, in, d, outScale);
    default: return Stage<kDriven>(s, in, d, outScale);
  }
}

constexpr int KindOf(int k, int n, bool firstUndriven, bool folded)
{
  return (folded && k == n - 1) ? kFolded : (firstUndriven && k == 0) ? kFlushOnly : kDriven;
}

// Stage k of step j: sample j - k, fed by the previous step's output of stage k - 1.
template <class V, int N, bool U, bool F, int k>
inline void StepOne(Lane<V>* s, V* pipe, V* buf, const V* d, V outScale, int j)
{
  const int f = j - k;
  const V in = (k == 0) ? buf[j] : pipe[k > 0 ? k - 1 : 0];
  const V y = Stage<KindOf(k, N, U, F)>(s[k], in, d[f], outScale);
  if constexpr (k == N - 1) buf[f] = y;
  else pipe[k] = y;
}

// All stages of one step, the last first, so each reads its feed before it is replaced.
template <class V, int N, bool U, bool F, int... K>
inline void StepAll(std::integer_sequence<int, K...>, Lane<V>* s, V* pipe, V* buf, const V* d, V outScale, int j)
{
  (StepOne<V, N, U, F, N - 1 - K>(s, pipe, buf, d, outScale, j), ...);
}

// Runs N stages over buf[0..n) in place. In the main loop stage k works on sample
// j - k during step j, so within one step the stages are independent of each other and
// the processor overlaps them; every stage still sees its samples in order. The
// ramp-up and ramp-down wedges at the ends of the block run stage by stage.
template <class V, int N, bool U, bool F>
void RunStages(Lane<V>* lanes, V* buf, const V* d, V outScale, int n)
{
  if (n < N)
  {
    for (int k = 0; k < N; ++k)
      for (int f = 0; f < n; ++f) buf[f] = StageAny(KindOf(k, N, U, F), lanes[k], buf[f], d[f], outScale);
    return;
  }

  for (int k = 0; k < N - 1; ++k)
    for (int f = 0; f < N - 1 - k; ++f) buf[f] = StageAny(KindOf(k, N, U, F), lanes[k], buf[f], d[f], outScale);

  Lane<V> s[N];
  V pipe[N];
#pragma GCC unroll 8
  for (int k = 0; k < N; ++k)
  {
    s[k] = lanes[k];
    pipe[k] = (k < N - 1) ? buf[N - 2 - k] : Splat<V>(0.0);
  }

#pragma GCC unroll 2
  for (int j = N - 1; j < n; ++j) StepAll<V, N, U, F>(std::make_integer_sequence<int, N>(), s, pipe, buf, d, outScale, j);

#pragma GCC unroll 8
  for (int k = 0; k < N; ++k)
  {
    lanes[k] = s[k];
    if (k < N - 1) buf[n - 1 - k] = pipe[k];
  }

  for (int k = 1; k < N; ++k)
    for (int f = n - k; f < n; ++f) buf[f] = StageAny(KindOf(k, N, U, F), lanes[k], buf[f], d[f], outScale);
}

template <class V, bool U, bool F>
void RunStagesN(int nStages, Lane<V>* lanes, V* buf, const V* d, V outScale, int n)
{
  switch (nStages)
  {
    case 1: RunStages<V, 1, U, F>(lanes, buf, d, outScale, n); break;
    case 2: RunStages<V, 2, U, F>(lanes, buf, d, outScale, n); break;
    case 3: RunStages<V, 3, U, F>(lanes, buf, d, outScale, n); break;
    case 4: RunStages<V, 4, U, F>(lanes, buf, d, outScale, n); break;
    case 5: RunStages<V, 5, U, F>(lanes, buf, d, outScale, n); break;
    case 6: RunStages<V, 6, U, F>(lanes, buf, d, outScale, n); break;
    case 7: RunStages<V, 7, U, F>(lanes, buf, d, outScale, n); break;
    default: break;
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
inline void Process(const eq_Chain& chain, const double* inL, const double* inR, double* outL, double* outR,
                    int nFrames)
{
  const int nStages = chain.nStages < eq_Chain::kMaxStages ? chain.nStages : eq_Chain::kMaxStages;
  const bool folded = chain.outputBeforeLast && nStages > 0;
  const bool firstUndriven = nStages > 0 && chain.stages[0].drive == 0.0 && !(folded && nStages == 1);
  Lane<V> lanes[eq_Chain::kMaxStages];
  for (int k = 0; k < nStages; ++k)
  {
    const bool last = k == nStages - 1;
    lanes[k] = LoadLane<V>(chain.stages[k], (folded && last) ? chain.outDrive : chain.stages[k].drive);
  }

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
      // Both passes of a frame start from the same input and the same drive value.
      for (int i = 0; i < m; ++i)
      {
        buf[2 * i + 1] = buf[2 * i];
        drv[2 * i] = frameDrive[i];
        drv[2 * i + 1] = frameDrive[i];
      }
    }
    const V* d = shift ? drv : frameDrive;
    const int n = m << shift;
    if (folded)
    {
      if (firstUndriven) RunStagesN<V, true, true>(nStages, lanes, buf, d, outScale, n);
      else RunStagesN<V, false, true>(nStages, lanes, buf, d, outScale, n);
    }
    else
    {
      if (firstUndriven) RunStagesN<V, true, false>(nStages, lanes, buf, d, outScale, n);
      else RunStagesN<V, false, false>(nStages, lanes, buf, d, outScale, n);
    }

    // Only the last pass of each frame reaches the output.
    if (folded)
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

  for (int k = 0; k < nStages; ++k) StoreLane<V>(lanes[k], chain.stages[k]);
}

void ProcessStereo(const eq_Chain& chain, const double* inL,
                                                                     const double* inR, double* outL,
                                                                     double* outR, int n)
{
  Process<v2d>(chain, inL, inR, outL, outR, n);
}

void ProcessMono(const eq_Chain& chain, const double* in,
                                                                   double* out, int n)
{
  Process<double>(chain, in, nullptr, out, nullptr, n);
}

}  // namespace

void eq_ProcessChain(const eq_Chain& chain, const double* inL, const double* inR, double* outL,
                     double* outR, int nFrames)
{
  if (nFrames <= 0) return;
  if (inR && outR)
    ProcessStereo(chain, inL, inR, outL, outR, nFrames);
  else
    ProcessMono(chain, inL, outL, nFrames);
}
