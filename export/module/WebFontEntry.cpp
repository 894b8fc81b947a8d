// The one symbol the program looks up in the web font module.
#include "export/core/WebFontModule.h"
#include "export/module/FontCutter.h"

namespace {

const web_font_module::Api api{web_font_module::ApiVersion, font_cutter::cut};

}  // namespace

extern "C" __attribute__((visibility("default"))) const void *
varnel_webfont_module() {
  return &api;
}
