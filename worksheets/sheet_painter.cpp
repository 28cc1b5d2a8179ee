// Measuring and painting a question sheet. Everything is placed in points
// inside the margins; Page turns a point rectangle into device units, and
// fonts are given in points, which the device converts at its resolution.
#include "worksheets/sheet_painter.h"

#include "design_units/screen_units.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <bitset>
#include <cmath>

namespace zorvel::sheets {

namespace {

constexpr qreal kMarginMm = 12;
constexpr qreal kPointsPerMm = 72.0 / 25.4;
constexpr qreal kQuestionPoints = 13;
constexpr qreal kLabelPoints = 11;  // near the question's size: one line to pdftotext
constexpr qreal kTitlePoints = 17;
constexpr qreal kHeaderPoints = 12;
constexpr qreal kFooterPoints = 9;
constexpr qreal kGridTop = 72;      // below the title and the header line
constexpr qreal kFooterHeight = 22;
constexpr qreal kRowHeight = 27;    // the least: two lines of print, room to write; 25 rows a page
constexpr qreal kGutter = 10;       // between columns
constexpr qreal kLabelGap = 4;      // between "12." and its question
constexpr int kListeningColumns = 5;
constexpr qreal kMaxFontScale = 1.6;  // a short sheet prints larger, up to 21 points
constexpr int kFewestRowsFilled = 3;  // fewer rows than this leave the page's foot free
constexpr qreal kReadablePoints = 12;  // the automatic layout prints no smaller
constexpr qreal kCompactKeyPoints = 9; // a compact key prints no smaller

// Widths in points: a font measured at 100 pixels, scaled to its point size.
class PointMetrics {
public:
    PointMetrics(bool heiti, qreal pointSize)
        : metrics_(pixelFont(heiti)), scale_(pointSize / 100.0) {}
    qreal width(const QString& text) const { return metrics_.horizontalAdvance(text) * scale_; }

private:
    static QFont pixelFont(bool heiti)
    {
        QFont font = sheetFont(heiti, 10);
        font.setPixelSize(100);
        return font;
    }
    QFontMetricsF metrics_;
    qreal scale_;
};

QString numberLabel(int n) { return QString::number(n) + QLatin1Char('.'); }

struct Widths {
    qreal label, question, answer;
};

// The widest label, question and answer of the sheet at full size.
Widths widestOf(const Worksheet& sheet)
{
    const PointMetrics label(true, kLabelPoints), question(true, kQuestionPoints);
    Widths widths{label.width(numberLabel(std::max<int>(1, int(sheet.questions.size())))), 0, 0};
    for (const SheetQuestion& q : sheet.questions) {
        widths.question = std::max(widths.question, question.width(questionText(q)));
        widths.answer = std::max(widths.answer, question.width(q.answer));
    }
    // Room to write at least three digits; a longer blank on a listening sheet,
    // which the questions share with the teacher's pages.
    const qreal minimum = question.width(sheet.listening ? QStringLiteral("000000") : QStringLiteral("0000"));
    widths.answer = std::max(widths.answer + question.width(QStringLiteral("0")), minimum);
    return widths;
}

// The most rows of questions a page of that content area holds.
int pageRowsOf(QSizeF content)
{
    return std::max(1, int((content.height() - kGridTop - kFooterHeight) / kRowHeight));
}

int pagesFor(std::size_t count, int perPage)
{
    return std::max(1, int((count + std::size_t(perPage) - 1) / std::size_t(perPage)));
}

} // namespace

QSizeF a4ContentSize()
{
    return QSizeF((210 - 2 * kMarginMm) * kPointsPerMm, (297 - 2 * kMarginMm) * kPointsPerMm);
}

int largestSheetPage()
{
    return kMaxColumns * pageRowsOf(a4ContentSize());
}

QFont sheetFont(bool heiti, qreal pointSize, bool bold)
{
    return printFont(heiti ? FontFace::Heiti : FontFace::Songti, pointSize, bold);
}

namespace {

// Without a choice: the columns that need the fewest pages with print of at
// least `smallest` points, and of those the fewest columns (the largest
// print); at least two for more than a question or two.
int automaticColumns(const Worksheet& sheet, qreal scaleAtOne, int pageRows, qreal smallest, int most)
{
    const int count = std::max(1, int(sheet.questions.size()));
    int best = 1;
    int bestPages = pagesFor(std::size_t(count), pageRows);
    for (int columns = 2; columns <= most; ++columns) {
        if (scaleAtOne / columns * kQuestionPoints < smallest)
            break;
        const int pages = pagesFor(std::size_t(count), columns * pageRows);
        if (pages < bestPages || (best == 1 && count >= 2)) {
            best = columns;
            bestPages = pages;
        }
    }
    return best;
}

} // namespace

SheetLayout layoutSheet(const Worksheet& sheet, QSizeF content)
{
    return layoutSheet(sheet, content, false);
}

SheetLayout layoutSheet(const Worksheet& sheet, QSizeF content, bool compactKey)
{
    SheetLayout layout;
    const Widths widest = widestOf(sheet);
    const qreal needed = widest.label + kLabelGap + widest.question + kLabelGap + widest.answer + kGutter;
    const qreal room = content.width() + kGutter;
    const qreal gridHeight = content.height() - kGridTop - kFooterHeight;
    const int pageRows = pageRowsOf(content);
    const int most = sheet.listening ? kListeningColumns : kMaxColumns;
    // A compact key: as many columns as 9-point print allows, rows of the
    // least height from the top, print no larger than usual.
    const int compactColumns = std::clamp(int(room / needed * kQuestionPoints / kCompactKeyPoints), 1, kMaxColumns);
    layout.columns = compactKey          ? compactColumns
                     : sheet.columns > 0 ? std::min(sheet.columns, kMaxColumns)
                                         : automaticColumns(sheet, room / needed, pageRows, kReadablePoints, most);
    // The rows of a one-page sheet share the page; longer sheets fill every
    // page but the last with rows of the least height.
    const int count = std::max(1, int(sheet.questions.size()));
    layout.rowsPerPage = std::min(pageRows, (count + layout.columns - 1) / layout.columns);
    layout.rowHeight = compactKey ? kRowHeight : gridHeight / std::max(layout.rowsPerPage, kFewestRowsFilled);
    layout.fontScale = std::min({room / layout.columns / needed, layout.rowHeight / kRowHeight,
                                 compactKey ? 1.0 : kMaxFontScale});
    layout.labelWidth = widest.label * layout.fontScale;
    layout.questionWidth = widest.question * layout.fontScale;
    layout.sheetPages = pagesFor(sheet.questions.size(), layout.perPage());
    layout.keyPages = !sheet.answerKey ? 0 : sheet.compactKey && !compactKey
                                                 ? layoutSheet(sheet, content, true).sheetPages
                                                 : layout.sheetPages;
    layout.copies = std::max(1, sheet.copies);
    return layout;
}

void prepareDevice(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter));
}

namespace {

// Every character painted, once each.
class DrawnCharacters {
public:
    void add(const QString& text)
    {
        for (QChar c : text)
            if (!seen_.test(c.unicode())) {
                seen_.set(c.unicode());
                characters_ += c;
            }
    }
    const QString& characters() const { return characters_; }

private:
    std::bitset<0x10000> seen_;
    QString characters_;
};

// One page being painted: point rectangles to device units, and text.
class Page {
public:
    Page(QPainter& painter, qreal unitsPerPoint, DrawnCharacters& drawn)
        : painter_(painter), k_(unitsPerPoint), drawn_(drawn) {}

    void text(const QRectF& points, int flags, const QString& line, const QFont& font,
              const QColor& colour = Qt::black)
    {
        drawn_.add(line);
        painter_.setFont(font);
        painter_.setPen(colour);
        painter_.drawText(device(points), flags | Qt::TextSingleLine, line);
    }
    // One run of text on a baseline: extracted from a PDF as it was written.
    void textAt(QPointF baseline, const QString& line, const QFont& font, const QColor& colour = Qt::black)
    {
        drawn_.add(line);
        painter_.setFont(font);
        painter_.setPen(colour);
        painter_.drawText(baseline * k_, line);
    }
    void line(QPointF from, QPointF to, const QColor& colour, qreal widthPoints)
    {
        painter_.setPen(QPen(colour, widthPoints * k_));
        painter_.drawLine(from * k_, to * k_);
    }

private:
    QRectF device(const QRectF& points) const
    {
        return QRectF(points.topLeft() * k_, points.size() * k_);
    }
    QPainter& painter_;
    qreal k_;
    DrawnCharacters& drawn_;
};

enum class PageKind { Questions, Blanks, Answers };

struct PagePlan {
    PageKind kind;
    int first;        // index of the first question on the page
    int number;       // page number, from 1
    int of;           // the pages it is numbered among
};

// A page's layout and the fonts it prints in.
struct PageStyle {
    explicit PageStyle(const SheetLayout& layout)
        : layout(layout), questionFont(sheetFont(true, kQuestionPoints * layout.fontScale)),
          labelFont(sheetFont(true, kLabelPoints * layout.fontScale)) {}
    SheetLayout layout;
    QFont questionFont;
    QFont labelFont;
};

class SheetPainter {
public:
    SheetPainter(const Worksheet& sheet, QPagedPaintDevice& device, QPainter& painter)
        : sheet_(sheet), painter_(painter),
          k_(device.logicalDpiX() / 72.0),
          content_(device.width() / k_, device.height() / k_),
          style_(layoutSheet(sheet, content_)),
          keyStyle_(sheet.compactKey ? layoutSheet(sheet, content_, true) : style_.layout),
          current_(&style_) {}

    void paint(QPagedPaintDevice& device);
    const QString& drawnCharacters() const { return drawn_.characters(); }

private:
    void paintPage(const PagePlan& plan);
    void paintHeading(Page& page, PageKind kind);
    void paintCell(Page& page, PageKind kind, int index, QRectF cell);
    void paintFooter(Page& page, const PagePlan& plan);
    void paintColumnRules(Page& page, qreal cellWidth, int rows);
    // The print's own line height: taller rows leave room below the question.
    qreal lineHeight() const { return kRowHeight * current_->layout.fontScale; }
    bool tallRows() const { return current_->layout.rowHeight > 2 * lineHeight(); }

    const Worksheet& sheet_;
    const PointMetrics labelMetrics_{true, kLabelPoints};
    const PointMetrics questionMetrics_{true, kQuestionPoints};
    QPainter& painter_;
    qreal k_;
    QSizeF content_;
    PageStyle style_;             // the pupils' pages
    PageStyle keyStyle_;          // the answer pages
    const PageStyle* current_;    // the page being painted
    DrawnCharacters drawn_;
};

// The pupils' pages, once for each copy, then the key once. With copies
// each copy numbers its own pages, and the key its own.
void SheetPainter::paint(QPagedPaintDevice& device)
{
    const SheetLayout& layout = style_.layout;
    const PageKind first = sheet_.listening ? PageKind::Blanks : PageKind::Questions;
    const bool ownNumbers = layout.copies > 1;
    const int total = ownNumbers ? layout.sheetPages : layout.pageCount();
    int number = 1;
    for (int copy = 0; copy < layout.copies; ++copy) {
        for (int p = 0; p < layout.sheetPages; ++p, ++number) {
            if (number > 1)
                device.newPage();
            paintPage({first, p * layout.perPage(), ownNumbers ? p + 1 : number, total});
        }
    }
    for (int p = 0; p < layout.keyPages; ++p, ++number) {
        device.newPage();
        paintPage({PageKind::Answers, p * keyStyle_.layout.perPage(), ownNumbers ? p + 1 : number,
                   ownNumbers ? layout.keyPages : total});
    }
}

void SheetPainter::paintPage(const PagePlan& plan)
{
    current_ = plan.kind == PageKind::Answers ? &keyStyle_ : &style_;
    const SheetLayout& layout = current_->layout;
    Page page(painter_, k_, drawn_);
    paintHeading(page, plan.kind);
    const qreal cellWidth = (content_.width() + kGutter) / layout.columns;
    const qreal rowHeight = layout.rowHeight;
    const int end = std::min<int>(int(sheet_.questions.size()), plan.first + layout.perPage());
    for (int i = plan.first; i < end; ++i) {
        const int row = (i - plan.first) / layout.columns, column = (i - plan.first) % layout.columns;
        paintCell(page, plan.kind, i, QRectF(column * cellWidth, kGridTop + row * rowHeight,
                                             cellWidth - kGutter, rowHeight));
        // A faint rule every five rows helps to keep one's place; rows with
        // room to work a question out are each ruled off.
        const bool ruled = tallRows() || row % 5 == 4;
        if (column == 0 && ruled && i + layout.columns < end)
            page.line({0, kGridTop + (row + 1) * rowHeight}, {content_.width(), kGridTop + (row + 1) * rowHeight},
                      QColor(200, 200, 200), 0.4);
    }
    if (tallRows())
        paintColumnRules(page, cellWidth, (end - plan.first + layout.columns - 1) / layout.columns);
    paintFooter(page, plan);
}

void SheetPainter::paintHeading(Page& page, PageKind kind)
{
    QString title = sheet_.title;
    if (kind == PageKind::Answers)
        title += sheet_.listening ? QStringLiteral(" 题目与答案") : QStringLiteral(" 答案");
    if (sheet_.note.isEmpty()) {
        page.text(QRectF(0, 0, content_.width(), 28), Qt::AlignHCenter | Qt::AlignVCenter, title,
                  sheetFont(true, kTitlePoints, true));
    } else {
        // A timed test's limit and pass line under a slightly smaller title.
        page.text(QRectF(0, 0, content_.width(), 20), Qt::AlignHCenter | Qt::AlignVCenter, title,
                  sheetFont(true, kTitlePoints - 2, true));
        page.text(QRectF(0, 20, content_.width(), 13), Qt::AlignHCenter | Qt::AlignVCenter, sheet_.note,
                  sheetFont(false, kFooterPoints));
    }
    if (kind != PageKind::Answers) {
        const QStringList fields{QStringLiteral("姓名"), QStringLiteral("日期"), QStringLiteral("用时"),
                                 QStringLiteral("得分")};
        const qreal width = content_.width() / fields.size();
        for (int i = 0; i < fields.size(); ++i)
            page.text(QRectF(i * width, 34, width, 22), Qt::AlignLeft | Qt::AlignVCenter,
                      fields[i] + QStringLiteral(" __________"), sheetFont(false, kHeaderPoints));
    }
    page.line({0, 62}, {content_.width(), 62}, Qt::black, 0.8);
}

void SheetPainter::paintCell(Page& page, PageKind kind, int index, QRectF cell)
{
    const SheetQuestion& question = sheet_.questions[std::size_t(index)];
    const SheetLayout& layout = current_->layout;
    const qreal scale = layout.fontScale;
    // Number, question and answer share one baseline, so that text extraction
    // reads a cell as one line: "12. 47 + 8 = 55". A tall cell keeps its
    // question at the top and the room below for working.
    const qreal baseline = cell.top() + (tallRows() ? 0.95 * lineHeight() : 0.5 * cell.height() + 0.2 * lineHeight());
    const QString label = numberLabel(index + 1);
    page.textAt({cell.left() + layout.labelWidth - labelMetrics_.width(label) * scale, baseline}, label,
                current_->labelFont, QColor(90, 90, 90));
    qreal answerLeft = cell.left() + layout.labelWidth + kLabelGap * scale;
    if (kind != PageKind::Blanks) {
        // Right-aligned, so that the "=" of a column stand one under another.
        const QString text = questionText(question);
        answerLeft += layout.questionWidth;
        page.textAt({answerLeft - questionMetrics_.width(text) * scale, baseline}, text, current_->questionFont);
        answerLeft += kLabelGap * scale;
    }
    if (kind == PageKind::Answers)
        page.textAt({answerLeft + questionMetrics_.width(QStringLiteral(" ")) * scale, baseline}, question.answer,
                    current_->questionFont, QColor(176, 0, 0));
    else
        page.line({answerLeft, baseline + 2}, {cell.right(), baseline + 2}, QColor(150, 150, 150), 0.5);
}

void SheetPainter::paintColumnRules(Page& page, qreal cellWidth, int rows)
{
    for (int column = 1; column < current_->layout.columns; ++column) {
        const qreal x = column * cellWidth - kGutter / 2;
        page.line({x, kGridTop}, {x, kGridTop + rows * current_->layout.rowHeight}, QColor(200, 200, 200), 0.4);
    }
}

// The page number in the middle; the seed, in small print at the right,
// makes the same test again.
void SheetPainter::paintFooter(Page& page, const PagePlan& plan)
{
    const QRectF foot(0, content_.height() - kFooterHeight + 6, content_.width(), kFooterHeight - 6);
    page.text(foot, Qt::AlignHCenter | Qt::AlignBottom,
              QStringLiteral("第 %1 页 共 %2 页").arg(plan.number).arg(plan.of),
              sheetFont(false, kFooterPoints), QColor(90, 90, 90));
    if (sheet_.seed)
        page.text(foot, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("种子 %1").arg(*sheet_.seed),
                  sheetFont(false, kFooterPoints - 2), QColor(120, 120, 120));
}

} // namespace

QList<QFont> sheetFaces()
{
    return {sheetFont(true, kQuestionPoints), sheetFont(true, kTitlePoints, true), sheetFont(false, kHeaderPoints)};
}

bool paintSheet(const Worksheet& sheet, QPagedPaintDevice& device, QString* drawn)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    SheetPainter painterOfSheet(sheet, device, painter);
    painterOfSheet.paint(device);
    if (drawn)
        *drawn = painterOfSheet.drawnCharacters();
    return painter.end();
}

} // namespace zorvel::sheets
