#include "rdm/buildlabel.h"

#include <QSysInfo>

namespace {
// The platform the program was built for, not the one it happens to run on.
QString buildPlatform() {
#if defined(Q_OS_LINUX)
    return QStringLiteral("Linux");
#elif defined(Q_OS_WIN)
    return QStringLiteral("Win");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("macOS");
#elif defined(Q_OS_FREEBSD)
    return QStringLiteral("FreeBSD");
#else
    return QSysInfo::kernelType();
#endif
}
} // namespace

QString bootSoftwareVersionLabel() {
    return QStringLiteral("%1 (%2)").arg(buildPlatform(),
                                         QStringLiteral("%1bit").arg(QT_POINTER_SIZE * 8));
}
