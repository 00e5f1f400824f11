// The floor for the startup benchmark: the least a Qt 6 Widgets program can show, one window
// with one label and one button, built with the same compiler and options as Quorvex.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    QVBoxLayout layout(&window);
    QLabel label(QStringLiteral("Floor"));
    QPushButton button(QStringLiteral("Close"));
    layout.addWidget(&label);
    layout.addWidget(&button);
    QObject::connect(&button, &QPushButton::clicked, &window, &QWidget::close);
    window.show();
    return QApplication::exec();
}
