#include "app/languageloader.h"

#include "buildinfo.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QTranslator>

namespace {
const QString filePrefix = QStringLiteral("tessaview_");
} // namespace

LanguageLoader::LanguageLoader(QCoreApplication *owner, const QLocale &systemLocale)
    : m_pOwner(owner), m_systemLocale(systemLocale) {}

LanguageLoader::~LanguageLoader() {
    remove();
}

// On Linux the executable's folder holds no data, so the translations live in folders of
// their own. Searched in this order, the first file found wins:
//  1. "translations" beside the executable: a self-contained copy of the program (the build
//     puts the compiled files there for the program itself);
//  2. the build tree's translation folder, but only for programs that run from inside the
//     build tree (the tests), so an installed program never picks up a stale build;
//  3. share/tessaview/translations next to the executable's bin folder: an installed copy
//     wherever its prefix ended up ("cmake --install --prefix", a package);
//  4. the data folder of the prefix the build was configured for.
// The file named after the system locale is searched in the same folders.
QStringList LanguageLoader::searchDirectories() {
    QStringList dirs;
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty())
        dirs << exeDir + QStringLiteral("/translations");
    const QString buildTree = QStringLiteral(TESSAVIEW_BUILD_TREE);
    if (!exeDir.isEmpty() &&
        QDir::cleanPath(exeDir).startsWith(QDir::cleanPath(buildTree) + QLatin1Char('/')))
        dirs << QStringLiteral(TESSAVIEW_BUILD_TRANSLATIONS);
    if (!exeDir.isEmpty())
        dirs << QDir::cleanPath(exeDir + QStringLiteral("/../share/tessaview/translations"));
    dirs << QString::fromUtf8(BuildInfo::installDataDir) + QStringLiteral("/translations");
    dirs.removeDuplicates();
    return dirs;
}

quint16 LanguageLoader::install(quint16 uiLanguage) {
    if (uiLanguage != 0 && uiLanguage == m_uiCurrent)
        return m_uiCurrent;
    remove();
    m_uiCurrent = load(uiLanguage);
    return m_uiCurrent;
}

void LanguageLoader::remove() {
    if (m_pOwner && m_pTranslator && m_bInstalled)
        QCoreApplication::removeTranslator(m_pTranslator.get());
    m_pTranslator.reset();
    m_bInstalled = false;
    m_uiCurrent = 0;
}

QString LanguageLoader::installedFile() const {
    return m_bInstalled ? m_pTranslator->filePath() : QString();
}

bool LanguageLoader::loadAndInstall(const QString &baseName) {
    // QTranslator::load also tries the name with ".qm" and shortened at its last "_" step by
    // step, so "tessaview_de_DE" finds "tessaview_de.qm".
    for (const QString &dir : searchDirectories()) {
        if (m_pTranslator->load(baseName, dir)) {
            m_bInstalled = QCoreApplication::installTranslator(m_pTranslator.get());
            qDebug() << "translation" << m_pTranslator->filePath();
            return m_bInstalled;
        }
    }
    qDebug() << "no translation" << baseName << "in" << searchDirectories();
    return false;
}

quint16 LanguageLoader::load(quint16 uiLanguage) {
    if (!m_pOwner)
        return 0;
    if (!m_pTranslator)
        m_pTranslator = std::make_unique<QTranslator>();

    // A missing file leaves the source texts (English) but still reports the code asked for.
    if (uiLanguage == LanguageCode::German) {
        loadAndInstall(filePrefix + QStringLiteral("de"));
        return LanguageCode::German;
    }
    if (uiLanguage == LanguageCode::English) {
        loadAndInstall(filePrefix + QStringLiteral("en"));
        return LanguageCode::English;
    }
    loadAndInstall(filePrefix + m_systemLocale.name());
    const QString bcp47 = m_systemLocale.bcp47Name();
    if (bcp47 == QLatin1String("en"))
        return LanguageCode::English;
    if (bcp47 == QLatin1String("de"))
        return LanguageCode::German;
    return 0;
}
