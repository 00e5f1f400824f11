// Renders each screen to <name>.png in the folder given on the command line: the menu as it
// opens, each calculator solved for a typical example (400 V, 10 A, 30 degrees), without the
// keyboard focus. Run with QT_QPA_PLATFORM=offscreen for 96 DPI output.

#include "application.h"
#include "screen_table.h"
#include "widget_view.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <cstdio>

namespace {

// Types the example into whichever of the boxes the screen has, then presses "Solve".
void solveExample(const quorvex::Screen& screen)
{
    using quorvex::element;
    const std::pair<quorvex::ControlName, const char*> example[]{
        {"Txt_a", "400"}, {"Txt_b", "10"}, {element("Txt_c", 1), "30"}};
    bool typed = false;
    for (const auto& [name, text] : example) {
        if (auto* box = qobject_cast<QLineEdit*>(widgetOf(screen, name))) {
            box->setText(QString::fromLatin1(text));
            typed = true;
        }
    }
    if (auto* solve = qobject_cast<QPushButton*>(widgetOf(screen, "Command1")); solve && typed) {
        solve->click();
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    quorvex::configureApplication();
    quorvex::setApplicationIcon();
    if (argc != 2) {
        std::fputs("usage: quorvex_render_screens OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    quorvex::WidgetRegistry registry;
    int status = 0;
    for (const quorvex::ScreenId id : quorvex::kScreenTable) {
        registry.show(id);
        const quorvex::Screen& screen = *registry.instance(id);
        solveExample(screen);
        QWidget* window = windowOf(screen);
        // The pictures show the screens themselves, not where the keyboard focus will be.
        if (QWidget* focused = window->focusWidget()) {
            focused->clearFocus();
        }
        const QString file = folder.filePath(window->objectName() + QStringLiteral(".png"));
        if (!window->grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            status = 1;
        }
        registry.unload(id);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
