#include "DemoCommand.h"
#include "DemoOptions.h"
#include "DemoWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    // Without a display the demo runs headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("tarvello-demo");
    // As a real host does: the SDK sends it as "Client-Version" with its POSTs.
    QApplication::setApplicationVersion("1.0");

    const DemoOptions options = DemoOptions::parse(QApplication::arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n%s", qPrintable(options.error), qPrintable(DemoOptions::usage()));
        return 2;
    }
    if (!applyBackEndOptions(options)) {
        std::fprintf(stderr, "no certificate in the CA file %s\n", qPrintable(options.caFile));
        return 2;
    }

    DemoWindow window;
    if (options.apiKey)
        window.setApiKey(*options.apiKey);
    if (options.token)
        window.setToken(*options.token);
    if (!options.command.isEmpty())
        return runDemoCommand(options, &window);

    window.show();
    return QApplication::exec();
}
