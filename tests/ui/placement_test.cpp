// Where the controls of the drill windows stand, in twips scaled to the
// screen: a few controls of Form81, the stacked operands of Form83, what the
// listening windows move, the window widths; and the operand boxes' look.
#include "driver.h"

#include "listening_drill/listening_window.h"
#include "normal_drill/normal_window.h"
#include "design_units/screen_units.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

using namespace zorvel;
using namespace zorvel::testing;

class PlacementTest : public QObject, DrillFixture {
    Q_OBJECT

private:
    void open(const QString& form)
    {
        openWindow(form.startsWith("Form8") ? createNormalDrillWindow : createListeningDrillWindow, form);
    }

private slots:
    // A width of 0 checks the corner only, a left of -1 the top only.
    void controlPlaced_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("twips");
        // Form81: a full box, the wide 0 key, the tall 确定, corners elsewhere.
        const QList<std::tuple<const char*, const char*, QRect>> rows = {
            {"Form81", "Label9(0)", {3120, 1560, 6405, 2700}}, {"Form81", "Command4", {10920, 8280, 1935, 1000}},
            {"Form81", "Command16", {14160, 7080, 900, 2200}}, {"Form81", "Frame2", {120, 1440, 1700, 4215}},
            {"Form81", "Command18", {240, 7920, 0, 0}}, {"Form81", "Label11", {13680, 240, 0, 0}},
            // Three stacked operands in Form83.
            {"Form83", "Label9(0)", {3120, 1200, 0, 0}}, {"Form83", "Label9(2)", {3120, 5760, 0, 0}},
            // What the listening windows move; Form91 differs from the other four.
            {"Form91", "Frame2", {120, 840, 1700, 5295}}, {"Form91", "Command18", {120, 9720, 1665, 800}},
            {"Form91", "Check1", {10920, 3960, 1300, 375}}, {"Form91", "Label5", {10680, 480, 0, 0}},
            {"Form91", "Option4", {-1, 1005, 0, 0}}, {"Form91", "Option9", {-1, 1560, 0, 0}},
            {"Form94", "Check2", {10920, 3360, 1300, 375}},
        };
        for (const auto& [form, name, twips] : rows)
            QTest::addRow("%s %s", form, name) << form << name << twips;
    }
    void controlPlaced()
    {
        QFETCH(QString, form);
        QFETCH(QString, control);
        QFETCH(QRect, twips);
        open(form);
        QWidget* widget = window->findChild<QWidget*>(control);
        QVERIFY(widget);
        const QRect want = twipsRect(twips);
        if (twips.x() < 0)
            QCOMPARE(widget->y(), want.y());
        else if (twips.width() > 0)
            QCOMPARE(widget->geometry(), want);
        else
            QCOMPARE(widget->pos(), want.topLeft());
    }

    // The offscreen screen is smaller than the designed window: it opens
    // scaled down to fit; enlarged twice over, everything is twice as large.
    void windowFitsTheScreenAndScalesAsAWhole()
    {
        dialog = createNormalDrillWindow("Form85", fakes.services(), nullptr);
        const QSize design = twipsSize(15765, 10950);
        const QRect room = dialog->screen()->availableGeometry();
        QVERIFY(dialog->width() < design.width());
        QVERIFY(dialog->width() <= room.width() && dialog->height() <= room.height());
        const qreal scale = std::min(qreal(dialog->width()) / design.width(), qreal(dialog->height()) / design.height());
        QCOMPARE(dialog->findChild<QWidget*>("Command4")->size(), twipsRect(QRect(10920, 8280, 1935, 1000), scale).size());
        QCOMPARE(dialog->findChild<QWidget*>("Label9(0)")->font().pointSizeF(), 150 * scale);

        dialog->show();
        dialog->resize(design * 2);
        QCOMPARE(dialog->findChild<QWidget*>("Command16")->geometry(), twipsRect(QRect(14160, 7080, 900, 2200), 2));
        QCOMPARE(dialog->findChild<QWidget*>("Label7")->font().pointSizeF(), 84.0);
        QVERIFY(dialog->findChild<QLabel*>("Picture1")->pixmap().width() > 150);
        dialog->resize(design.width() * 2, design.height());
        QCOMPARE(dialog->findChild<QWidget*>("Label7")->font().pointSizeF(), 42.0);
        QCOMPARE(dialog->findChild<QWidget*>("Command2")->x(), design.width() / 2 + twipsToPixels(240));
    }

    // Reduced to its smallest, a window still shows every option and switch
    // caption whole, though their indicators keep their size.
    void captionsWholeAtTheSmallestSize_data()
    {
        QTest::addColumn<QString>("form");
        QTest::newRow("Form81") << "Form81";
        QTest::newRow("Form93") << "Form93";
    }
    void captionsWholeAtTheSmallestSize()
    {
        QFETCH(QString, form);
        open(form);
        dialog->show();
        dialog->resize(dialog->minimumSize());
        QVERIFY(dialog->width() < twipsToPixels(15210) * 2 / 3);
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            if (!qobject_cast<QRadioButton*>(button) && !qobject_cast<QCheckBox*>(button))
                continue;
            QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->objectName()));
        }
    }

    // The help page explains every switch the windows have, the record and
    // where it lives, the mistakes book and printing.
    void helpPageNamesEverySwitchAndTheRecord()
    {
        QFile page(":/help/index.html");
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString help = QString::fromUtf8(page.readAll());
        QStringList missing;
        for (const char* form : {"Form81", "Form82", "Form83", "Form84", "Form85", "Form91", "Form92", "Form93",
                                 "Form94", "Form95"}) {
            open(form);
            for (QCheckBox* check : dialog->findChildren<QCheckBox*>())
                if (!help.contains(check->text()) && !missing.contains(check->text()))
                    missing << check->text();
        }
        for (const char* topic : {"学习记录", "~/.local/share/zorvel/records.db", "错题本", "重练", "打印练习卷…",
                                  "打印错题卷", "保存为PDF", "学生：", "谁在练习？"})
            if (!help.contains(QString::fromUtf8(topic)))
                missing << QString::fromUtf8(topic);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
        QVERIFY(!help.contains(QStringLiteral("不保存任何个人信息")));
    }

    // The mark is drawn over the "0" key that reaches under it; a number too
    // wide for its label is drawn smaller, not narrower.
    void markOverTheKeypadAndDigitsUndistorted()
    {
        open("Form81");
        window->findChild<QLabel*>("Label9(10)")->setText("√");
        const QRect overlap = twipsRect(QRect(10920, 8280, 255, 1935));
        const QImage image = dialog->grab(overlap).toImage();
        int red = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                red += image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 80;
        QVERIFY(red > 0);

        auto inkHeight = [this](const QString& text) {
            auto* operand = window->findChild<QLabel*>("Label9(0)");
            operand->setText(text);
            const QImage shot = operand->grab().toImage();
            int top = shot.height(), bottom = 0;
            for (int y = 2; y < shot.height() - 2; ++y)
                for (int x = 2; x < shot.width() - 2; ++x)
                    if (qGray(shot.pixel(x, y)) < 128)
                        top = std::min(top, y), bottom = std::max(bottom, y);
            return bottom - top;
        };
        QVERIFY(inkHeight("88888888") < inkHeight("8888") * 3 / 4);
    }

    void operandBorderIsDarkWhateverTheDigits_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("operand");
        QTest::newRow("82 magenta subtrahend") << "Form82" << "Label9(1)";
        QTest::newRow("93 magenta third term") << "Form93" << "Label9(2)";
        QTest::newRow("84 black") << "Form84" << "Label9(0)";
    }
    void operandBorderIsDarkWhateverTheDigits()
    {
        QFETCH(QString, form);
        QFETCH(QString, operand);
        open(form);
        const QImage image = window->findChild<QWidget*>(operand)->grab().toImage();
        const QColor border = image.pixelColor(0, image.height() / 2);
        QCOMPARE(border.rgb() & 0xffffff, 0u);
        QCOMPARE(image.pixelColor(image.width() / 4, 4), QColor(Qt::white));
    }

    void windowWidth_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("twips");
        QTest::newRow("Form84") << "Form84" << 15210;
        QTest::newRow("Form85") << "Form85" << 15765;
        QTest::newRow("Form91") << "Form91" << 15210;
        QTest::newRow("Form92") << "Form92" << 15765;
    }
    void windowWidth()
    {
        QFETCH(QString, form);
        QFETCH(int, twips);
        open(form);
        QCOMPARE(dialog->size(), twipsSize(twips, 10950));
    }
};

QTEST_MAIN(PlacementTest)
#include "placement_test.moc"
