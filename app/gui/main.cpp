// kernwijs: the desktop program, the Calculator and the data sheet side by side.

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

#include "common/file_system.h"
#include "common/process_runner.h"
#include "platform/program.h"
#include "platform/qt_platform.h"
#include "platform/toroid_art.h"

namespace {

constexpr const char* kUsage =
    "Usage: kernwijs [FILE]\n"
    "AL value, inductance and Q of ferrite toroids from a resonance measurement: the\n"
    "Calculator, the toroid data sheet, identification of the core's material,\n"
    "network analyser sweeps, PostScript, PDF and printed pages.\n"
    "\n"
    "  FILE           a toroid data sheet (.tor) to open on the data sheet, or a\n"
    "                 network analyser's sweep (.s1p, .s2p) to open in the\n"
    "                 Calculator; a kernwijs already running opens it instead\n"
    "  -h, --help     show this help and end\n"
    "  -v, --version  show the version and end\n"
    "\n"
    "Qt's own options (-platform, -style, ...) are understood too. For scripts there\n"
    "is kernwijs-cli; see kernwijs(1) and kernwijs-cli(1).\n";

enum class Early { None, Help, Version };

// --help and --version answer on the terminal before any window, or a display, is needed.
Early earlyAnswer(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            break;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            return Early::Help;
        }
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            return Early::Version;
        }
    }
    return Early::None;
}

}  // namespace

int main(int argc, char** argv) {
    switch (earlyAnswer(argc, argv)) {
        case Early::Help:
            std::fputs(kUsage, stdout);
            return 0;
        case Early::Version:
            std::printf("kernwijs %s\n", KERNWIJS_VERSION);
            return 0;
        case Early::None:
            break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kernwijs"));
    QApplication::setOrganizationName(QStringLiteral("kernwijs"));
    QGuiApplication::setDesktopFileName(QStringLiteral("kernwijs"));
    QApplication::setWindowIcon(kw::gui::toroidIcon());
    // The program ends by End, or when neither of its two windows is left open; the help
    // window alone does not keep it running.
    QApplication::setQuitOnLastWindowClosed(false);

    // What is left after Qt took its own options: the files to open.
    QStringList files;
    bool onlyFiles = false;
    for (const QString& argument : QApplication::arguments().mid(1)) {
        if (!onlyFiles && argument == QStringLiteral("--")) {
            onlyFiles = true;
        } else if (!onlyFiles && argument.startsWith(QLatin1Char('-'))) {
            std::fprintf(stderr, "kernwijs: unknown option %s\nTry 'kernwijs --help'.\n",
                         argument.toLocal8Bit().constData());
            return 2;
        } else {
            files << QFileInfo(argument).absoluteFilePath();
        }
    }

    kw::gui::QtPlatform platform;
    platform.setFilesToHandOver(files);
    // A file for a program already running goes to it, without the "already running" box.
    if (!files.isEmpty() && platform.anotherInstanceRunning() && platform.handOverToRunningProgram()) {
        return 0;
    }
    kw::LocalFileSystem localFiles;
    kw::PosixProcesses processes;
    kw::gui::Program program(platform, localFiles, &processes);
    platform.onAnotherStart([&program](const QStringList& handedOver) {
        program.showAgain();
        program.openFiles(handedOver);
    });
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
    program.openFiles(files);
    return QApplication::exec();
}
