#pragma once

class QCoreApplication;

namespace tarvex {

// Every text of the program is Chinese, so Qt's own texts (the message box's button, the text
// boxes' context menu) are too, whatever the locale: loads Qt's Simplified Chinese translation
// where it is installed (Debian's qt6-translations-l10n). Without it Qt's texts stay English,
// and nothing is said.
void installQtTranslations(QCoreApplication &application);

} // namespace tarvex
