#include "platform/qt_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace kw::gui {

QtLanguage::~QtLanguage() {
    use(false);
}

bool QtLanguage::use(bool dutch) {
    if (dutch && !tried_) {
        tried_ = true;
        loaded_ =
            dutch_.load(QStringLiteral("qtbase_nl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    const bool wanted = dutch && loaded_;
    if (wanted != installed_) {
        installed_ = wanted ? QCoreApplication::installTranslator(&dutch_)
                            : !QCoreApplication::removeTranslator(&dutch_);
    }
    return wanted || !dutch;
}

}  // namespace kw::gui
