#pragma once
// The stage chain on any lane layout: the algorithm behind the plain and the SSE2 paths (the
// AVX2 and AVX-512 paths skew their stages further apart, eq_chain_skewed.h).
//
// A layout puts C channels times S stages into the W = C * S lanes of one value V (a double,
// or a GCC vector of doubles). Stages are grouped S at a time; the lanes of a group run in
// blocks of C channels, the higher stage first, so block h of group g holds stage
// g*S + S-1-h of every channel. At step j stage k works on pass j - K*k, K being the layout's
// skew: within one step no stage waits for another, every stage still sees its passes in
// order, and one operation on V serves W stage-channel pairs. A stage's input at step j is
// what the stage below produced K steps earlier, which its memories still hold (y1 for K = 1,
// y2 for K = 2), moved one block over by the layout's Feed. Stages sharing a register need
// K = 2: with K = 1 each step would wait for the whole previous step of the same register,
// input path included.
//
// A pass is one run of a frame through the chain: one per frame, or two from the same input
// with oversampling, of which the second reaches the output. The block is worked through in
// chunks of passes; the frames of a chunk and their drive values are prepared before its steps.
//
// Per lane every operation is exactly the one the definition makes on that channel and stage,
// in the same order: x = flush(scale * v + drive * d) (the scale only for the folded output
// stage; elsewhere v + drive * d, where a drive of 0.0 adds a signed zero that the flush makes
// irrelevant), then the Direct Form I recursion term by term, flushed, its result kept as
// feedback. So every layout gives the same bits.
//
// While the pipeline fills at the start of a block, lanes whose stage has no pass yet keep
// their memories unchanged. While it drains at the end, lanes keep running (the stage above
// still reads their delayed results), and each lane's memories are kept as they were after
// its stage's last pass of the block.
//
// Everything here has internal linkage: each source file that includes it builds its own
// copy for its own instruction set, and no copy can stand in for another at link time.
// Include it only from the per-path source files.

#include <cfloat>
#include <cstdint>
#include <cstring>
#include <utility>

#include "tessor_eq/eq_chain_job.h"
#include "tessor_eq/eq_sine.h"

namespace {

// Passes per chunk: the scratch arrays live on the stack (about 9 KB with 128-bit values),
// and the per-chunk work is small against 128 steps.
constexpr int kChunkPasses = 128;
// Passes kept from one chunk to the next: the highest group trails the entering pass by up to
// K * (G - 1) * S passes, and a group's lanes reach K * (S - 1) passes further back.
constexpr int kHistory = 16;
// The pass offset given to lanes beyond the last stage: they never have a pass to work on.
constexpr double kNoStage = 1e9;
// All bits of a double but its sign.
constexpr int64_t kMagnitudeBits = 0x7FFFFFFFFFFFFFFFll;

constexpr int LanesOf(int bytes) { return bytes / static_cast<int>(sizeof(double)); }

// The small helpers below are always inlined: vectors wider than the registers would otherwise
// travel through memory between calls.
#define EQ_INLINE __attribute__((always_inline)) inline

// A value whose exponent field is zero (zero or subnormal) becomes +0.0; NaN and infinities
// pass unchanged.
EQ_INLINE double Flush(double v) { return (__builtin_fabs(v) < DBL_MIN) ? 0.0 : v; }

template <class V>
EQ_INLINE V Flush(V v) {
  typedef decltype(v < v) M;
  const M absBits = reinterpret_cast<M>(v) & kMagnitudeBits;
  const M tiny = reinterpret_cast<V>(absBits) < DBL_MIN;  // false for NaN
  return reinterpret_cast<V>(reinterpret_cast<M>(v) & ~tiny);
}

EQ_INLINE double Splat(double s, double) { return s; }
template <class V>
EQ_INLINE V Splat(double s, V) {
  V v;
  for (int i = 0; i < LanesOf(sizeof(V)); ++i) v[i] = s;
  return v;
}

// min(1, max(-1, x)): NaN clips to -1.
template <class V>
EQ_INLINE V Clip(V x) {
  const V lo = Splat(-1.0, x), hi = Splat(1.0, x);
  const V t = (lo < x) ? x : lo;
  return (t < hi) ? t : hi;
}

template <class M, class V>
EQ_INLINE V Select(M m, V a, V b) {
  return m ? a : b;
}

template <class V>
EQ_INLINE V FromLanes(const double* lanes) {
  V v;
  std::memcpy(&v, lanes, sizeof v);
  return v;
}

template <class V>
EQ_INLINE void ToLanes(V v, double* lanes) {
  std::memcpy(lanes, &v, sizeof v);
}

// What every chain length on layout L shares: the scratch of one chunk and how it is filled.
template <class L>
struct Pipeline {
  typedef typename L::V V;
  static constexpr int C = L::kChannels;
  static constexpr int S = L::kStagesPerChannel;
  static constexpr int K = L::kSkew;
  static constexpr int W = LanesOf(sizeof(V));
  static_assert(W == C * S, "a layout fills its value with channels times stages");
  static_assert(S == 1 || K % 2 == 0, "with two passes per frame, a skew of whole frames");

  // The frames of one chunk, channels interleaved: channel c of frame f is at
  // [(kHistory + f - f0) * C + c], with kHistory frames of the previous chunk in front.
  struct Frames {
    double x[(kHistory + kChunkPasses) * C];
    double d[(kHistory + kChunkPasses) * C];
  };

  // The drive values of W samples.
  static V DriveOf(V x) { return eq_Sine(Clip(x)); }

  // d[i] = the drive value of x[i] for `count` samples, as many at a time as the layout's
  // Wide type holds.
  static void Drives(const double* x, double* d, int count) {
    typedef typename L::Wide Wide;
    constexpr int kWide = LanesOf(sizeof(Wide));
    int i = 0;
    for (; i + kWide <= count; i += kWide) ToLanes(eq_Sine(Clip(FromLanes<Wide>(x + i))), d + i);
    for (; i + W <= count; i += W) ToLanes(DriveOf(FromLanes<V>(x + i)), d + i);
    for (; i < count; ++i) d[i] = eq_Sine(Clip(x[i]));
  }

  // x[i * C + c] = channel c of frame f0 + i, for nf frames; a missing channel is silence.
  static void Interleave(const eq_ChainJob& job, int ch0, int f0, int nf, double* x) {
    if constexpr (C == 1) {
      std::memcpy(x, job.in[ch0] + f0, sizeof(double) * nf);
    } else {
      static const double kSilence[kChunkPasses] = {};
      const double* l = job.in[ch0] + f0;
      const double* r = job.in[ch0 + 1] ? job.in[ch0 + 1] + f0 : kSilence;
      for (int i = 0; i < nf; ++i) {
        x[2 * i] = l[i];
        x[2 * i + 1] = r[i];
      }
    }
  }

  // Fills the frames of passes [c0, c1), those of the host from channels ch0 .. and zeros
  // beyond the block's last frame (the draining steps).
  static void FillFrames(const eq_ChainJob& job, int ch0, int c0, int c1, Frames& fr) {
    const int tw = job.twice ? 1 : 0;
    const int f0 = c0 >> tw, f1 = ((c1 - 1) >> tw) + 1;
    const int real = (f1 < job.nFrames ? f1 : job.nFrames) - f0;
    double* x = fr.x + kHistory * C;
    double* d = fr.d + kHistory * C;
    if (real > 0) {
      Interleave(job, ch0, f0, real, x);
      Drives(x, d, real * C);
    }
    for (int k = (real > 0 ? real : 0) * C; k < (f1 - f0) * C; ++k) x[k] = d[k] = 0.0;
  }

  // Lanes for the group whose lowest stage works on pass q: block h (stage S-1-h within the
  // group) holds the C channels of pass q - K * (S-1-h), that is of frame (q >> tw) minus
  // (K >> tw) * (S-1-h): with two passes per frame the skew of two passes is one frame.
  static V Gather(const double* a, int f0, int q, int tw) {
    const int stride = K >> tw;
    return L::Gather(a + (kHistory + (q >> tw) - stride * (S - 1) - f0) * C, stride * C);
  }

  // The pass entering the chain at step j, in block S-1 (the lower blocks hold other frames).
  static V Entering(const double* x, int f0, int j, int tw) {
    return FromLanes<V>(x + (kHistory + (j >> tw) - (S - 1) - f0) * C);
  }

  // Keeps the last kHistory frames for the next chunk, which starts `frames` further on.
  static void KeepHistory(Frames& fr, int frames) {
    std::memmove(fr.x, fr.x + frames * C, sizeof(double) * kHistory * C);
    std::memmove(fr.d, fr.d + frames * C, sizeof(double) * kHistory * C);
  }
};

// Runs a chain of G groups; F: the last stage is the folded output stage.
template <class L, int G, bool F>
class GroupChain : Pipeline<L> {
  typedef Pipeline<L> P;
  typedef typename P::V V;
  typedef typename P::Frames Frames;
  static constexpr int C = P::C, S = P::S, K = P::K, W = P::W;
  static constexpr int kBack = K * (G - 1) * S;  // how far the highest group trails group 0
  static_assert(kBack + K * (S - 1) <= kHistory && S <= kHistory, "history too short");

  // One group of S stages times C channels.
  struct Group {
    V b0, b1, b2, a1, a2, drive, scale;
    V x1, x2, y1, y2;
    V offset;              // each lane's pass offset K * stage, for the filling and draining steps
    V sx1, sx2, sy1, sy2;  // the memories after the lane's last pass, kept while draining
  };

  // Where the steps of one chunk read and write.
  struct Chunk {
    const double* x;  // the chunk's frames
    const V* dd;      // drive lanes by step
    V* yy;            // the last group's results by step
    int c0, f0, tw;   // first pass and frame of the chunk; 1 with two passes per frame
  };

 public:
  // Runs channels ch0 .. ch0 + C - 1 of the job.
  static void Run(eq_ChainJob& job, int ch0) {
    const int N = job.nStages;
    const int tw = job.twice ? 1 : 0;
    const int n = job.nFrames << tw;  // passes
    const int lag = K * (N - 1);      // steps from a pass entering to it leaving
    const int steps = n + lag;
    double* out[C];
    for (int c = 0; c < C; ++c) out[c] = job.out[ch0 + c];
    Group gr[G];
    Load(job, ch0, gr);

    Frames fr;
    V dd[kHistory + kChunkPasses];  // drive lanes by step, with the trailing groups' history
    V yy[kChunkPasses];             // the last group's result after each step
    for (int i = 0; i < kHistory * C; ++i) fr.x[i] = fr.d[i] = 0.0;
    for (int i = 0; i < kHistory; ++i) dd[i] = V{};

    const V outScale = Splat(job.outScale, V{}), outDrive = Splat(job.outDrive, V{});
    for (int c0 = 0; c0 < steps; c0 += kChunkPasses) {
      const int c1 = (steps - c0 < kChunkPasses) ? steps : c0 + kChunkPasses;
      const int m = c1 - c0;
      const int f0 = c0 >> tw;
      P::FillFrames(job, ch0, c0, c1, fr);
      for (int j = c0; j < c1; ++j) dd[kHistory + j - c0] = P::Gather(fr.d, f0, j, tw);

      // Filling steps, the steady run, then (from step n, once every pass has entered)
      // draining steps; filling and draining overlap for blocks shorter than the lag.
      const int fillEnd = Clamp(lag, c0, c1), drainStart = Clamp(n, c0, c1);
      int j = c0;
      const Chunk ch{fr.x, dd, yy, c0, f0, tw};
      for (; j < fillEnd && j < drainStart; ++j) Step<true>(gr, ch, j, n);
      for (; j < drainStart; ++j) Step<false>(gr, ch, j, n);
      if (j == n) Save(gr);
      for (; j < c1; ++j) Step<true>(gr, ch, j, n);

      // The last stage finished pass j - lag at step j; a frame's last pass is its output.
      const int pFirst = c0 - lag > 0 ? c0 - lag : 0;
      const int pEnd = c1 - lag < n ? c1 - lag : n;
      const int o0 = pFirst >> tw, o1 = (pEnd - tw + (1 << tw) - 1) >> tw;
      const int at = lag - c0 + tw + (o0 << tw);  // frame o0's result is yy[at]
      if (o0 < o1 && G * S - N == 0)
        Output<0>(yy + at, dd + kHistory - kBack + at, tw, outScale, outDrive, out, o0, o1);
      else if (o0 < o1)
        Output<S - 1>(yy + at, dd + kHistory - kBack + at, tw, outScale, outDrive, out, o0, o1);

      if (m == kChunkPasses) {
        P::KeepHistory(fr, m >> tw);
        for (int i = 0; i < kHistory; ++i) dd[i] = dd[m + i];
      }
    }
    Store(gr, job, ch0);
  }

 private:
  static int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

  // Writes frames [f0, f1) from the last stage's results (block B of the last group, frame f
  // at y[(f - f0) << tw]), through the output stage unless it is folded into that stage.
  template <int B>
  static void Output(const V* y, const V* d, int tw, V outScale, V outDrive, double* const* out,
                     int f0, int f1) {
    for (int f = f0; f < f1; ++f) {
      V v = y[(f - f0) << tw];
      if constexpr (!F) v = outScale * v + outDrive * d[(f - f0) << tw];
      for (int c = 0; c < C; ++c)
        if (out[c]) out[c][f] = Lane<B * C>(v, c);
    }
  }

  // Channel c of the block whose first lane is `first`.
  template <int first>
  static double Lane(V v, int c) {
    if constexpr (W == 1)
      return v;
    else
      return c == 0 ? v[first] : v[first + (C > 1 ? 1 : 0)];
  }

  // Lanes run block by block (stage S-1 of the group first), channels within a block.
  static int StageOf(int g, int lane) { return g * S + S - 1 - lane / C; }
  static int ChannelOf(int lane) { return lane % C; }

  static void Load(const eq_ChainJob& job, int ch0, Group* gr) {
    enum { kFields = 11 };
    for (int g = 0; g < G; ++g) {
      double lanes[kFields][W], offset[W];
      for (int lane = 0; lane < W; ++lane) {
        const int k = StageOf(g, lane);
        const bool real = k < job.nStages;
        const eq_JobStage st = real ? job.stages[k] : eq_JobStage{0, 0, 0, 0, 0, 0, 1.0};
        const eq_JobMemories me =
            real ? job.memories[ch0 + ChannelOf(lane)][k] : eq_JobMemories{0, 0, 0, 0};
        const double v[kFields] = {st.b0,    st.b1, st.b2, st.a1, st.a2, st.drive,
                                   st.scale, me.x1, me.x2, me.y1, me.y2};
        for (int f = 0; f < kFields; ++f) lanes[f][lane] = v[f];
        offset[lane] = real ? K * k : kNoStage;
      }
      Group& s = gr[g];
      V* fields[kFields] = {&s.b0,    &s.b1, &s.b2, &s.a1, &s.a2, &s.drive,
                            &s.scale, &s.x1, &s.x2, &s.y1, &s.y2};
      for (int f = 0; f < kFields; ++f) *fields[f] = FromLanes<V>(lanes[f]);
      s.offset = FromLanes<V>(offset);
    }
  }

  static void Store(const Group* gr, eq_ChainJob& job, int ch0) {
    for (int g = 0; g < G; ++g) {
      double x1[W], x2[W], y1[W], y2[W];
      ToLanes(gr[g].sx1, x1);
      ToLanes(gr[g].sx2, x2);
      ToLanes(gr[g].sy1, y1);
      ToLanes(gr[g].sy2, y2);
      for (int lane = 0; lane < W; ++lane) {
        const int k = StageOf(g, lane);
        if (k < job.nStages)
          job.memories[ch0 + ChannelOf(lane)][k] =
              eq_JobMemories{x1[lane], x2[lane], y1[lane], y2[lane]};
      }
    }
  }

  // The memories as they are now: every lane's state when the block's passes have all
  // entered, before the draining steps.
  static void Save(Group* gr) {
    for (int g = 0; g < G; ++g) {
      gr[g].sx1 = gr[g].x1;
      gr[g].sx2 = gr[g].x2;
      gr[g].sy1 = gr[g].y1;
      gr[g].sy2 = gr[g].y2;
    }
  }

  // What a group produced K steps ago: its memories still hold it.
  static V Earlier(const Group& s) { return K == 1 ? s.y1 : s.y2; }

  // Group g's work at one step. Its lowest stage is fed by the group below (or, for group 0,
  // by the pass entering the chain), read before that group moves on.
  template <bool Masked, int g>
  static inline void GroupStep(Group* gr, const Chunk& ch, int j, V jv, V nv) {
    Group& s = gr[g];
    V up;
    if constexpr (g == 0)
      up = P::Entering(ch.x, ch.f0, j, ch.tw);
    else
      up = Earlier(gr[g - 1]);
    const V in = L::template Feed<g == 0>(Earlier(s), up);
    const V d = ch.dd[kHistory + j - ch.c0 - K * g * S];
    V t;
    if constexpr (F && g == G - 1)
      t = s.scale * in + s.drive * d;
    else
      t = in + s.drive * d;
    const V xn = L::Flush(t);
    const V y = L::Flush(s.b0 * xn + s.b1 * s.x1 + s.b2 * s.x2 - s.a1 * s.y1 - s.a2 * s.y2);
    if constexpr (Masked) {
      // A lane starts with its stage's first pass (offset <= j) and works on a pass of this
      // block while j < offset + n; afterwards it keeps running, its memories saved.
      const auto started = s.offset <= jv;
      const auto valid = started & (jv - s.offset < nv);
      s.sx2 = Select(valid, s.x1, s.sx2);
      s.sx1 = Select(valid, xn, s.sx1);
      s.sy2 = Select(valid, s.y1, s.sy2);
      s.sy1 = Select(valid, y, s.sy1);
      s.x2 = Select(started, s.x1, s.x2);
      s.x1 = Select(started, xn, s.x1);
      s.y2 = Select(started, s.y1, s.y2);
      s.y1 = Select(started, y, s.y1);
    } else {
      (void)jv;
      (void)nv;
      s.x2 = s.x1;
      s.x1 = xn;
      s.y2 = s.y1;
      s.y1 = y;
    }
  }

  // All groups, the highest first.
  template <bool Masked, int... I>
  static inline void StepAll(std::integer_sequence<int, I...>, Group* gr, const Chunk& ch, int j,
                             V jv, V nv) {
    (GroupStep<Masked, G - 1 - I>(gr, ch, j, jv, nv), ...);
  }

  template <bool Masked>
  static inline void Step(Group* gr, const Chunk& ch, int j, int n) {
    const V jv = Splat(static_cast<double>(j), V{}), nv = Splat(static_cast<double>(n), V{});
    StepAll<Masked>(std::make_integer_sequence<int, G>(), gr, ch, j, jv, nv);
    ch.yy[j - ch.c0] = gr[G - 1].y1;
  }
};

// No stage at all: the output stage alone, W samples of one channel at a time.
template <class L>
void RunOutputOnly(eq_ChainJob& job, int ch0) {
  typedef Pipeline<L> P;
  typedef typename P::V V;
  constexpr int C = P::C, W = P::W;
  const V scale = Splat(job.outScale, V{}), drive = Splat(job.outDrive, V{});
  for (int c = ch0; c < ch0 + C; ++c) {
    const double* in = job.in[c];
    double* out = job.out[c];
    if (!in || !out) continue;
    int f = 0;
    for (; f + W <= job.nFrames; f += W) {
      const V x = FromLanes<V>(in + f);
      ToLanes(scale * x + drive * P::DriveOf(x), out + f);
    }
    for (; f < job.nFrames; ++f)
      out[f] = job.outScale * in[f] + job.outDrive * eq_Sine(Clip(in[f]));
  }
}

template <class L, int G>
void RunGroups(eq_ChainJob& job, int ch0) {
  if (job.folded)
    GroupChain<L, G, true>::Run(job, ch0);
  else
    GroupChain<L, G, false>::Run(job, ch0);
}

template <class L, int... G>
void RunChainOf(eq_ChainJob& job, int ch0, std::integer_sequence<int, G...>) {
  typedef void (*Run)(eq_ChainJob&, int);
  static constexpr Run kByGroups[] = {&RunOutputOnly<L>, &RunGroups<L, G + 1>...};
  kByGroups[(job.nStages + L::kStagesPerChannel - 1) / L::kStagesPerChannel](job, ch0);
}

// Runs channels ch0 .. ch0 + C - 1 of the job on layout L.
template <class L>
void RunChain(eq_ChainJob& job, int ch0) {
  constexpr int S = L::kStagesPerChannel;
  RunChainOf<L>(job, ch0, std::make_integer_sequence<int, (eq_kMaxChainStages + S - 1) / S>());
}

}  // namespace

#undef EQ_INLINE
