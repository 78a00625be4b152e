#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QHostAddress>
#include <QList>

#include "EthernetModule.h"

namespace sim {

// The command-line options of the simulated Ethernet modules.
QList<QCommandLineOption> moduleOptions();

// Reads them; false with a message in *error for a value that makes no sense.
bool readModuleOptions(const QCommandLineParser& parser, QHostAddress& udpAddress,
                       ModuleSetup& setup, QString* error);

}  // namespace sim
