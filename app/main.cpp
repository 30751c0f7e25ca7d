#include "app/tessaview.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    Tessaview window(QCoreApplication::arguments());
    window.show();
    return application.exec();
}
