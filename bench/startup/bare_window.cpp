// The yardstick of the start-up comparison: an empty Qt Widgets window of a
// given size, nothing else. Usage: bare_window WIDTH HEIGHT
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.setFixedSize(argc > 2 ? QSize(atoi(argv[1]), atoi(argv[2])) : QSize(1021, 738));
    window.show();
    return app.exec();
}
