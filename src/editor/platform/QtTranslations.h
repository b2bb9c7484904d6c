#pragma once

class QCoreApplication;

// The program speaks Japanese in every locale, so Qt's own dialogs (file,
// colour, the buttons of a question) must as well, with their dates, sizes
// and file types.
namespace QtTranslations {

// Makes Japanese the program's locale, the system's as Qt tells it
// included, whatever the environment says; programs started from here still
// get the user's own environment. Before the application object is made.
void useJapaneseLocale();

// Installs Qt's Japanese texts into the application; false when they are
// not on this system (the dialogs then keep Qt's English).
bool installJapanese(QCoreApplication &application);

} // namespace QtTranslations
