#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTextBlock>
#include <QTextCursor>

#include "ui/mainwindow/MainWindow.h"

namespace ui {

namespace {

using namespace devlink;

// Two bytes of a 16-bit word, high byte first, as "h.l".
QString bytePair(quint16 word) {
    return QString::number(word >> 8) + QLatin1Char('.') + QString::number(word & 0xFF);
}

QString failureVerb(bool comMode, bool connected) {
    static const QString kCom[] = {QStringLiteral("Open"), QStringLiteral("Close")};
    static const QString kTcp[] = {QStringLiteral("Connect"), QStringLiteral("Disconnect")};
    return (comMode ? kCom : kTcp)[connected ? 1 : 0];
}

}  // namespace

void TForm1::showLinkFailure(const QString& text) {
    ShowStatus(2, text, true);
    ShowStatus(3, QString(), false);
}

void TForm1::linkNotification(const LinkNotification& n) {
    switch (n.message) {
        case WM_LINK_TIMEOUT:
            showLinkFailure(QStringLiteral("Time out!"));
            break;
        case WM_LINK_INVALID:
            showLinkFailure(QStringLiteral("Data invalid!"));
            break;
        case WM_LINK_ERROR:
            showLinkFailure(comMode() ? QStringLiteral("COM access failed!")
                                      : QStringLiteral("TCP control failed!"));
            break;
        case WM_LINK_CONNECTFAIL: {
            const QString verb = failureVerb(comMode(), link_->GetConnected());
            showLinkFailure(comMode() ? verb + QStringLiteral(" COM [") + link_->GetComPort() +
                                            QStringLiteral("] failed")
                                      : verb + QLatin1Char(' ') + link_->DeviceIP() +
                                            QStringLiteral(" failed"));
            break;
        }
        case WM_LINK_PARTREFUSED:
            mmoMessage_->appendPlainText(
                QStringLiteral("Write to Part_") + bytePair(static_cast<quint16>(n.wParam)) +
                QLatin1Char('.') + bytePair(static_cast<quint16>(n.lParam)) +
                QStringLiteral(" failed"));
            partFailed_ = true;
            break;
        case WM_LINK_PROGRESS:
            showPartProgress(static_cast<quint16>(n.wParam), static_cast<quint16>(n.lParam));
            break;
        case WM_LINK_NOREPLY:
            showLinkFailure(QStringLiteral("Send data failed!"));
            break;
        case WM_LINK_STATUS:
            addStatusLine(n.text, n.lParam == 1);
            break;
        case WM_LINK_LANSTATUS:
            // LParam 0 is search progress for the search wizard.
            if (n.lParam == 1) ShowStatus(2, n.text, false);
            break;
        default:
            break;
    }
}

void TForm1::showPartProgress(quint16 part, quint16 percent) {
    if (percent == lastProgress_) return;
    tsgFWProgress_->setFormat(QStringLiteral("Upgrading Part_") + bytePair(part));
    tsgFWProgress_->setValue(percent);
    tsgFWProgress_->repaint();
    lastProgress_ = percent;
}

// The reboot wait animates one line "System rebooting, please wait ..." by replacing it.
void TForm1::addStatusLine(const QString& text, bool mayReplaceReboot) {
    const QTextBlock last = mmoMessage_->document()->lastBlock();
    if (mayReplaceReboot && last.text().contains(QStringLiteral("System rebooting"))) {
        QTextCursor cursor(last);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(text);
    } else {
        mmoMessage_->appendPlainText(text);
    }
    mmoMessage_->repaint();
}

}  // namespace ui
