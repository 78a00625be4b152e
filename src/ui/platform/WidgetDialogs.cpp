#include "ui/platform/WidgetDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace ui {

namespace {

// "Binary file(*.bin)|*.bin": Qt reads the pattern from the parentheses of the description.
QString qtFilter(const QString& filter) {
    return filter.section(QLatin1Char('|'), 0, 0);
}

}  // namespace

void WidgetDialogs::information(const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Information"), text);
}

void WidgetDialogs::error(const QString& text) {
    QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Error"), text);
}

bool WidgetDialogs::question(const QString& text) {
    return QMessageBox::question(QApplication::activeWindow(), QStringLiteral("Confirm"), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

QString WidgetDialogs::openFileName(const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), QString(),
                                        qtFilter(filter));
}

QString WidgetDialogs::saveFileName(const QString& filter) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(), QString(),
                                        qtFilter(filter));
}

}  // namespace ui
