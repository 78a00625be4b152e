#include "ui/pages/porttag/PortTagPage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/pages/FormParts.h"
#include "ui/pages/PortControls.h"

namespace ui {

namespace {

// Eight read-only tag fields; those of ports 7 and 8 exist but are never shown.
QGroupBox* tagGroup(QWidget* page, const QString& caption, const QString& kind, int firstTag,
                    PortTagPage::Fields& fields, QPushButton*& edit, const char* editName,
                    const QString& editCaption) {
    auto* group = new QGroupBox(caption, page);
    auto* layout = new QFormLayout(group);
    for (int port = 1; port <= 8; ++port) {
        auto* field = new QLineEdit(group);
        field->setObjectName(QStringLiteral("le%1%2Tag").arg(kind).arg(port));
        setTag(field, firstTag + port - 1);
        if (port <= config::kTaggedPortCount) fields[port - 1] = field;
        field->setReadOnly(true);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        field->setPalette(palette);
        auto* label = new QLabel(QStringLiteral("Tag of %1%2").arg(kind).arg(port), group);
        layout->addRow(label, field);
        layout->setRowVisible(port - 1, port <= 6);
    }
    edit = makeControl<QPushButton>(group, editName, editCaption);
    layout->addRow(QString(), edit);
    return group;
}

}  // namespace

PortTagPage::PortTagPage(QWidget* parent) : QWidget(parent) {
    QWidget* page = this;
    page->setObjectName(QStringLiteral("tsPortTag"));
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(
        tagGroup(page, QStringLiteral("Input port tags"), QStringLiteral("Input"), 1, inputTags,
                 btnEditInputPortTag, "btnEditInputPortTag", QStringLiteral("&Edit")),
        1, Qt::AlignTop);
    layout->addWidget(
        tagGroup(page, QStringLiteral("Output port tags"), QStringLiteral("Output"), 41, outputTags,
                 btnEditOutputPortTag, "btnEditOutputPortTag", QStringLiteral("E&dit")),
        1, Qt::AlignTop);
    connect(btnEditInputPortTag, &QPushButton::clicked, this, &PortTagPage::editInputsRequested);
    connect(btnEditOutputPortTag, &QPushButton::clicked, this, &PortTagPage::editOutputsRequested);
}

void PortTagPage::showTags(const config::PortTags& tags) {
    for (int port = 0; port < config::kTaggedPortCount; ++port) {
        inputTags[port]->setText(tags.inputs[port]);
        outputTags[port]->setText(tags.outputs[port]);
    }
}

}  // namespace ui
