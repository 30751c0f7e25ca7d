#include "app/startupcountdown.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QProgressDialog>
#include <QThread>

#include <memory>

namespace {
QString timeoutText(int step, int seconds) {
    return QCoreApplication::translate("Tessaview", "Startup Timeout: %1 of %2 Seconds")
        .arg(step)
        .arg(seconds);
}
} // namespace

void startupCountdown(QWidget *parent, int seconds) {
    if (seconds <= 0)
        return;
    if (seconds <= 3) {
        QThread::msleep(1000ul * ulong(seconds));
        return;
    }

    QPixmap splash;
    const bool haveSplash = splash.load(QStringLiteral("splash.png"));

    auto dialog = std::make_unique<QProgressDialog>(
        QString(), QCoreApplication::translate("Tessaview", "Start Now"), 0, seconds, parent);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(0);
    auto *label = new QLabel(dialog.get());
    if (haveSplash)
        label->setPixmap(splash);
    else
        label->setText(timeoutText(0, seconds));
    dialog->setLabel(label);

    for (int i = 0; i < seconds; ++i) {
        if (dialog->wasCanceled())
            break;
        if (!haveSplash) {
            label->setText(timeoutText(i, seconds));
        } else {
            QPixmap step;
            if (step.load(QStringLiteral("splash%1.png").arg(i)))
                label->setPixmap(step);
        }
        // Setting the value lets the dialog process pending input, so "Start Now" is seen.
        dialog->setValue(i);
        QThread::msleep(1000);
    }
    dialog->setValue(seconds);
}
