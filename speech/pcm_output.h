// Where synthesised speech and the prompt sound go: a stream of mono 16-bit
// samples, cut into utterances, played in the order written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace zorvel {

class PcmOutput {
public:
    virtual ~PcmOutput() = default;

    // False when there is no device to play on; may wait for the device
    // check, so it is asked on the synthesis thread, never the interface's.
    virtual bool isAvailable() const = 0;
    // Appends samples to the utterance being written. Callable from any one
    // thread at a time; never waits for playback.
    virtual void write(int sampleRate, const std::int16_t* samples, std::size_t count) = 0;
    // Ends the utterance; `heard` runs on some thread once it has been played
    // to its end. Not run for an utterance that is dropped.
    virtual void endUtterance(std::function<void()> heard) = 0;
    // Drops everything not yet played.
    virtual void clear() = 0;
    // After close() returns no callback runs any more and writes are ignored.
    virtual void close() = 0;
};

} // namespace zorvel
