// Renders each screen, as it looks when it has just been opened, to <name>.png in the folder
// given on the command line. Run with QT_QPA_PLATFORM=offscreen for 96 DPI output.

#include "application.h"
#include "screen_registry.h"
#include "screen_table.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    quorvex::configureApplication();
    if (argc != 2) {
        std::fputs("usage: quorvex_render_screens OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    quorvex::ScreenRegistry registry;
    int status = 0;
    for (const quorvex::ScreenDefinition& definition : quorvex::screenTable()) {
        if (!definition.create) {
            continue;
        }
        registry.show(definition.id);
        QWidget* window = registry.instance(definition.id)->window();
        const QString file = folder.filePath(window->objectName() + QStringLiteral(".png"));
        if (!window->grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            status = 1;
        }
        registry.unload(definition.id);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
