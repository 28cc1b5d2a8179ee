// A PostgreSQL 15 cluster of its own for the tests and benchmarks: initdb and
// pg_ctl in a temporary folder, listening only on a Unix socket there, run
// as the user nobody when this runs as root; stopped and removed at the end.
// It holds the database "school" (the bootstrap superuser "zadmin" owns it)
// with the schema made by initSchool().
#pragma once

#include "school_server/server_connection.h"

#include <QString>
#include <QTemporaryDir>

namespace zorvel::school::testing {

class ThrowawayCluster {
public:
    ThrowawayCluster();  // starts it; check problem()
    ~ThrowawayCluster();
    ThrowawayCluster(const ThrowawayCluster&) = delete;
    ThrowawayCluster& operator=(const ThrowawayCluster&) = delete;

    // Why the cluster could not start (then the tests are skipped); empty when it runs.
    QString problem() const { return problem_; }
    bool start();
    bool stop();
    // The database "school" as the given role (trusted on the socket).
    ServerAddress address(const QString& role) const;

private:
    bool pgCtl(const QStringList& arguments);
    bool runTool(const QString& tool, const QStringList& arguments, QString* output = nullptr);

    QTemporaryDir dir_;
    QString data_;
    QString problem_;
    bool asNobody_ = false;
};

} // namespace zorvel::school::testing
