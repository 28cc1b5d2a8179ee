// Opening an imported file through the record's untrusted opener.
#include "class_record/untrusted_pupil_file.h"

#include "class_record/pupil_file_rows.h"
#include "records/untrusted_record.h"

#include <QUuid>

namespace zorvel::classroom {

void readUntrustedPupilFile(const QString& path, const std::function<void(const QSqlDatabase&)>& use)
{
    const QString connection = QStringLiteral("zorvel-import-") + QUuid::createUuid().toString(QUuid::Id128);
    try {
        const records::UntrustedRecord record(connection, path);
        use(record.db());
    } catch (const records::UntrustedRecordRefused& refused) {
        throw BadContent{refused.reason()};
    }
}

} // namespace zorvel::classroom
