// Preloaded into a window program by window-bench (LD_PRELOAD), so the program itself carries no
// measuring code. It reports on standard output, with the monotonic clock in ns:
//   "painted <ns>"     once the first paint of a window has been flushed;
// and answers commands on standard input:
//   "tabs"  shows and paints every page of every tab widget, then prints "tabs-shown";
//   "click NAME"  clicks the button of that object name, then prints "clicked";
//   "grab FILE"   saves a picture of the visible window as FILE, then prints "grabbed";
//   "quit"  ends the program.
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTabWidget>
#include <QTimer>
#include <ctime>

namespace {

void report(const QByteArray& line) {
    const QByteArray text = line + '\n';
    [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, text.constData(), text.size());
}

qint64 monotonicNs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

void showEveryTab() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) continue;
        for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
            for (int page = 0; page < tabs->count(); ++page) {
                tabs->setCurrentIndex(page);
                window->repaint();
            }
        }
    }
    report("tabs-shown");
}

void clickButton(const QByteArray& name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name))) {
            button->click();
            break;
        }
    }
    report("clicked");
}

void grabWindow(const QByteArray& file) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            window->grab().save(QString::fromLocal8Bit(file));
            break;
        }
    }
    report("grabbed");
}

class FirstPaintReporter final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_ && target->isWidgetType()) {
            painted_ = true;
            // Reported once the whole paint pass has run and been flushed.
            QTimer::singleShot(0, [] { report("painted " + QByteArray::number(monotonicNs())); });
            listenForCommands();
        }
        return false;
    }

private:
    void listenForCommands() {
        auto* commands = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
        connect(commands, &QSocketNotifier::activated, this, [commands] {
            char buffer[256];
            const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
            const QByteArray input(buffer, count > 0 ? count : 0);
            if (count <= 0) commands->setEnabled(false);
            if (input.contains("tabs")) showEveryTab();
            if (input.startsWith("click ")) clickButton(input.mid(6).trimmed());
            if (input.startsWith("grab ")) grabWindow(input.mid(5).trimmed());
            if (count <= 0 || input.contains("quit")) QCoreApplication::quit();
        });
    }

    bool painted_ = false;
};

void installReporter() {
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new FirstPaintReporter(app));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installReporter)
