// Sends the local record to the school server: every ended test (with its
// questions, answers and 达标测试 result) and every fact answer (with the
// fact's box) of each pupil linked to a server, in the order they were
// recorded, each once: the server's keys are the local UUIDs, a test goes in
// one server transaction, and it is marked sent locally only after the
// server has committed it. Runs on the thread that owns the local connection
// (the store's writer, or zorvel-records sync).
#pragma once

#include "school_server/server_links.h"

#include <QSqlDatabase>
#include <QString>

#include <chrono>
#include <functional>
#include <map>

namespace zorvel::school {

struct SendResult {
    int tests = 0;    // sent now
    int facts = 0;    // fact answers sent now
    int waiting = 0;  // tests still waiting
    QString problem;  // why the rest waits (Chinese); empty when all went
};

class RecordSender {
public:
    // After a failed connection, sendWaiting() leaves a server alone this long.
    explicit RecordSender(std::chrono::milliseconds retryPause = std::chrono::seconds(30));
    ~RecordSender();
    RecordSender(const RecordSender&) = delete;
    RecordSender& operator=(const RecordSender&) = delete;

    // What waits for every linked pupil; never throws.
    SendResult sendWaiting(const QSqlDatabase& local);
    // What waits for one pupil, to the link's address, pause or not; never throws.
    SendResult sendPupil(const QSqlDatabase& local, const ServerLink& link);
    // Runs between a test's rows and its commit (to interrupt a sending).
    void setMidSendHook(std::function<void()> hook) { midSend_ = std::move(hook); }

private:
    QSqlDatabase connectionFor(const ServerAddress& address);
    void dropConnection(const ServerAddress& address);
    void send(const QSqlDatabase& local, const ServerLink& link, const QSqlDatabase& server, SendResult& result);

    const std::chrono::milliseconds retryPause_;
    const QString prefix_;
    std::map<QString, QString> connections_;  // address text -> connection name
    std::map<QString, std::chrono::steady_clock::time_point> pausedUntil_;
    std::function<void()> midSend_;
};

// Tests of the pupil that have ended since the link and are not on the server.
int waitingTests(const QSqlDatabase& local, const ServerLink& link);

} // namespace zorvel::school
