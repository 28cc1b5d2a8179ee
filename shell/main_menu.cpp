// Builds form1 from the menu table and handles its clicks.
#include "shell/main_menu.h"

#include "shell/click_label.h"
#include "shell/menu_table.h"
#include "shell/startup.h"
#include "window_fit/window_fit.h"

#include <QDir>
#include <QFontMetrics>
#include <QImageReader>
#include <QMessageBox>
#include <QPalette>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace zorvel {

namespace {

QString buttonStyleSheet(const QColor& fill)
{
    return QStringLiteral(
               "QPushButton { background-color: %1; border: 1px solid #707070; border-radius: 3px; }"
               "QPushButton:hover { border: 1px solid #0078d7; }"
               "QPushButton:pressed { background-color: %2; }"
               "QPushButton:focus { border: 2px solid #0078d7; }")
        .arg(fill.name(), fill.darker(115).name());
}

void placeLabel(QLabel* label, const MenuControl& row)
{
    label->setAlignment(row.centred ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colorFromBgr(row.bgrColour));
    label->setPalette(palette);
}

// One of our own PNG pictures. Naming the format keeps Qt from loading every
// image plugin to ask whether it knows the file.
QPixmap ownPicture(const QString& resource)
{
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QLabel* pictureLabel(QWidget* parent, TwipsLayout& layout, const char* name, const QString& accessibleName,
                     const QString& resource, const QRect& twips)
{
    auto* picture = new QLabel(parent);
    picture->setObjectName(QLatin1String(name));
    picture->setAccessibleName(accessibleName);
    picture->setPixmap(ownPicture(resource));
    picture->setScaledContents(true);
    layout.place(picture, twips);
    return picture;
}

} // namespace

MainMenu::MainMenu(DrillWindowFactory createDrillWindow, HelpPages helpPages, QWidget* parent)
    : QWidget(parent), createDrillWindow_(std::move(createDrillWindow)), helpPages_(std::move(helpPages)),
      layout_(this, menuWidthTwips, menuHeightTwips)
{
    setObjectName(QStringLiteral("form1"));
    buildControls();
    fitOnScreen(this, layout_.designSize(), nullptr);
    keepFrameOnScreen(this, layout_.designSize());
    setMinimumSize(smallestLegibleSize(layout_.designSize()).boundedTo(size()));
    layout_.fitToWindow();
}

namespace {

// One control of the menu's table, of its kind, with its caption.
QWidget* makeMenuControl(const MenuControl& row, QWidget* menu)
{
    switch (row.kind) {
    case MenuControlKind::Button: {
        auto* button = new QPushButton(row.caption, menu);
        button->setAutoDefault(false);
        return button;
    }
    case MenuControlKind::LinkLabel: {
        auto* label = new ClickLabel(row.caption, menu);
        label->setCursor(Qt::PointingHandCursor);
        placeLabel(label, row);
        return label;
    }
    case MenuControlKind::Label:
        break;
    }
    auto* label = new QLabel(row.caption, menu);
    placeLabel(label, row);
    return label;
}

} // namespace

void MainMenu::buildControls()
{
    for (const MenuControl& row : menuControls())
        addControl(row);

    pictureLabel(this, layout_, "Image1", QStringLiteral("Zorvel 标志"), QStringLiteral(":/images/logo.png"),
                 QRect(360, 240, 720, 720));
    pictureLabel(this, layout_, "picIcon", QStringLiteral("大脑图片"), QStringLiteral(":/images/head.png"),
                 QRect(2400, 3360, 4800, 4800));

    auto* line = new QWidget(this);
    line->setObjectName(QStringLiteral("Line1"));
    layout_.place(line, QRect(1320, 9360, 13560 - 1320 + 15, 15));
    QPalette linePalette = line->palette();
    linePalette.setColor(QPalette::Window, colorFromBgr(0x808080));
    line->setPalette(linePalette);
    line->setAutoFillBackground(true);

    for (const DrillButton& entry : drillButtons()) {
        auto* button = findChild<QPushButton*>(QLatin1String(entry.buttonName));
        const QString formName = QLatin1String(entry.formName);
        connect(button, &QPushButton::clicked, this, [this, formName] { openDrillWindow(formName); });
    }
    connect(findChild<QPushButton*>(QStringLiteral("Command0")), &QPushButton::clicked, this, &MainMenu::quitRequested);
    connect(findChild<QPushButton*>(QStringLiteral("cmdRecords")), &QPushButton::clicked, this, &MainMenu::openRecordsWindow);
    auto* classButton = findChild<QPushButton*>(QStringLiteral("cmdClass"));
    classButton->setAccessibleName(QStringLiteral("班级汇总"));
    connect(classButton, &QPushButton::clicked, this, &MainMenu::openClassWindow);
    setKeyboardOrder();

    // Asked for by a click: when no browser shows the page, the menu says where it is.
    connect(findChild<ClickLabel*>(QStringLiteral("Label1")), &ClickLabel::clicked, this,
            [this] { helpPages_.openHomePage(tellWherePageIs()); });
    connect(findChild<ClickLabel*>(QStringLiteral("Label3")), &ClickLabel::clicked, this,
            [this] { helpPages_.openProductPage(tellWherePageIs()); });
    connect(findChild<ClickLabel*>(QStringLiteral("lblPupil")), &ClickLabel::clicked, this, &MainMenu::choosePupil);
}

// The buttons first, column by column from the left, each from the top (a
// button added to the table takes its place by itself); then the links: the
// pupil, the two pages.
void MainMenu::setKeyboardOrder()
{
    std::vector<const MenuControl*> buttons;
    for (const MenuControl& row : menuControls())
        if (row.kind == MenuControlKind::Button)
            buttons.push_back(&row);
    std::stable_sort(buttons.begin(), buttons.end(), [](const MenuControl* a, const MenuControl* b) {
        return a->left != b->left ? a->left < b->left : a->top < b->top;
    });
    QList<QWidget*> order;
    for (const MenuControl* row : buttons)
        order.append(findChild<QWidget*>(QLatin1String(row->name)));
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    findChild<QWidget*>(QStringLiteral("Command1"))->setFocus();
    // Focusable labels cost Qt a layout of every label's text while the menu
    // is being shown: they become so, after the buttons, just after its first
    // paint.
    afterFirstPaint(*this, [this, last = order.back()] {
        QWidget* previous = last;
        for (const char* name : {"lblPupil", "Label3", "Label1"}) {
            auto* link = findChild<ClickLabel*>(QLatin1String(name));
            link->setFocusPolicy(Qt::StrongFocus);
            setTabOrder(previous, link);
            previous = link;
        }
    });
}

QWidget* MainMenu::addControl(const MenuControl& row)
{
    QWidget* control = makeMenuControl(row, this);
    control->setObjectName(QLatin1String(row.name));
    control->setToolTip(row.toolTip);
    layout_.setFont(control, designFont(row.face, row.pointSize, row.bold));
    layout_.place(control, QRect(row.left, row.top, row.width, row.height));
    return control;
}

void MainMenu::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layout_.fitToWindow();
    // Measuring the name loads its font: not before the first paint, when
    // the record is not open yet.
    if (currentPupilName_)
        showPupilName();
}

void MainMenu::setSlogans()
{
    findChild<QLabel*>(QStringLiteral("Label5"))->setText(sloganOne());
    findChild<QLabel*>(QStringLiteral("Label4"))->setText(sloganTwo());
    findChild<QLabel*>(QStringLiteral("Label6"))->setText(sloganThree());
}

void MainMenu::setButtonColours()
{
    for (const DrillButton& entry : drillButtons())
        findChild<QPushButton*>(QLatin1String(entry.buttonName))->setStyleSheet(buttonStyleSheet(colorFromBgr(entry.fillBgr)));
}

void MainMenu::openHomePage()
{
    helpPages_.openHomePage();
}

void MainMenu::openProductPage()
{
    helpPages_.openProductPage();
}

PageNotOpened MainMenu::tellWherePageIs()
{
    return [menu = QPointer<MainMenu>(this)](const QString& pagePath) {
        if (!menu)
            return;
        const QString text = pagePath.isEmpty()
            ? QStringLiteral("使用说明打不开：没能把它放到本机的临时文件夹里。")
            : QStringLiteral("没有找到可以打开网页的浏览器。\n使用说明在：\n%1\n可以用任何浏览器打开它。")
                  .arg(QDir::toNativeSeparators(pagePath));
        QMessageBox box(QMessageBox::Information, QStringLiteral("Zorvel 使用说明"), text, QMessageBox::NoButton, menu);
        box.setObjectName(QStringLiteral("msgHelpPage"));
        box.setTextInteractionFlags(Qt::TextSelectableByMouse);
        box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        box.exec();
    };
}

void MainMenu::openDrillWindow(const QString& formName)
{
    if (!createDrillWindow_)
        return;
    std::unique_ptr<QDialog> window = createDrillWindow_(formName);
    if (window)
        execModallyAbove(*window, this);
}

void MainMenu::setRecords(RecordsWindowFactory createRecordsWindow, std::function<QString()> currentPupilName,
                          std::function<void()> choosePupil)
{
    createRecordsWindow_ = std::move(createRecordsWindow);
    currentPupilName_ = std::move(currentPupilName);
    choosePupil_ = std::move(choosePupil);
    showPupilName();
}

void MainMenu::setClassWindow(RecordsWindowFactory createClassWindow)
{
    createClassWindow_ = std::move(createClassWindow);
}

void MainMenu::openClassWindow()
{
    if (!createClassWindow_)
        return;
    std::unique_ptr<QDialog> window = createClassWindow_();
    if (window)
        execModallyAbove(*window, this);
}

void MainMenu::choosePupil()
{
    if (!choosePupil_)
        return;
    choosePupil_();
    showPupilName();
}

void MainMenu::openRecordsWindow()
{
    if (!createRecordsWindow_)
        return;
    std::unique_ptr<QDialog> window = createRecordsWindow_();
    if (window)
        execModallyAbove(*window, this);
    // The pupil may have been changed, renamed or removed there.
    showPupilName();
}

void execModallyAbove(QDialog& window, QWidget* below)
{
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    if (below) {
        window.winId();
        window.windowHandle()->setTransientParent(below->windowHandle());
    }
    window.exec();
}

void MainMenu::showPupilName()
{
    auto* label = findChild<QLabel*>(QStringLiteral("lblPupil"));
    const QString name = currentPupilName_ ? currentPupilName_() : QString();
    const QString text = name.isEmpty() ? QString() : QStringLiteral("学生：") + name;
    label->setText(QFontMetrics(label->font()).elidedText(text, Qt::ElideRight, label->width()));
    label->setToolTip(text);
}

} // namespace zorvel
