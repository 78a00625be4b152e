#include "posix/SignalQuit.h"

#include <sys/socket.h>

#include <QCoreApplication>
#include <csignal>

namespace posix {

namespace {

volatile std::sig_atomic_t signalWriteFd = -1;

extern "C" void onQuitSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalWriteFd, &byte, 1);
}

void handleQuitSignals(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM}) {
        ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace

SignalQuit::SignalQuit(QObject* parent) : QObject(parent) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        return;  // without the pair the default handlers stay: the process still ends
    }
    readEnd_.reset(ends[0]);
    writeEnd_.reset(ends[1]);
    signalWriteFd = writeEnd_.get();
    notifier_ = std::make_unique<QSocketNotifier>(readEnd_.get(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(readEnd_.get(), &byte, 1);
        QCoreApplication::quit();
    });
    handleQuitSignals(onQuitSignal);
}

SignalQuit::~SignalQuit() {
    handleQuitSignals(SIG_DFL);
    signalWriteFd = -1;
}

}  // namespace posix
