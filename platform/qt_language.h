#pragma once

// Qt's own texts (file dialogs, standard buttons, the text boxes' menu) in the program's
// language, through Qt's translations.

namespace kw::gui {

class QtLanguage {
public:
    QtLanguage() = default;
    QtLanguage(const QtLanguage&) = delete;
    QtLanguage& operator=(const QtLanguage&) = delete;
    ~QtLanguage();

    // Dutch texts while dutch, Qt's own English otherwise. False when the Dutch
    // translations are not installed (Qt then speaks English).
    bool use(bool dutch);
    bool dutch() const { return installed_; }

private:
    bool installed_ = false;
};

}  // namespace kw::gui
