#pragma once
// The interface is Chinese; Qt's own dialogs and buttons (file dialogs, message boxes,
// "OK", "Cancel") speak it too once the toolkit's Chinese translations are installed.
class QCoreApplication;
class QTranslator;

namespace quarlo {

// Installs Qt's zh_CN translations (qtbase) from the toolkit's translation folder and
// makes Chinese the default locale. Returns the translator (owned by application), or
// null when the translations are missing (the package that holds them is not
// installed); the dialogs then stay in English.
QTranslator* InstallChineseQtTranslations(QCoreApplication& application);

}  // namespace quarlo
