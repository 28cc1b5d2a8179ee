// A file's hash first, then its rows.
#include "class_record/class_import.h"

#include "class_record/pupil_file_rows.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace zorvel::classroom {

ImportResult importFile(const QSqlDatabase& classDb, const QString& path, const PupilFileReader& read,
                        const QDateTime& now)
{
    const QString name = QFileInfo(path).fileName();
    ImportResult result;
    try {
        read(path, [&](const QSqlDatabase& pupilDb) {
            // The file was a regular file when it was copied; its bytes tell a repeated import.
            QFile file(path);
            QCryptographicHash hash(QCryptographicHash::Sha256);
            const QByteArray sha256 = file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result() : QByteArray();
            if (!sha256.isEmpty() && wasImported(classDb, sha256)) {
                result.status = ImportResult::Status::AlreadyImported;
                return;
            }
            result = importPupilRecord(classDb, pupilDb, name, sha256, now);
        });
    } catch (const BadContent& refused) {
        result = {};
        result.reason = refused.reason;
    }
    return result;
}

} // namespace zorvel::classroom
