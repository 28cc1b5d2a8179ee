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
    // False when no engine, voice or audio device can speak; speak() then
    // does nothing.
    virtual bool isAvailable() const = 0;

signals:
    // A sentence has been spoken to its end. Nothing in a window waits for it.
    void speechEnded();
};

class PromptSound {
public:
    virtual ~PromptSound() = default;
    // Plays the short "ding" without waiting; a failure is ignored.
    virtual void play() = 0;
};

// What a window is given to create its voice at every load.
using VoiceFactory = std::function<std::unique_ptr<Voice>()>;

} // namespace zorvel
