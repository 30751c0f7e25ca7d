#include "dialogs/buildfacts.h"

#include "rdm/buildlabel.h"

#include <QtGlobal>

namespace BuildFacts {

// The build label reads "<platform> (<word size>)".
QString platform() {
    const QString label = bootSoftwareVersionLabel();
    return label.left(label.lastIndexOf(QStringLiteral(" (")));
}

QString wordSize() {
    return QStringLiteral("%1bit").arg(QT_POINTER_SIZE * 8);
}

QString buildDate() {
    return QStringLiteral(__DATE__);
}

QString toolkitVersion() {
    return QString::fromLatin1(qVersion());
}

// Built against Qt 6, so the running toolkit is a Qt 6, which distributions ship under the
// GNU LGPL version 3.
QString toolkitLicenceName() {
    return QStringLiteral("GNU LGPL v3");
}

QString toolkitLicenceUrl() {
    return QStringLiteral("https://www.gnu.org/licenses/lgpl-3.0.html");
}

} // namespace BuildFacts
