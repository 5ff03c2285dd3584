#include "platform/qt_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kw::gui {

namespace {

// Qt's Dutch texts, read once for the whole process; nullptr when they are not installed.
QTranslator* qtDutch() {
    static QTranslator* const translator = [] {
        auto* loaded = new QTranslator(QCoreApplication::instance());
        if (!loaded->load(QStringLiteral("qtbase_nl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete loaded;
            return static_cast<QTranslator*>(nullptr);
        }
        return loaded;
    }();
    return translator;
}

}  // namespace

QtLanguage::~QtLanguage() {
    use(false);
}

bool QtLanguage::use(bool dutch) {
    QTranslator* translator = dutch || installed_ ? qtDutch() : nullptr;
    const bool wanted = dutch && translator != nullptr;
    if (wanted != installed_) {
        installed_ = wanted ? QCoreApplication::installTranslator(translator)
                            : !QCoreApplication::removeTranslator(translator);
    }
    return wanted || !dutch;
}

}  // namespace kw::gui
