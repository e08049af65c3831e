// A stereo LV2 plug-in that copies its input to its output and does nothing else. Run through
// lv2file, its cost is the host's own (reading and writing the files, the block loop), which the
// side-by-side comparison (lv2_peers) subtracts from every equaliser's.
#include <lv2/core/lv2.h>

#include <cstring>

namespace {

struct PassThrough {
  const float* in[2] = {nullptr, nullptr};
  float* out[2] = {nullptr, nullptr};
};

LV2_Handle Instantiate(const LV2_Descriptor*, double, const char*, const LV2_Feature* const*) {
  return new PassThrough;
}

void ConnectPort(LV2_Handle instance, uint32_t port, void* data) {
  auto* p = static_cast<PassThrough*>(instance);
  if (port < 2)
    p->in[port] = static_cast<const float*>(data);
  else if (port < 4)
    p->out[port - 2] = static_cast<float*>(data);
}

void Run(LV2_Handle instance, uint32_t nFrames) {
  auto* p = static_cast<PassThrough*>(instance);
  for (int c = 0; c < 2; ++c)
    if (p->in[c] && p->out[c] && p->in[c] != p->out[c])
      std::memcpy(p->out[c], p->in[c], nFrames * sizeof(float));
}

void Cleanup(LV2_Handle instance) { delete static_cast<PassThrough*>(instance); }

const LV2_Descriptor kDescriptor = {"https://fenwarde.audio/lv2/bench/pass-through",
                                    Instantiate,
                                    ConnectPort,
                                    nullptr,
                                    Run,
                                    nullptr,
                                    Cleanup,
                                    nullptr};

}  // namespace

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
  return index == 0 ? &kDescriptor : nullptr;
}
