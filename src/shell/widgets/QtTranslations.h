#pragma once
// Qt's own texts (the buttons of the file, print and message dialogs, the
// standard context menus of the text fields) in Russian, like the rest of the
// viewer, whatever the user's locale: Qt's translations as the system installs
// them.  Where they are not installed the dialogs stay in English.
class QCoreApplication;
class QTranslator;

// Installs Qt's Russian translations on `app` (which owns them); null when
// they are not installed on this system.
QTranslator* InstallRussianQtTexts(QCoreApplication& app);
