// Windows fitted to the screen's free area: the factor, the frame's place on
// the two school-laptop screens and at the designed size, a real window on
// the offscreen screen, and fonts scaled from their first sizes.
#include "window_fit/window_fit.h"

#include <QLabel>
#include <QScreen>
#include <QtTest>

using namespace zorvel;

class WindowFitTest : public QObject {
    Q_OBJECT
private slots:
    void frameInsideTheFreeArea_data()
    {
        QTest::addColumn<QSize>("design");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<qreal>("scale");
        // 1366 × 768 with a 48 px panel below and a window manager's frame.
        QTest::newRow("menu, panel") << QSize(1021, 738) << QMargins(1, 20, 1, 6) << QRect(0, 0, 1366, 720)
                                     << qreal(694) / 738;
        QTest::newRow("drill, panel") << QSize(1051, 730) << QMargins(1, 20, 1, 6) << QRect(0, 0, 1366, 720)
                                      << qreal(694) / 730;
        // 1280 × 680 without a window manager: no frame at all.
        QTest::newRow("menu, bare") << QSize(1021, 738) << QMargins() << QRect(0, 0, 1280, 680) << qreal(680) / 738;
        // A panel on the left moves the area; narrow screens limit the width.
        QTest::newRow("left panel") << QSize(1014, 730) << QMargins(2, 30, 2, 2) << QRect(60, 0, 900, 768)
                                    << qreal(896) / 1014;
        // Room enough: the designed size.
        QTest::newRow("large screen") << QSize(1021, 738) << QMargins(1, 20, 1, 6) << QRect(0, 0, 1920, 1040)
                                      << qreal(1);
    }
    void frameInsideTheFreeArea()
    {
        QFETCH(QSize, design);
        QFETCH(QMargins, frame);
        QFETCH(QRect, area);
        QFETCH(qreal, scale);
        QCOMPARE(scaleToFit(design, frame, area), scale);
        const QSize client = (QSizeF(design) * scale).toSize();
        // Centred on the middle of the area and on a corner far off it.
        for (const QPoint& centre : {area.center(), QPoint(-500, 5000)}) {
            const QPoint corner = framePosition(client, frame, area, centre);
            const QRect outer(corner, client.grownBy(frame));
            QVERIFY2(area.contains(outer), qPrintable(QStringLiteral("%1,%2 %3×%4").arg(outer.x()).arg(outer.y())
                                                          .arg(outer.width()).arg(outer.height())));
        }
        if (scale == 1) {
            const QPoint middle = framePosition(client, frame, area, area.center());
            QVERIFY((QRect(middle, client.grownBy(frame)).center() - area.center()).manhattanLength() <= 1);
        }
    }

    // Larger than the area even so: its top-left corner, title bar first, stays on it.
    void windowLargerThanTheAreaKeepsItsTitleBar()
    {
        const QRect area(0, 0, 800, 552);
        QCOMPARE(framePosition(QSize(900, 700), QMargins(1, 20, 1, 6), area, QPoint(400, 0)), QPoint(0, 0));
    }

    void realWindowOnTheOffscreenScreen()
    {
        QWidget window;
        const QRect area = window.screen()->availableGeometry();
        const qreal scale = fitOnScreen(&window, QSize(1021, 738), nullptr);
        QVERIFY(scale < 1);
        QVERIFY(window.height() < area.height());
        QVERIFY(area.contains(window.frameGeometry()));
        QCOMPARE(window.width(), qRound(1021 * scale));

        QWidget small;
        QCOMPARE(fitOnScreen(&small, QSize(300, 200), &window), 1.0);
        QCOMPARE(small.size(), QSize(300, 200));
    }

    // Shown too large for the screen, the first window is made smaller and
    // moved once its frame is known, until its frame lies on the free area.
    void firstWindowMadeRoomForItsFrame()
    {
        QWidget window;
        const QRect area = window.screen()->availableGeometry();
        const QSize design(area.width() + 200, area.height() + 100);
        window.resize(design);
        window.move(area.topLeft());
        keepFrameOnScreen(&window, design);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(area.contains(window.frameGeometry()));
        QVERIFY(window.width() < design.width());
    }

    void fontsScaleFromTheirFirstSizes()
    {
        QWidget window;
        auto* own = new QLabel(QStringLiteral("学生"), &window);
        QFont font = own->font();
        font.setPointSizeF(12);
        own->setFont(font);
        auto* inherited = new QLabel(QStringLiteral("成绩"), &window);
        const qreal windowPoints = window.font().pointSizeF();
        scaleFonts(&window, 0.5);
        scaleFonts(&window, 0.75);
        QCOMPARE(own->font().pointSizeF(), 9.0);
        QCOMPARE(window.font().pointSizeF(), windowPoints * 0.75);
        QCOMPARE(inherited->font().pointSizeF(), windowPoints * 0.75);
        scaleFonts(&window, 1);
        QCOMPARE(own->font().pointSizeF(), 12.0);
    }
};

QTEST_MAIN(WindowFitTest)
#include "window_fit_test.moc"
