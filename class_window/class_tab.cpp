// Reading on show, CSV through the records' writer, printing as HTML.
#include "class_window/class_tab.h"

#include "records/csv_export.h"

#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvel::classroom {

ClassTab::ClassTab(ClassData& data, const ClassServices& services, const QString& title, QWidget* parent)
    : QWidget(parent), data_(data), services_(services), title_(title)
{
    auto* layout = new QVBoxLayout(this);
    content_ = new QVBoxLayout;
    layout->addLayout(content_, 1);
    buttons_ = new QHBoxLayout;
    layout->addLayout(buttons_);
    buttons_->addStretch(1);
    auto* csv = new QPushButton(QStringLiteral("导出 CSV"), this);
    csv->setObjectName(QStringLiteral("cmdExportCsv"));
    auto* print = new QPushButton(QStringLiteral("打印"), this);
    print->setObjectName(QStringLiteral("cmdPrint"));
    buttons_->addWidget(csv);
    buttons_->addWidget(print);
    connect(csv, &QPushButton::clicked, this, &ClassTab::exportCsv);
    connect(print, &QPushButton::clicked, this, [this] {
        loadIfStale();
        services_.previewTable(this, QStringLiteral("班级汇总 ") + title_, printedHtml());
    });
}

void ClassTab::setRange(const DateRange& range, const QString& rangeText)
{
    range_ = range;
    rangeText_ = rangeText;
    stale_ = true;
    if (isVisible())
        loadIfStale();
}

void ClassTab::loadIfStale()
{
    if (!stale_)
        return;
    stale_ = false;
    load();
}

void ClassTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    loadIfStale();
}

void ClassTab::checkRead()
{
    if (!data_.problem().isEmpty())
        emit readFailed(data_.problem());
}

void ClassTab::exportCsv()
{
    loadIfStale();
    const QString suggested = QDir::home().filePath(
        QStringLiteral("班级汇总 %1 %2.csv").arg(title_, services_.records.today().toString(Qt::ISODate)));
    const QString path = services_.records.dialogs.chooseSaveFile(this, QStringLiteral("导出 CSV"), suggested);
    if (path.isEmpty())
        return;
    const QStringList header = csvHeader();
    const std::vector<QStringList> rows = csvRows();
    const QString error = records::saveFileAtomically(
        path, records::csvDocument(header, int(rows.size()), [&rows](int r, int c) { return rows[std::size_t(r)].value(c); }));
    services_.records.dialogs.tell(this, QStringLiteral("导出 CSV"),
                                   error.isEmpty() ? QStringLiteral("已保存到 %1。").arg(QDir::toNativeSeparators(path))
                                                   : QStringLiteral("没能保存到 %1：%2").arg(QDir::toNativeSeparators(path), error));
}

} // namespace zorvel::classroom
