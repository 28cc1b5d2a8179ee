// The class window's frame: the top line, the tabs and the status line.
#include "class_window/class_window.h"

#include "class_window/fluency_class_tab.h"
#include "class_window/heat_map_tab.h"
#include "class_window/mistakes_class_tab.h"
#include "class_window/pupils_tab.h"
#include "class_window/table_printing.h"
#include "platform/private_files.h"
#include "window_fit/window_fit.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace zorvel::classroom {

namespace {

const QStringList kPeriods = {QStringLiteral("全部日期"), QStringLiteral("最近 7 天"), QStringLiteral("最近 30 天"),
                              QStringLiteral("本学期")};

QPushButton* topButton(QWidget* parent, const char* name, const QString& caption, const QString& tip)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tip);
    return button;
}

} // namespace

DateRange ClassWindow::periodRange(int period, const QDate& today)
{
    switch (period) {
    case 1:
        return {today.addDays(-6), today};
    case 2:
        return {today.addDays(-29), today};
    case 3: {
        // The autumn term from September (into January), the spring term from February.
        const int month = today.month();
        const QDate start = month >= 8 ? QDate(today.year(), 9, 1)
                            : month == 1 ? QDate(today.year() - 1, 9, 1)
                                         : QDate(today.year(), 2, 1);
        return {start, today};
    }
    default:
        return {};
    }
}

namespace {

constexpr int kFetchMs = 3000;

} // namespace

ClassWindow::ClassWindow(ClassData& data, ClassServices services, QWidget* parent)
    : QDialog(parent), data_(data), services_(std::move(services))
{
    setObjectName(QStringLiteral("ClassWindow"));
    setWindowTitle(QStringLiteral("班级汇总"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabClass"));
    classTabs_ = {new PupilsTab(data_, services_, tabs_), new HeatMapTab(data_, services_, tabs_),
                  new MistakesClassTab(data_, services_, tabs_), new FluencyClassTab(data_, services_, tabs_)};
    for (ClassTab* tab : classTabs_) {
        tabs_->addTab(tab, tab->title());
        connect(tab, &ClassTab::readFailed, this, [this](const QString& text) { status_->setText(text); });
    }
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lblStatus"));
    status_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildTopBar());
    layout->addWidget(tabs_, 1);
    layout->addWidget(status_);
    applyPeriod();
    refreshStatus();
    fitOnScreen(this, QSize(1240, 650), parent);
    // A class kept on a school server is fetched again every few seconds, so
    // that a test just sent from any machine shows without reopening.
    auto* fetch = new QTimer(this);
    fetch->setInterval(kFetchMs);
    connect(fetch, &QTimer::timeout, this, [this] {
        const QString before = data_.problem();
        const bool fresh = data_.refresh();
        if (fresh)
            applyPeriod();
        if (fresh || data_.problem() != before)
            refreshStatus();
    });
    fetch->start();
}

QWidget* ClassWindow::buildTopBar()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    auto* import = topButton(bar, "cmdImport", QStringLiteral("导入…"), QStringLiteral("导入学生交来的记录文件（可以选几个文件，或一个文件夹）"));
    auto* roster = topButton(bar, "cmdRoster", QStringLiteral("名单…"), QStringLiteral("读入班级名单：每行一个名字，可以有学号一列"));
    conflicts_ = topButton(bar, "cmdConflicts", QStringLiteral("冲突…"), QStringLiteral("内容和已导入的不一样的测验"));
    period_ = new QComboBox(bar);
    period_->setObjectName(QStringLiteral("cboPeriod"));
    period_->setAccessibleName(QStringLiteral("日期范围"));
    period_->addItems(kPeriods);
    row->addWidget(import);
    row->addWidget(roster);
    row->addWidget(conflicts_);
    row->addStretch(1);
    row->addWidget(new QLabel(QStringLiteral("日期："), bar));
    row->addWidget(period_);
    connect(import, &QPushButton::clicked, this, &ClassWindow::importFiles);
    connect(roster, &QPushButton::clicked, this, &ClassWindow::readRoster);
    connect(conflicts_, &QPushButton::clicked, this, &ClassWindow::showConflicts);
    connect(period_, &QComboBox::currentIndexChanged, this, &ClassWindow::applyPeriod);
    return bar;
}

void ClassWindow::applyPeriod()
{
    const QDate today = services_.records.today();
    const DateRange range = periodRange(period_->currentIndex(), today);
    QString text = period_->currentText();
    if (range.since)
        text += QStringLiteral("（%1 至 %2）").arg(range.since->toString(Qt::ISODate), range.until->toString(Qt::ISODate));
    text += QStringLiteral("　打印于 %1").arg(today.toString(Qt::ISODate));
    for (ClassTab* tab : classTabs_)
        tab->setRange(range, text);
}

void ClassWindow::refreshStatus()
{
    const std::size_t conflicts = data_.conflicts().size();
    conflicts_->setVisible(conflicts > 0);
    conflicts_->setText(QStringLiteral("冲突（%1）…").arg(conflicts));
    const std::size_t pupils = data_.classPupils().size();
    QString text = data_.problem();
    if (text.isEmpty())
        text = pupils == 0 ? QStringLiteral("班级记录“%1”里还没有学生：请点“导入…”，选学生交来的记录文件。")
                                 .arg(QDir::toNativeSeparators(data_.location()))
                           : QStringLiteral("班级记录“%1”：%2 个学生。").arg(QDir::toNativeSeparators(data_.location())).arg(pupils);
    status_->setText(text);
}

void ClassWindow::importFiles()
{
    const QStringList paths = services_.chooseImportFiles(this);
    if (paths.isEmpty())
        return;
    const std::vector<ImportResult> results = data_.importFiles(paths);
    QStringList lines;
    for (std::size_t i = 0; i < results.size(); ++i)
        lines << importLine(QFileInfo(paths[int(i)]).fileName(), results[i]);
    if (!data_.problem().isEmpty())
        lines << data_.problem();
    services_.records.dialogs.tell(this, QStringLiteral("导入"), lines.join(QLatin1Char('\n')));
    applyPeriod();
    refreshStatus();
}

void ClassWindow::readRoster()
{
    const QString path = services_.chooseRosterFile(this);
    if (path.isEmpty())
        return;
    const std::optional<QByteArray> bytes = readRegularFile(path);
    QString text = bytes ? data_.setRoster(*bytes) : QStringLiteral("读不了名单文件“%1”。").arg(QDir::toNativeSeparators(path));
    if (text.isEmpty()) {
        const RosterMatch match = data_.rosterMatch();
        text = QStringLiteral("名单已读入。");
        if (!match.pupilsNotOnList.isEmpty())
            text += QStringLiteral("\n名单上没有这些学生（他们的文件没有对上名单）：") + match.pupilsNotOnList.join(QStringLiteral("、"));
        if (!match.namesWithoutFile.isEmpty())
            text += QStringLiteral("\n还没有导入这些学生的文件：") + match.namesWithoutFile.join(QStringLiteral("、"));
    }
    services_.records.dialogs.tell(this, QStringLiteral("班级名单"), text);
    applyPeriod();
}

void ClassWindow::showConflicts()
{
    std::vector<QStringList> rows;
    for (const Conflict& conflict : data_.conflicts())
        rows.push_back({conflict.pupil, conflict.started.toString(QStringLiteral("yyyy-MM-dd HH:mm")), conflict.file,
                        conflict.noticed.toString(QStringLiteral("yyyy-MM-dd HH:mm"))});
    services_.previewTable(this, QStringLiteral("冲突的测验"),
                           tableHtml(QStringLiteral("冲突的测验"),
                                     QStringLiteral("这些测验以前已经导入，这次的文件里内容不一样；班级记录保留以前导入的内容，没有合并。"),
                                     {QStringLiteral("学生"), QStringLiteral("测验开始"), QStringLiteral("文件"),
                                      QStringLiteral("发现于")},
                                     rows));
}

std::unique_ptr<QDialog> createClassWindow(ClassData& data)
{
    return std::make_unique<ClassWindow>(data, defaultClassServices());
}

} // namespace zorvel::classroom
