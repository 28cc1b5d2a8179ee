// The voice a listening window speaks through, and the prompt sound. Windows
// see only these interfaces; the real engine and the test fakes implement them.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace zorvel {

class Voice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Voice() override = default;

    // Queues the sentence behind those still being spoken and returns at once.
    // Nothing is purged: every sentence is spoken whole, first in, first out.
    virtual void speak(const QString& sentence) = 0;
    // Never waits. False once the voice is known unable to speak (no engine,
    // voice or audio device); speak() then does nothing. True while that is
    // still being found out.
    virtual bool isAvailable() const = 0;
    // The pace of the sentences queued from now on, as a percentage of the
    // voice's usual rate (70 slow, 100, 125 fast). A voice that cannot change
    // its pace ignores it.
    virtual void setRatePercent(int percent) { (void)percent; }

signals:
    // A sentence has been spoken to its end. Nothing in a window waits for it.
    void speechEnded();
    // Emitted at most once, from the event loop after the voice was made,
    // when it has found out whether it can speak; isAvailable() agrees from
    // then on. A voice that knows at once may never emit it.
    void availabilityKnown(bool available);
};

class PromptSound {
public:
    virtual ~PromptSound() = default;
    // Plays the short "ding" without waiting for the sound system; a failure
    // is ignored.
    virtual void play() = 0;
};

// What a window is given to create its voice at every load.
using VoiceFactory = std::function<std::unique_ptr<Voice>()>;

} // namespace zorvel
