#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "firmware/FirmwareMergeTool.h"

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return device::RunFirmwareMergeTool(QCoreApplication::arguments(), out, err);
}
