#pragma once
// The stage chain with every stage a few passes behind the one below it: the layout behind the
// AVX2 and AVX-512 paths.
//
// Stage k works on pass j - S * k at step j (S = kSkew), so what a stage hands to the next one
// was made S steps before it is needed: the hand-over (drive, flush, feed-forward terms) is off
// the step's critical path, and a step is bounded only by each stage's own feedback (a1 * y1,
// two subtractions, the flush), not by the length of the chain.
//
// Lanes: a value V holds two slots of left and right, (stage k L, R, stage k+R L, R). R values
// hold the N stages, stage k in value k % R, slot k / R. Stage k+1's input is then the same slot
// of the next value, or, from the last value, the next slot of the first one: only the first
// value moves lanes, taking the last value's slot 0 into its slot 1 and the entering pass into
// its slot 0. Each step's results go into a small ring, read again S steps later.
//
// Per lane every operation is exactly the one the definition makes on that channel and stage,
// in the same order: x = flush(v + drive * d) (flush(scale * v + drive * d) for the folded
// output stage), then the Direct Form I recursion term by term, flushed. So this layout gives
// the same bits as every other path.
//
// At the start of a block, lanes whose stage has no pass yet keep their memories; at the end,
// lanes whose stage has finished its passes keep the memories of their last one. Both are one
// rule: a lane updates its memories only while its pass lies in the block.
//
// The ISA-specific operations come from the includer (eq_chain_skewed_lanes.h); everything has
// internal linkage, built once per instruction set.

#include <cfloat>
#include <cstdint>
#include <cstring>
#include <utility>

#include "tessor_eq/eq_chain_job.h"
#include "tessor_eq/eq_sine.h"

namespace {

#define EQ_SK_INLINE __attribute__((always_inline)) inline

// L: the lanes (eq_chain_skewed_lanes.h). N stages; F: the last one is the folded output stage.
template <class L, int N, bool F>
class SkewedChain {
  typedef typename L::V V;  // two slots of left and right
  typedef typename L::M M;
  static constexpr int W = 4;                    // lanes per value
  static constexpr int R = (N + 1) / 2;          // values
  static constexpr int S = 3;                    // skew: steps between neighbouring stages
  static constexpr int kLast = (N - 1) % R;      // the last stage's value
  static constexpr int kLastSlot = (N - 1) / R;  // and slot
  static constexpr int kLag = S * (N - 1);       // steps from a pass entering to it leaving

  // Steps per chunk, and steps kept from one chunk for the next: the drive lanes of slot 1
  // reach S * R passes back, those of the last value another S * (R - 1), and the output stage
  // kLag.
  static constexpr int kChunk = L::kMaxPasses;
  static constexpr int kHistory = 2 * S * R + 4;
  static constexpr int kRing = 4;  // results kept per value: a power of two above S
  static_assert(S < kRing && kLag <= kHistory, "history too short");

  struct Coefs {
    V b0, b1, b2, a1, a2, drive, scale;
    V first, end;  // each lane's first step and the step after its last, for masking
  };
  struct State {
    V x1, x2, y1, y2;
  };
  // What the steady steps compute one step ahead: the next pass's input x, the recursion's
  // feed-forward sum b0 * x + b1 * x1 + b2 * x2 for the coming step, and a1 * y1.
  struct Ahead {
    V x, ff, a1y1;
  };

  // One chunk's passes, indexed by step + kHistory, left and right interleaved.
  struct Scratch {
    double x[(kHistory + kChunk + 1) * 2];  // the pass entering at each step, one step over
    double d[(kHistory + kChunk) * 2];      // its drive values
    double e[(kHistory + kChunk + 1) * W];  // the first value's drive lanes at each step
    double ring[kRing][R][W];               // every value's results of the last kRing steps
    double y[kChunk * 2];                   // the last stage's result after each step
  };

 public:
  static void Run(eq_ChainJob& job) {
    const int tw = job.twice ? 1 : 0;
    const int n = job.nFrames << tw;  // passes
    const int steps = n + kLag;

    Coefs co[R];
    State st[R];
    Load(job, n, co, st);

    Scratch sc;
    std::memset(sc.x, 0, sizeof sc.x);
    std::memset(sc.d, 0, sizeof sc.d);
    std::memset(sc.e, 0, sizeof sc.e);
    std::memset(sc.ring, 0, sizeof sc.ring);

    for (int c0 = 0; c0 < steps; c0 += kChunk) {
      const int c1 = (steps - c0 < kChunk) ? steps : c0 + kChunk;
      Fill(job, tw, c0, c1, sc);
      // Masked while some stage has no pass yet (before kLag) or none left (from n on).
      const int steadyBegin = Clamp(kLag, c0, c1), steadyEnd = Clamp(n, steadyBegin, c1);
      int j = c0;
      for (; j < steadyBegin; ++j) StepAt<true>(co, st, sc, c0, j);
      if (j < steadyEnd) {
        Ahead ah[R];
        Begin(std::make_integer_sequence<int, R>(), co, st, ah, sc, c0, j);
        for (; j < steadyEnd && (j & (kRing - 1)) != 0; ++j) SteadyAt(co, st, ah, sc, c0, j);
        for (; j + kRing <= steadyEnd; j += kRing) {
          // The ring's slots are known here, so every address is a constant offset.
          Round(std::make_integer_sequence<int, kRing>(), co, st, ah, sc, c0, j);
        }
        for (; j < steadyEnd; ++j) SteadyAt(co, st, ah, sc, c0, j);
      }
      for (; j < c1; ++j) StepAt<true>(co, st, sc, c0, j);
      Output(job, tw, n, c0, c1, sc);
      if (c1 - c0 == kChunk) KeepHistory(sc);
    }
    Store(job, st);
  }

 private:
  static int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

  static int StageOf(int v, int lane) { return v + (lane / 2) * R; }

  static void Load(const eq_ChainJob& job, int n, Coefs* co, State* st) {
    for (int v = 0; v < R; ++v) {
      double b0[W], b1[W], b2[W], a1[W], a2[W], dr[W], sc[W], first[W], end[W];
      double x1[W], x2[W], y1[W], y2[W];
      for (int lane = 0; lane < W; ++lane) {
        const int k = StageOf(v, lane), c = lane % 2;
        const bool real = k < N;
        const eq_JobStage s = real ? job.stages[k] : eq_JobStage{0, 0, 0, 0, 0, 0, 1.0};
        // Mono: the right lanes run on silence from zero memories.
        const eq_JobMemories m =
            real && (c == 0 || job.in[1]) ? job.memories[c][k] : eq_JobMemories{0, 0, 0, 0};
        b0[lane] = s.b0, b1[lane] = s.b1, b2[lane] = s.b2, a1[lane] = s.a1, a2[lane] = s.a2;
        dr[lane] = s.drive, sc[lane] = s.scale;
        // A lane beyond the last stage has no pass: its window is empty.
        first[lane] = real ? S * k : -1.0;
        end[lane] = real ? S * k + n : -1.0;
        x1[lane] = m.x1, x2[lane] = m.x2, y1[lane] = m.y1, y2[lane] = m.y2;
      }
      co[v] = Coefs{L::Load(b0), L::Load(b1), L::Load(b2),    L::Load(a1), L::Load(a2),
                    L::Load(dr), L::Load(sc), L::Load(first), L::Load(end)};
      st[v] = State{L::Load(x1), L::Load(x2), L::Load(y1), L::Load(y2)};
    }
  }

  static void Store(eq_ChainJob& job, const State* st) {
    for (int v = 0; v < R; ++v) {
      double x1[W], x2[W], y1[W], y2[W];
      L::Store(x1, st[v].x1), L::Store(x2, st[v].x2), L::Store(y1, st[v].y1);
      L::Store(y2, st[v].y2);
      for (int lane = 0; lane < W; ++lane) {
        const int k = StageOf(v, lane), c = lane % 2;
        if (k < N && (c == 0 || job.in[1]))
          job.memories[c][k] = eq_JobMemories{x1[lane], x2[lane], y1[lane], y2[lane]};
      }
    }
  }

  // The passes entering at steps [c0, c1), their drive values, and the first value's drive
  // lanes: slot 1 of step q holds the drive values of pass q - S * R.
  static void Fill(const eq_ChainJob& job, int tw, int c0, int c1, Scratch& sc) {
    double* x = sc.x + kHistory * 2;
    double* d = sc.d + kHistory * 2;
    const int n = job.nFrames << tw;
    const int real = (c1 < n ? c1 : n) - c0;
    if (real > 0) L::Enterings(job, tw, c0, real, x, d);
    for (int i = (real > 0 ? real : 0) * 2; i < (c1 - c0) * 2; ++i) x[i] = d[i] = 0.0;
    L::DriveLanes(d, S * R, c1 - c0, sc.e + kHistory * W);
  }

  static void KeepHistory(Scratch& sc) {
    std::memmove(sc.x, sc.x + kChunk * 2, sizeof(double) * kHistory * 2);
    std::memmove(sc.d, sc.d + kChunk * 2, sizeof(double) * kHistory * 2);
    std::memmove(sc.e, sc.e + kChunk * W, sizeof(double) * kHistory * W);
  }

  // The frames whose last pass the last stage finished in steps [c0, c1).
  static void Output(eq_ChainJob& job, int tw, int n, int c0, int c1, const Scratch& sc) {
    const int p0 = c0 - kLag > 0 ? c0 - kLag : 0, p1 = c1 - kLag < n ? c1 - kLag : n;
    // Frames [f0, f1): with two passes per frame only the second reaches the output.
    const int f0 = p0 >> tw, f1 = p1 >> tw;
    if (f0 >= f1) return;
    const int p = (f0 << tw) + tw;  // the first output's pass
    L::Outputs(job, tw, F, sc.y + (p + kLag - c0) * 2, sc.d + (kHistory + p - c0) * 2, f0, f1 - f0);
  }

  // Value v's work at step j, whose results go to ring slot `now`; `then` holds those of step
  // j - S.
  template <bool Masked, int v>
  static EQ_SK_INLINE void StepValue(const Coefs* co, State* st, Scratch& sc, int c0, int j,
                                     int now, int then, V jv) {
    const Coefs& k = co[v];
    State& s = st[v];
    const V x = Input<v>(k, sc, c0, j, then);
    const V y = L::Flush(k.b0 * x + k.b1 * s.x1 + k.b2 * s.x2 - k.a1 * s.y1 - k.a2 * s.y2);
    L::Store(sc.ring[now][v], y);
    if constexpr (v == kLast) L::StoreSlot(sc.y + (j - c0) * 2, y, kLastSlot);
    if constexpr (Masked) {
      const M on = (jv >= k.first) & (jv < k.end);
      s.x2 = on ? s.x1 : s.x2;
      s.x1 = on ? x : s.x1;
      s.y2 = on ? s.y1 : s.y2;
      s.y1 = on ? y : s.y1;
    } else {
      (void)jv;
      s.x2 = s.x1;
      s.x1 = x;
      s.y2 = s.y1;
      s.y1 = y;
    }
  }

  template <bool Masked, int... I>
  static EQ_SK_INLINE void StepAll(std::integer_sequence<int, I...>, const Coefs* co, State* st,
                                   Scratch& sc, int c0, int j, int now, int then, V jv) {
    (StepValue<Masked, I>(co, st, sc, c0, j, now, then, jv), ...);
  }

  // Step j, whose ring slot is `phase`.
  template <bool Masked, int phase>
  static EQ_SK_INLINE void Step(const Coefs* co, State* st, Scratch& sc, int c0, int j) {
    StepAll<Masked>(std::make_integer_sequence<int, R>(), co, st, sc, c0, j, phase,
                    (phase - S) & (kRing - 1), L::Splat(static_cast<double>(j)));
  }

  // Value v's input x at step j, whose ring slot `then` holds the results of step j - S.
  template <int v>
  static EQ_SK_INLINE V Input(const Coefs& k, Scratch& sc, int c0, int j, int then) {
    V in;
    if constexpr (v == 0)
      in = L::Enter(L::Load(sc.ring[then][R - 1]), sc.x + (kHistory + j - c0) * 2);
    else
      in = L::Load(sc.ring[then][v - 1]);
    const V e = L::Load(sc.e + (kHistory + j - c0 - S * v) * W);
    V t;
    if constexpr (F && v == kLast)
      t = k.scale * in + k.drive * e;
    else
      t = in + k.drive * e;
    return L::Flush(t);
  }

  // The steady steps, where every lane works: step j's recursion, and step j+1's input and
  // feed-forward sum, which do not depend on it, computed first so that they fill the time the
  // recursion waits for its previous result.
  template <int... I>
  static EQ_SK_INLINE void Begin(std::integer_sequence<int, I...>, const Coefs* co, const State* st,
                                 Ahead* ah, Scratch& sc, int c0, int j) {
    const int then = (j - S) & (kRing - 1);
    ((ah[I].x = Input<I>(co[I], sc, c0, j, then),
      ah[I].ff = co[I].b0 * ah[I].x + co[I].b1 * st[I].x1 + co[I].b2 * st[I].x2,
      ah[I].a1y1 = co[I].a1 * st[I].y1),
     ...);
  }

  // Step j's recursion for value v: its result y, and a1 * y for the next step.
  template <int v>
  static EQ_SK_INLINE V SteadyRecursion(const Coefs* co, const State* st, Ahead* ah, Scratch& sc,
                                        int c0, int j, int now) {
    const Coefs& k = co[v];
    Ahead& a = ah[v];
    const V y = L::Flush(a.ff - a.a1y1 - k.a2 * st[v].y2);
    L::Store(sc.ring[now][v], y);
    if constexpr (v == kLast) L::StoreSlot(sc.y + (j - c0) * 2, y, kLastSlot);
    a.a1y1 = k.a1 * y;
    return y;
  }

  // Step j+1's input and feed-forward sum for value v; then the memories move on by a step.
  template <int v>
  static EQ_SK_INLINE void SteadyAhead(const Coefs* co, State* st, Ahead* ah, V y, Scratch& sc,
                                       int c0, int j, int then) {
    const Coefs& k = co[v];
    State& s = st[v];
    Ahead& a = ah[v];
    const V next = Input<v>(k, sc, c0, j + 1, then);
    const V ff = k.b0 * next + k.b1 * a.x + k.b2 * s.x1;
    s.x2 = s.x1;
    s.x1 = a.x;
    s.y2 = s.y1;
    s.y1 = y;
    a.x = next;
    a.ff = ff;
  }

  // Step j: the recursions first, as they wait for the previous step; then the next step's
  // feed-forward sums, which fill that wait.
  template <int... I>
  static EQ_SK_INLINE void Steady(std::integer_sequence<int, I...>, const Coefs* co, State* st,
                                  Ahead* ah, Scratch& sc, int c0, int j, int now) {
    const int then = (now + 1 - S) & (kRing - 1);
    const V y[R] = {SteadyRecursion<I>(co, st, ah, sc, c0, j, now)...};
    (SteadyAhead<I>(co, st, ah, y[I], sc, c0, j, then), ...);
  }

  template <int... phase>
  static EQ_SK_INLINE void Round(std::integer_sequence<int, phase...>, const Coefs* co, State* st,
                                 Ahead* ah, Scratch& sc, int c0, int j) {
    (Steady(std::make_integer_sequence<int, R>(), co, st, ah, sc, c0, j + phase, phase), ...);
  }

  static void SteadyAt(const Coefs* co, State* st, Ahead* ah, Scratch& sc, int c0, int j) {
    Steady(std::make_integer_sequence<int, R>(), co, st, ah, sc, c0, j, j & (kRing - 1));
  }

  template <bool Masked>
  static void StepAt(const Coefs* co, State* st, Scratch& sc, int c0, int j) {
    const int now = j & (kRing - 1);
    StepAll<Masked>(std::make_integer_sequence<int, R>(), co, st, sc, c0, j, now,
                    (now - S) & (kRing - 1), L::Splat(static_cast<double>(j)));
  }
};

// No stage at all: the output stage alone.
template <class L>
void RunOutputOnly(eq_ChainJob& job) {
  for (int c = 0; c < 2; ++c) {
    const double* in = job.in[c];
    double* out = job.out[c];
    if (!in || !out) continue;
    L::OutputOnly(in, out, job.nFrames, job.outScale, job.outDrive);
  }
}

template <class L, int N>
void RunStages(eq_ChainJob& job) {
  if (job.folded)
    SkewedChain<L, N, true>::Run(job);
  else
    SkewedChain<L, N, false>::Run(job);
}

// Runs the job on lanes L, with the chain built for its number of stages.
template <class L>
void RunSkewedChain(eq_ChainJob& job) {
  typedef void (*Run)(eq_ChainJob&);
  static constexpr Run kByStages[eq_kMaxChainStages + 1] = {
      &RunOutputOnly<L>, &RunStages<L, 1>, &RunStages<L, 2>, &RunStages<L, 3>,
      &RunStages<L, 4>,  &RunStages<L, 5>, &RunStages<L, 6>, &RunStages<L, 7>};
  static_assert(eq_kMaxChainStages == 7, "one entry per chain length");
  kByStages[job.nStages](job);
}

}  // namespace

#undef EQ_SK_INLINE
