// The school server dialog: a form of the two ways to name a server, a try
// on a thread of its own, and keeping the choice through SchoolServerSetup.
#include "records_window/school_server_dialog.h"

#include "design_units/screen_units.h"
#include "records_window/record_controls.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QThread>
#include <QVBoxLayout>

#include <memory>

namespace zorvel::records {

namespace {

QLineEdit* makeField(QWidget* parent, const char* name, const QString& hint)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setPlaceholderText(hint);
    field->setMinimumWidth(twipsToPixels(3600));
    return field;
}

} // namespace

SchoolServerDialog::SchoolServerDialog(SchoolServerSetup& setup, const RecordsDialogs& dialogs, qint64 pupil,
                                       const QString& pupilName, QWidget* parent)
    : QDialog(parent), setup_(setup), dialogs_(dialogs), pupil_(pupil)
{
    setObjectName(QStringLiteral("frmSchoolServer"));
    setWindowTitle(QStringLiteral("学校服务器"));
    setFont(designFont(FontFace::Songti, 11));
    auto* intro = new QLabel(QStringLiteral("%1 的每次测试记在本机后，也发送到学校服务器。").arg(pupilName), this);
    byService_ = new QRadioButton(QStringLiteral("服务名（pg_service.conf）"), this);
    byAddress_ = new QRadioButton(QStringLiteral("服务器地址"), this);
    service_ = makeField(this, "txtService", QStringLiteral("例如 school"));
    host_ = makeField(this, "txtHost", QStringLiteral("例如 db.school.example"));
    port_ = new QSpinBox(this);
    port_->setObjectName(QStringLiteral("txtPort"));
    port_->setRange(0, 65535);
    port_->setSpecialValueText(QStringLiteral("默认（5432）"));
    database_ = makeField(this, "txtDatabase", QStringLiteral("数据库"));
    user_ = makeField(this, "txtUser", QStringLiteral("登录名"));
    password_ = makeField(this, "txtPassword", QStringLiteral("只保存在本账户的 ~/.pgpass 里"));
    password_->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout;
    form->addRow(byService_, service_);
    form->addRow(byAddress_);
    form->addRow(QStringLiteral("主机："), host_);
    form->addRow(QStringLiteral("端口："), port_);
    form->addRow(QStringLiteral("数据库："), database_);
    form->addRow(QStringLiteral("用户名："), user_);
    form->addRow(QStringLiteral("密码："), password_);
    state_ = new QLabel(setup_.status(pupil_), this);
    state_->setObjectName(QStringLiteral("lblServerState"));
    state_->setWordWrap(true);

    try_ = makeButton(this, "cmdTryServer", QStringLiteral("测试连接"), 11);
    save_ = makeButton(this, "cmdSaveServer", QStringLiteral("保存"), 11);
    QPushButton* forget = makeButton(this, "cmdForgetServer", QStringLiteral("不再发送"), 11);
    QPushButton* cancel = makeButton(this, "cmdCancelServer", QStringLiteral("取消"), 11);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(try_);
    buttons->addStretch(1);
    buttons->addWidget(forget);
    buttons->addWidget(save_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(state_);
    layout->addLayout(buttons);

    const std::optional<SchoolServerChoice> current = setup_.choice(pupil_);
    forget->setEnabled(current.has_value());
    show(current.value_or(SchoolServerChoice{}));
    connect(byService_, &QRadioButton::toggled, this, [this] { show(chosen()); });
    connect(try_, &QPushButton::clicked, this, [this] { tryThen([](const QString&) {}); });
    connect(save_, &QPushButton::clicked, this, &SchoolServerDialog::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(forget, &QPushButton::clicked, this, [this] {
        setup_.forget(pupil_);
        accept();
    });
}

SchoolServerChoice SchoolServerDialog::chosen() const
{
    SchoolServerChoice choice;
    if (byService_->isChecked()) {
        choice.service = service_->text().trimmed();
        return choice;
    }
    choice.host = host_->text().trimmed();
    choice.port = port_->value();
    choice.database = database_->text().trimmed();
    choice.user = user_->text().trimmed();
    choice.password = password_->text();
    return choice;
}

void SchoolServerDialog::show(const SchoolServerChoice& choice)
{
    const bool service = !choice.service.isEmpty() || (choice.host.isEmpty() && !byAddress_->isChecked());
    byService_->setChecked(service);
    byAddress_->setChecked(!service);
    if (!choice.service.isEmpty())
        service_->setText(choice.service);
    if (!choice.host.isEmpty()) {
        host_->setText(choice.host);
        port_->setValue(choice.port);
        database_->setText(choice.database);
        user_->setText(choice.user);
    }
    service_->setEnabled(service);
    for (QWidget* field : {static_cast<QWidget*>(host_), static_cast<QWidget*>(port_), static_cast<QWidget*>(database_),
                           static_cast<QWidget*>(user_), static_cast<QWidget*>(password_)})
        field->setEnabled(!service);
}

void SchoolServerDialog::setBusy(bool busy)
{
    try_->setEnabled(!busy);
    save_->setEnabled(!busy);
    if (busy)
        state_->setText(QStringLiteral("正在连接学校服务器…"));
}

// The thread deletes itself when done; a dialog closed meanwhile is simply not told.
void SchoolServerDialog::tryThen(std::function<void(const QString&)> then)
{
    const SchoolServerChoice choice = chosen();
    if (choice.service.isEmpty() && (choice.host.isEmpty() || choice.database.isEmpty() || choice.user.isEmpty())) {
        state_->setText(QStringLiteral("请填写服务名，或者主机、数据库和用户名。"));
        return;
    }
    setBusy(true);
    auto failure = std::make_shared<QString>();
    SchoolServerSetup* setup = &setup_;
    QThread* worker = QThread::create([setup, choice, failure] { *failure = setup->tryConnection(choice); });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &QThread::finished, this, [this, failure, then = std::move(then)] {
        setBusy(false);
        state_->setText(failure->isEmpty() ? QStringLiteral("连接成功。") : *failure);
        emit tried(*failure);
        then(*failure);
    });
    worker->start();
}

void SchoolServerDialog::save()
{
    tryThen([this](const QString& failure) {
        if (!failure.isEmpty()
            && !dialogs_.confirm(this, QStringLiteral("学校服务器"),
                                 failure + QStringLiteral("\n仍然保存吗？测试先记在本机，能连上时再发送。")))
            return;
        const QString problem = setup_.keep(pupil_, chosen());
        if (!problem.isEmpty()) {
            state_->setText(problem);
            return;
        }
        accept();
    });
}

} // namespace zorvel::records
