// Starting another program that lives on by itself, such as the browser.
#pragma once

#include <QByteArray>
#include <QList>

#include <functional>

namespace zorvel {

// Starts `program`, looked up in PATH, with `arguments` in a session of its
// own, its input and output on /dev/null, and returns at once; the child is
// reaped when it ends, and `ended` (when given) is then called, on another
// thread, with whether it exited with status 0. Unlike a fork, nothing of
// this process's memory is copied, so the start costs the same however large
// the program has grown. False when it cannot be started.
bool startDetachedProgram(const QByteArray& program, const QList<QByteArray>& arguments,
                          std::function<void(bool succeeded)> ended = {});

} // namespace zorvel
