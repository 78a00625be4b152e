#pragma once

#include <QWidget>
#include <array>

#include "settings/SettingsData.h"

class QLineEdit;
class QPushButton;

namespace ui {

// tsPortTag: the read-only tag fields of the inputs and outputs and their edit buttons.
class PortTagPage final : public QWidget {
    Q_OBJECT

public:
    using Fields = std::array<QLineEdit*, config::kTaggedPortCount>;

    explicit PortTagPage(QWidget* parent = nullptr);

    void showTags(const config::PortTags& tags);

signals:
    void editInputsRequested();
    void editOutputsRequested();

private:
    Fields inputTags{};   // leInput1Tag .. leInput6Tag; those of ports 7 and 8 are never shown
    Fields outputTags{};  // leOutput1Tag .. leOutput6Tag
    QPushButton* btnEditInputPortTag;
    QPushButton* btnEditOutputPortTag;
};

}  // namespace ui
