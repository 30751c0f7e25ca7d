#pragma once

#include <QSettings>
#include <QTemporaryDir>

// Points the per-user settings store at a temporary folder for the lifetime of the object,
// so no test ever reads or writes the user's own settings.
class TemporarySettingsStore {
public:
    TemporarySettingsStore() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};
