#pragma once

class QCoreApplication;

// The program speaks Japanese in every locale, so Qt's own dialogs (file,
// colour, the buttons of a question) must as well.
namespace QtTranslations {

// Installs Qt's Japanese texts into the application; false when they are
// not on this system (the dialogs then keep Qt's English).
bool installJapanese(QCoreApplication &application);

} // namespace QtTranslations
