#include "SettingWindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QFile>
#include <QTabWidget>

#include "link/Frame.h"
#include "ui/pages/setting/SettingTab.h"
#include "ui/presenters/general/DeviceStatusPresenter.h"
#include "widgets/Lcd99.h"

namespace testing_support {

namespace {

constexpr quint8 kRouteGroup = 0x02;
constexpr quint8 kGetRouteCode = 0x01;
constexpr quint8 kSetRouteCode = 0x03;

std::vector<devlink::Frame> routeFrames(const QByteArrayList& written, quint8 code) {
    std::vector<devlink::Frame> frames;
    for (const QByteArray& bytes : written) {
        if (bytes.size() < devlink::kFrameSize) continue;
        const auto frame = devlink::FrameFrom(
            std::span(reinterpret_cast<const quint8*>(bytes.constData()), devlink::kFrameSize));
        if (frame[2] == kRouteGroup && frame[3] == code) frames.push_back(frame);
    }
    return frames;
}

}  // namespace

SettingWindow::SettingWindow(const QByteArray& settings) {
    h.ports.names = {"ttySIM"};
    h.writeSettings("[Control mode]\nMode=0\n[COM port]\nName=ttySIM\n" + settings);
    h.show();
    setPower(true);
}

void SettingWindow::setPower(bool on) {
    h.sim.state().powerOn = on;
    EXPECT_TRUE(h.form().DeviceStatus().ReadPowerState());
    h.transport->written.clear();
}

void SettingWindow::showSettingPage() {
    h.find<QTabWidget>("pcContainer")->setCurrentWidget(h.find<QWidget>("tsSetting"));
}

void SettingWindow::showPortTagPage() {
    h.find<QTabWidget>("pcContainer")->setCurrentWidget(h.find<QWidget>("tsPortTag"));
}

QAbstractButton* SettingWindow::inputButton(int output, int input) const {
    return routeButton(h.form(), output, input);
}

QAbstractButton* SettingWindow::arrow(int tag) const {
    return routeButton(h.form(), 0, tag);
}

QStringList SettingWindow::digits() const {
    QStringList shown;
    for (int output = 1; output <= 6; ++output) {
        shown << h.find<widgets::TLCD99>(QStringLiteral("LED%1").arg(output))->value();
    }
    return shown;
}

std::vector<int> SettingWindow::downButtons() const {
    std::vector<int> down;
    for (int output = 1; output <= 6; ++output) {
        const QAbstractButton* checked = inputButton(output, 1)->group()->checkedButton();
        down.push_back(checked ? checked->property("Tag").toInt() : 0);
    }
    return down;
}

void SettingWindow::hover(QAbstractButton* button) const {
    QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), button->mapToGlobal(QPointF(4, 4)));
    QCoreApplication::sendEvent(button, &enter);
}

void SettingWindow::leave(QAbstractButton* button) const {
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(button, &event);
}

void SettingWindow::chooseMenuItem(const char* name) const {
    h.form().findChild<QAction*>(QLatin1String(name))->trigger();
}

void SettingWindow::refuseRoutesTo(int output) {
    h.transport->setResponder([this, output](const QByteArray& bytes, qint64 now) {
        const auto frames = routeFrames({bytes}, kSetRouteCode);
        if (!frames.empty() && devlink::Param(frames.front(), 2) == output) {
            h.sim.injectFault({sim::FaultKind::StatusFF, 1, -1, -1, 0, 2, {}});
        }
        return h.sim.receive(bytes, now);
    });
}

std::vector<SentRoute> SettingWindow::routesSent() const {
    std::vector<SentRoute> routes;
    for (const devlink::Frame& f : routeFrames(h.transport->written, kSetRouteCode)) {
        const SentRoute route{devlink::Param(f, 2), devlink::Param(f, 1)};
        if (routes.empty() || routes.back() != route) routes.push_back(route);
    }
    return routes;
}

int SettingWindow::routeReadsSent() const {
    return static_cast<int>(routeFrames(h.transport->written, kGetRouteCode).size());
}

std::vector<int> SettingWindow::switcherRoutes() {
    const auto& routes = h.sim.state().routes;
    return {routes.begin(), routes.end()};
}

QString SettingWindow::settingsText() const {
    QFile file(h.settingsPath);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool SettingWindow::routeFailed() const {
    return h.form().findChild<ui::SettingTab*>()->routing().routeFailed();
}

}  // namespace testing_support
