#pragma once

#include "settings/settingsrecord.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <memory>

class QCoreApplication;
class QTranslator;

// The translation switch: installs one "tessaview_" translation at a time in the application.
// Without an owner nothing is ever installed, so the program stays in English.
class LanguageLoader {
public:
    // `systemLocale` decides what code 0 (and every code without a file of its own) installs.
    explicit LanguageLoader(QCoreApplication *owner,
                            const QLocale &systemLocale = QLocale::system());
    ~LanguageLoader();
    LanguageLoader(const LanguageLoader &) = delete;
    LanguageLoader &operator=(const LanguageLoader &) = delete;

    // Switches the application's translation and returns the code now in effect. Asking for
    // the code already in effect reloads nothing.
    quint16 install(quint16 uiLanguage);
    // Removes and deletes the installed translation; the code in effect becomes 0.
    void remove();

    quint16 current() const { return m_uiCurrent; }
    // Whether a translation file is loaded and installed at the moment.
    bool isTranslationInstalled() const { return m_bInstalled; }
    // The file the installed translation came from, empty without one.
    QString installedFile() const;

    // The folders searched for translation files, in order (see languageloader.cpp).
    static QStringList searchDirectories();

private:
    quint16 load(quint16 uiLanguage);
    bool loadAndInstall(const QString &baseName);

    QCoreApplication *m_pOwner = nullptr;
    QLocale m_systemLocale;
    std::unique_ptr<QTranslator> m_pTranslator;
    quint16 m_uiCurrent = 0;
    bool m_bInstalled = false;
};
