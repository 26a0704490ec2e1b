// The smallest Qt Widgets program with a window: what the start of zephlan is
// measured against.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Hello"));
    window.resize(560, 462);
    window.show();
    return QApplication::exec();
}
