// The pupils' machines' side of the school server, as the program uses it:
// the sender follows the record on its writer thread (after each test that
// ends and each fact answer, and once a minute for what still waits), and
// the records window's "学校服务器…" reads, tries and keeps the server a
// pupil's tests go to.
#pragma once

#include "records_window/school_server_setup.h"

#include <QSqlDatabase>
#include <QTimer>

#include <functional>

#include <memory>

namespace zorvel {

namespace records {
class SqliteRecordStore;
}
namespace school {
class RecordSender;
}

class SchoolServerLink final : public records::SchoolServerSetup {
public:
    // path: the record's file, read here for the records window only.
    SchoolServerLink(records::SqliteRecordStore& store, const QString& path);
    ~SchoolServerLink() override;

    std::optional<records::SchoolServerChoice> choice(qint64 pupil) override;
    QString status(qint64 pupil) override;
    QString tryConnection(const records::SchoolServerChoice& choice) override;
    QString keep(qint64 pupil, const records::SchoolServerChoice& choice) override;
    void forget(qint64 pupil) override;

private:
    template <typename Result>
    Result read(const std::function<Result(const QSqlDatabase&)>& query, Result fallback);
    void sendWaiting();

    records::SqliteRecordStore& store_;
    const QString path_;
    const QString readConnection_;
    std::shared_ptr<school::RecordSender> sender_;  // used on the writer thread only
    QTimer retry_;
};

} // namespace zorvel
