#include "WindowHarness.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <numeric>

#include "ui/mainwindow/PageControl.h"

namespace testing_support {

int RecordingSleeper::totalMs() const {
    return std::accumulate(sleeps.begin(), sleeps.end(), 0);
}

namespace {

constexpr int kModuleAnswerMs = 5;

QString ModuleIp(const QByteArray& record, int offset) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(quint8(record[offset]))
        .arg(quint8(record[offset + 1]))
        .arg(quint8(record[offset + 2]))
        .arg(quint8(record[offset + 3]));
}

}  // namespace

std::vector<FakeDatagramSocket::Reply> WindowHarness::answerModules(
    const FakeDatagramSocket::Sent& sent) {
    const bool broadcast = sent.host.endsWith(QLatin1String(".255"));
    if (broadcast && !modulesHearBroadcast) return {};
    std::vector<FakeDatagramSocket::Reply> replies;
    if (sent.port == sim::kModuleSearchPort) {
        const QByteArray all = sim.modules().answerSearch(sent.bytes);
        constexpr int kRecord = 55;
        for (int at = 0; at + kRecord <= all.size(); at += kRecord) {
            const QByteArray record = all.mid(at, kRecord);
            const QString from = ModuleIp(record, 6);
            if (broadcast || from == sent.host) {
                replies.push_back({kModuleAnswerMs, {record, from, sim::kModuleSearchPort}});
            }
        }
    } else if (const auto answer = sim.modules().answerConfiguration(sent.bytes)) {
        const auto& ip = sim.modules().modules().front().ip;
        const QByteArray from(reinterpret_cast<const char*>(ip.data()), 4);
        replies.push_back({kModuleAnswerMs, {*answer, ModuleIp(from, 0), sim::kModuleConfigPort}});
    }
    return replies;
}

WindowHarness::WindowHarness()
    : ownTransport(std::make_unique<SimSerialTransport>(sim, clock)),
      ownDatagrams(std::make_unique<FakeDatagramSocket>(clock)),
      pump(std::make_unique<SimPump>(clock, *ownTransport)),
      settingsPath(dir.filePath(QStringLiteral("Settings.ini"))) {
    transport = ownTransport.get();
    datagrams = ownDatagrams.get();
    datagrams->responder = [this](const FakeDatagramSocket::Sent& sent) {
        return answerModules(sent);
    };
    pump->datagrams = datagrams;
}

WindowHarness::~WindowHarness() {
    windows.reset();
}

void WindowHarness::writeSettings(const QByteArray& content) const {
    QFile file(settingsPath);
    if (file.open(QIODevice::WriteOnly)) file.write(content);
}

void WindowHarness::create() {
    ui::TForm1Environment env;
    env.linkParts.serial = std::move(ownTransport);
    env.linkParts.tcp = std::move(tcp);
    env.linkParts.udp = std::move(ownDatagrams);
    env.linkParts.pump = pump.get();
    env.linkParts.clock = &clock;
    env.linkParts.flags = &guard;
    env.dialogs = &dialogs;
    env.serialPorts = &ports;
    env.sleeper = &sleeper;
    env.dateTime = &dateTime;
    env.settingsPath = settingsPath;
    windows = std::make_unique<ui::ProgramWindows>(std::move(env));
}

QAbstractButton* routeButton(const ui::TForm1& form, int groupIndex, int tag) {
    for (auto* button : form.findChildren<QAbstractButton*>()) {
        if (button->property("GroupIndex").isValid() &&
            button->property("GroupIndex").toInt() == groupIndex &&
            button->property("Tag").toInt() == tag) {
            return button;
        }
    }
    ADD_FAILURE() << "no route button " << groupIndex << "/" << tag;
    return nullptr;
}

void showWithEveryPage(ui::TForm1& form) {
    form.show();
    const auto* pages = form.findChild<ui::TPageControl*>(QStringLiteral("pcContainer"));
    for (int turn = 0; turn < 1000 && !pages->page(pages->count() - 1); ++turn) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

void WindowHarness::show() {
    if (!windows) create();
    showWithEveryPage(form());
}

void WindowHarness::buildEveryPage() {
    if (!windows) create();
    form().findChild<ui::TPageControl*>(QStringLiteral("pcContainer"))->buildEveryPage();
}

ui::ConnectionControl& WindowHarness::connection() const {
    return *form().findChild<ui::ConnectionControl*>();
}

ui::TStatusBar& WindowHarness::statusBar() const {
    return *form().findChild<ui::TStatusBar*>(QStringLiteral("sb"));
}

}  // namespace testing_support
