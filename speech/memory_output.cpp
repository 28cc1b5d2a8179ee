// Keeps utterances in memory.
#include "speech/memory_output.h"

namespace zorvel {

void MemoryOutput::write(int sampleRate, const std::int16_t* samples, std::size_t count)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_)
        return;
    current_.sampleRate = sampleRate;
    current_.samples.insert(current_.samples.end(), samples, samples + count);
}

void MemoryOutput::endUtterance(std::function<void()> heard)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_)
        return;
    done_.push_back(std::move(current_));
    current_ = Utterance();
    if (heard)
        heard();
}

void MemoryOutput::clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    current_ = Utterance();
}

void MemoryOutput::close()
{
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
}

std::vector<MemoryOutput::Utterance> MemoryOutput::utterances() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return done_;
}

} // namespace zorvel
