// kernwijs: the desktop program, the Calculator and the data sheet side by side.

#include <QApplication>

#include "common/file_system.h"
#include "common/process_runner.h"
#include "platform/program.h"
#include "platform/qt_platform.h"
#include "platform/toroid_art.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kernwijs"));
    QGuiApplication::setDesktopFileName(QStringLiteral("kernwijs"));
    QApplication::setWindowIcon(kw::gui::toroidIcon());
    // The program ends by End, or when neither of its two windows is left open; the help
    // window alone does not keep it running.
    QApplication::setQuitOnLastWindowClosed(false);

    kw::gui::QtPlatform platform;
    kw::LocalFileSystem files;
    kw::PosixProcesses processes;
    kw::gui::Program program(platform, files, &processes);
    platform.onAnotherStart([&program] { program.showAgain(); });
    QObject::connect(
        &program, &kw::gui::Program::finished, &app,
        [&platform] {
            platform.closeHelp();
            QCoreApplication::quit();
        },
        Qt::QueuedConnection);
    if (!program.start()) {
        return 0;
    }
    return QApplication::exec();
}
