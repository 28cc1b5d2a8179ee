// What every tab of the class window shares: it reads its table for the
// window's date range when it is first shown after the range or the class
// changed, and its buttons "导出 CSV" (the table as zorvel-class prints it)
// and "打印" (the table on paper).
#pragma once

#include "class_record/class_data.h"
#include "class_window/class_services.h"

#include <QWidget>

QT_BEGIN_NAMESPACE
class QHBoxLayout;
class QVBoxLayout;
QT_END_NAMESPACE

namespace zorvel::classroom {

class ClassTab : public QWidget {
    Q_OBJECT
public:
    ClassTab(ClassData& data, const ClassServices& services, const QString& title, QWidget* parent = nullptr);

    // The range to show (rangeText: how the printed page names it); read anew when shown.
    void setRange(const DateRange& range, const QString& rangeText);
    // Reads now if the range or the class changed since the last read.
    void loadIfStale();
    const QString& title() const { return title_; }

signals:
    // A read failed (text: why); the tab shows nothing.
    void readFailed(const QString& text);

protected:
    virtual void load() = 0;
    virtual QStringList csvHeader() const = 0;
    virtual std::vector<QStringList> csvRows() const = 0;
    virtual QString printedHtml() const = 0;

    void showEvent(QShowEvent* event) override;
    // Says a failed read, if the latest read failed.
    void checkRead();
    // The tab's content goes here; its buttons below it.
    QVBoxLayout* content() const { return content_; }
    QHBoxLayout* buttons() const { return buttons_; }
    const DateRange& range() const { return range_; }
    const QString& rangeText() const { return rangeText_; }

    ClassData& data_;
    const ClassServices& services_;

private:
    void exportCsv();

    QString title_;
    DateRange range_;
    QString rangeText_;
    bool stale_ = true;
    QVBoxLayout* content_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
};

} // namespace zorvel::classroom
