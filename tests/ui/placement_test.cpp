// Where the controls of the drill windows stand, in twips scaled to the
// screen: Form81 in full, the stacked operands of Form83, what the listening
// windows move, the width of every window; and the operand boxes' look.
#include "driver.h"

#include "listening_drill/listening_window.h"
#include "normal_drill/normal_window.h"
#include "normal_drill/screen_units.h"

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
        const QList<std::pair<const char*, QRect>> form81 = {
            {"Label7", {2160, 240, 8355, 855}}, {"Label9(0)", {3120, 1560, 6405, 2700}},
            {"Label3", {1920, 4920, 0, 0}}, {"Label9(1)", {3120, 4680, 6405, 2700}},
            {"Text1", {2040, 7800, 7485, 2700}}, {"Label9(10)", {9600, 8280, 1575, 1935}},
            {"Label4", {12360, 1905, 2535, 2340}}, {"Picture1", {9840, 1920, 2295, 2295}},
            {"Frame2", {120, 1440, 1700, 4215}}, {"Frame3", {120, 5880, 1700, 1695}},
            {"Command18", {240, 7920, 0, 0}}, {"Command2", {240, 9480, 0, 0}},
            {"Check1", {13800, 1440, 0, 0}}, {"Label5", {10680, 240, 0, 0}},
            {"Label6", {11955, 600, 0, 0}}, {"Label2", {12180, 240, 0, 0}},
            {"Label10", {13455, 600, 0, 0}}, {"Label11", {13680, 240, 0, 0}},
            {"Command13", {13080, 4680, 900, 1000}}, {"Command9", {12000, 5880, 900, 1000}},
            {"Command5", {10920, 7080, 900, 1000}}, {"Command4", {10920, 8280, 1935, 1000}},
            {"Command14", {13080, 8280, 0, 0}}, {"Command15", {14160, 4680, 900, 2200}},
            {"Command16", {14160, 7080, 900, 2200}}, {"Command3", {10920, 9480, 1935, 1000}},
            {"Command1", {13080, 9480, 2000, 1000}},
        };
        for (const auto& [name, twips] : form81)
            QTest::addRow("81 %s", name) << "Form81" << name << twips;
        QTest::newRow("83 first") << "Form83" << "Label9(0)" << QRect(3120, 1200, 0, 0);
        QTest::newRow("83 second") << "Form83" << "Label9(1)" << QRect(3120, 3480, 0, 0);
        QTest::newRow("83 third") << "Form83" << "Label9(2)" << QRect(3120, 5760, 0, 0);

        const QList<std::pair<const char*, QRect>> form91 = {
            {"Frame2", {120, 840, 1700, 5295}}, {"Frame3", {120, 6360, 1700, 2175}},
            {"Command2", {120, 8760, 1695, 571}}, {"Command18", {120, 9720, 1665, 800}},
            {"Check2", {10920, 3360, 1300, 375}}, {"Check1", {10920, 3960, 1300, 375}},
            {"Label5", {10680, 480, 0, 0}}, {"Label6", {11955, 840, 0, 0}},
            {"Option3", {-1, 480, 0, 0}}, {"Option4", {-1, 1005, 0, 0}}, {"Option14", {-1, 4680, 0, 0}},
            {"Option7", {-1, 480, 0, 0}}, {"Option8", {-1, 1005, 0, 0}}, {"Option9", {-1, 1560, 0, 0}},
            {"Label9(0)", {3120, 1560, 6405, 2700}}, {"Text1", {2040, 7800, 7485, 2700}},
        };
        for (const auto& [name, twips] : form91)
            QTest::addRow("91 %s", name) << "Form91" << name << twips;
        QTest::newRow("94 Check2") << "Form94" << "Check2" << QRect(10920, 3360, 1300, 375);
    }
    void controlPlaced()
    {
        QFETCH(QString, form);
        QFETCH(QString, control);
        QFETCH(QRect, twips);
        open(form);
        QWidget* widget = window->findChild<QWidget*>(control);
        QVERIFY(widget);
        const QRect want = twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
        if (twips.x() < 0)
            QCOMPARE(widget->y(), want.y());
        else if (twips.width() > 0)
            QCOMPARE(widget->geometry(), want);
        else
            QCOMPARE(widget->pos(), want.topLeft());
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
        QCOMPARE(border.red(), 0);
        QCOMPARE(border.green(), 0);
        QCOMPARE(border.blue(), 0);
        QCOMPARE(image.pixelColor(image.width() / 4, 4), QColor(Qt::white));
    }

    void windowWidth_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("twips");
        for (const char* form : {"Form81", "Form82", "Form83", "Form84", "Form91"})
            QTest::newRow(form) << QString(form) << 15210;
        for (const char* form : {"Form85", "Form92", "Form93", "Form94", "Form95"})
            QTest::newRow(form) << QString(form) << 15765;
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
