// The heat map and its printed form: four coloured HTML tables.
#include "class_window/heat_map_tab.h"

#include "common/window_texts.h"
#include "class_window/heat_grid.h"
#include "class_window/table_printing.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zorvel::classroom {

HeatMapTab::HeatMapTab(ClassData& data, const ClassServices& services, QWidget* parent)
    : ClassTab(data, services, QStringLiteral("口诀热图"), parent)
{
    auto* legend = new QLabel(QStringLiteral("每格的颜色是全班已掌握这个口诀的比例：红色没有人，黄色一半，绿色全班；"
                                             "灰色还没有人练过。指向一格或用方向键移到一格（PgUp/PgDn 换一组）看谁答错过。"),
                              this);
    legend->setWordWrap(true);
    grid_ = new HeatGrid(this);
    described_ = new QLabel(this);
    described_->setObjectName(QStringLiteral("lblCell"));
    described_->setWordWrap(true);
    content()->addWidget(legend);
    content()->addWidget(grid_, 1);
    content()->addWidget(described_);
    connect(grid_, &HeatGrid::cellDescribed, described_, &QLabel::setText);
}

void HeatMapTab::load()
{
    rows_ = data_.facts(range());
    classSize_ = int(data_.classPupils().size());
    grid_->showFacts(rows_, classSize_);
    described_->clear();
    checkRead();
}

QStringList HeatMapTab::csvHeader() const
{
    return kFactColumns;
}

std::vector<QStringList> HeatMapTab::csvRows() const
{
    std::vector<QStringList> rows;
    for (const FactSummary& row : rows_)
        rows.push_back(factFields(row));
    return rows;
}

QString HeatMapTab::printedHtml() const
{
    QString html = QStringLiteral("<h2>班级汇总：口诀热图</h2><p>%1　全班 %2 人；格中数字为已掌握的人数，颜色为比例"
                                  "（红：没有人，黄：一半，绿：全班，灰：没有人练过）。</p>")
                       .arg(rangeText().toHtmlEscaped()).arg(classSize_);
    // Two sets side by side, two rows of them: the four fit a landscape page.
    html += QStringLiteral("<table cellspacing=\"12\" width=\"100%\"><tr>");
    for (facts::FactSet set : facts::kAllSets) {
        if (set == facts::FactSet::Mul)
            html += QStringLiteral("</tr><tr>");
        html += QStringLiteral("<td><b>%1</b><table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" width=\"100%\" style=\"font-size: 7pt\"><tr><th></th>")
                    .arg(catalogueText(facts::setName(set)));
        for (int b = 1; b <= 9; ++b)
            html += QStringLiteral("<th>%1</th>").arg(b);
        html += QStringLiteral("</tr>");
        for (int a = 1; a <= 9; ++a) {
            html += QStringLiteral("<tr><th>%1</th>").arg(a);
            for (int b = 1; b <= 9; ++b) {
                const int fact = facts::Fact{set, a, b}.index();
                const std::optional<double> share = grid_->masteredShare(fact);
                const int mastered = int(std::lround(share.value_or(0) * classSize_));
                html += QStringLiteral("<td bgcolor=\"%1\" align=\"center\">%2</td>")
                            .arg(HeatGrid::shareColour(share).name(), share ? QString::number(mastered) : QString());
            }
            html += QStringLiteral("</tr>");
        }
        html += QStringLiteral("</table></td>");
    }
    return html + QStringLiteral("</tr></table>");
}

} // namespace zorvel::classroom
