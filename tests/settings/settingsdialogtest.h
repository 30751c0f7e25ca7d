#pragma once

#include "settings/settingsdialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

// Widget look-ups and user-like input for the settings dialog tests. The dialog names each
// field's widget after the field's store key.
namespace DialogTest {

template <typename T> T *child(const Settings &dlg, const char *name) {
    T *widget = dlg.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("settings dialog has no %s named %s", T::staticMetaObject.className(), name);
    return widget;
}

inline QSpinBox *spin(const Settings &dlg, const char *name) {
    return child<QSpinBox>(dlg, name);
}
inline QComboBox *combo(const Settings &dlg, const char *name) {
    return child<QComboBox>(dlg, name);
}
inline QLineEdit *edit(const Settings &dlg, const char *name) {
    return child<QLineEdit>(dlg, name);
}

// Moves a combo box to the item with `data` with the arrow keys, as a user would, so the
// combo emits activated() like it does for a real choice. Returns false when no item has it.
inline bool choose(QComboBox *box, int data) {
    const int target = box->findData(data);
    if (target < 0)
        return false;
    while (box->currentIndex() < target)
        QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > target)
        QTest::keyClick(box, Qt::Key_Up);
    return box->currentIndex() == target;
}

inline void click(const Settings &dlg, const char *buttonName) {
    child<QAbstractButton>(dlg, buttonName)->click();
}

} // namespace DialogTest
