#pragma once

#include <QIODevice>
#include <memory>

#include "sound/module/AudioSink.h"
#include "sound/module/Loudness.h"

// The sound of a web page: the whole piece is held, brought to the common
// loudness, then encoded as MP3 (which every browser plays) and as Ogg
// Opus, each into its own device.
namespace web_sink {

std::unique_ptr<audio_sink::Sink> make(QIODevice &mp3, QIODevice &ogg,
                                       int sampleRate, int channels,
                                       loudness::Levels *levels = nullptr);

}  // namespace web_sink
