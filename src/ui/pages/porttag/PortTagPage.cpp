#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/mainwindow/MainWindowPages.h"
#include "ui/pages/FormParts.h"

namespace ui {

namespace {

// Eight read-only tag fields; those of ports 7 and 8 exist but are never shown.
QGroupBox* tagGroup(QWidget* page, const QString& caption, const QString& kind, int firstTag,
                    const char* editName, const QString& editCaption) {
    auto* group = new QGroupBox(caption, page);
    auto* layout = new QFormLayout(group);
    for (int port = 1; port <= 8; ++port) {
        auto* field = new QLineEdit(group);
        field->setObjectName(QStringLiteral("le%1%2Tag").arg(kind).arg(port));
        field->setProperty("Tag", firstTag + port - 1);
        field->setReadOnly(true);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        field->setPalette(palette);
        auto* label = new QLabel(QStringLiteral("Tag of %1%2").arg(kind).arg(port), group);
        layout->addRow(label, field);
        layout->setRowVisible(port - 1, port <= 6);
    }
    layout->addRow(QString(), makeControl<QPushButton>(group, editName, editCaption));
    return group;
}

}  // namespace

QWidget* buildPortTagPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsPortTag"));
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(tagGroup(page, QStringLiteral("Input port tags"), QStringLiteral("Input"), 1,
                               "btnEditInputPortTag", QStringLiteral("&Edit")),
                      1, Qt::AlignTop);
    layout->addWidget(tagGroup(page, QStringLiteral("Output port tags"), QStringLiteral("Output"),
                               41, "btnEditOutputPortTag", QStringLiteral("E&dit")),
                      1, Qt::AlignTop);
    return page;
}

}  // namespace ui
