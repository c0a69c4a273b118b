#pragma once

// Qt's own texts (standard buttons, file and print dialogs) in Russian, from the translations
// installed with Qt (on Debian the package qt6-translations-l10n), and the Russian locale for
// the sizes and dates Qt writes. Without them Qt speaks English; the program's own texts do
// not depend on them.

class QCoreApplication;

namespace kargolo {

// True when Qt's Russian translations were found and installed.
bool InstallQtTranslations(QCoreApplication& application);

}  // namespace kargolo
