// "学校服务器": where the pupil's tests are sent, a libpq service name or a
// server's address, user and password; "测试连接" tries it without holding
// up the window and says in Chinese what failed; "保存" keeps it.
#pragma once

#include "records_window/records_services.h"
#include "records_window/school_server_setup.h"

#include <QDialog>

QT_BEGIN_NAMESPACE
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
QT_END_NAMESPACE

namespace zorvel::records {

class SchoolServerDialog : public QDialog {
    Q_OBJECT
public:
    SchoolServerDialog(SchoolServerSetup& setup, const RecordsDialogs& dialogs, qint64 pupil, const QString& pupilName,
                       QWidget* parent = nullptr);

signals:
    void tried(const QString& failure);  // after each try: empty when it worked

private:
    SchoolServerChoice chosen() const;
    void show(const SchoolServerChoice& choice);
    // Tries the connection on a thread of its own; then(failure) on this one.
    void tryThen(std::function<void(const QString&)> then);
    void save();
    void setBusy(bool busy);

    SchoolServerSetup& setup_;
    const RecordsDialogs& dialogs_;
    const qint64 pupil_;
    QRadioButton* byService_ = nullptr;
    QRadioButton* byAddress_ = nullptr;
    QLineEdit* service_ = nullptr;
    QLineEdit* host_ = nullptr;
    QSpinBox* port_ = nullptr;
    QLineEdit* database_ = nullptr;
    QLineEdit* user_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLabel* state_ = nullptr;
    QPushButton* try_ = nullptr;
    QPushButton* save_ = nullptr;
};

} // namespace zorvel::records
