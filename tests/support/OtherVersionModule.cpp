// A sound module as another build of the program would make it: the entry
// is there, but its table is of another version and holds nothing usable.
#include "sound/core/SoundModule.h"

namespace {
const sound_module::Api api{sound_module::ApiVersion + 1, nullptr, nullptr,
                            nullptr};
}  // namespace

extern "C" __attribute__((visibility("default"))) const void *
varnel_sound_module() {
  return &api;
}
