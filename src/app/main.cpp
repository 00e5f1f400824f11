// Quorvex: starts on the main menu and runs until the last screen is unloaded.

#include "application.h"
#include "platform.h"
#include "screen_table.h"
#include "widget_view.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    if (!quorvex::platform::displayAvailable()) {
        return 1;
    }
    quorvex::platform::prepareApplication();
    quorvex::platform::DisplayOpening opening;
    QApplication application(argc, argv);
    opening.release();
    quorvex::configureApplication();

    int status = 0;
    {
        quorvex::WidgetRegistry registry;
        registry.show(quorvex::kScreenTable.front());
        QTimer::singleShot(0, &quorvex::setApplicationIcon);
        status = QApplication::exec();
    }
    // Windows unloaded in the last moments are deleted before the application object goes.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
