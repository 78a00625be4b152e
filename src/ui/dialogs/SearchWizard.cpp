#include "ui/dialogs/SearchWizard.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "lan/ModuleRecords.h"
#include "settings/DeviceEntry.h"
#include "ui/dialogs/KeyFilter.h"
#include "ui/pages/FormParts.h"
#include "ui/presenters/lan/LanAddressFields.h"
#include "widgets/VKGauge.h"

namespace ui {

namespace {

// Every step is a panel of the same size: its texts from the top left, its buttons on one line
// at the bottom right.
struct StepLayout {
    int width;
    int height;
    int textTop;
    int buttonTop;
};
constexpr StepLayout kStep{601, 196, 28, 140};

// A step's last button sits at the right; one before it, to its left.
enum class ButtonPlace { Left, Right };

int buttonLeft(ButtonPlace place) {
    return kStep.width - (place == ButtonPlace::Right ? 106 : 202);
}

const QString kAutoSearching = QStringLiteral("Auto searching");

QLabel* addText(QGroupBox* group, const QString& text, int top = kStep.textTop) {
    auto* label = new QLabel(text, group);
    label->move(16, top);
    label->adjustSize();
    return label;
}

QPushButton* addButton(QGroupBox* group, const char* name, const QString& caption,
                       ButtonPlace place = ButtonPlace::Right) {
    auto* button = makeControl<QPushButton>(group, name, caption);
    button->setGeometry(buttonLeft(place), kStep.buttonTop, 90, 28);
    return button;
}

QComboBox* addList(QGroupBox* group, const char* name) {
    auto* list = makeControl<QComboBox>(group, name);
    list->setGeometry(16, 64, kStep.width - 32, 26);
    return list;
}

}  // namespace

TfrmSearch::TfrmSearch(devlink::TVKCOMControl& link, QWidget* parent)
    : QDialog(parent), link_(link) {
    setObjectName(QStringLiteral("TfrmSearch"));
    // No title-bar buttons: a search is ended by its own Stop button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(617, 204);
    buildSearchingPage();
    buildFoundPage();
    buildAddressPage();
    buildCancelledPage();
    buildCompletePage();
    buildNothingFoundPage();
}

QGroupBox* TfrmSearch::addPage(int n, const QString& caption) {
    const QByteArray name = "pnlStep" + QByteArray::number(n);
    auto* panel = makeControl<QWidget>(this, name.constData());
    panel->setGeometry(8, 0, kStep.width, kStep.height);
    panel->hide();
    auto* group = new QGroupBox(caption, panel);
    group->setGeometry(0, 4, kStep.width, kStep.height - 8);
    pages_[n - 1] = panel;
    groups_[n - 1] = group;
    return group;
}

void TfrmSearch::buildSearchingPage() {
    QGroupBox* group = addPage(1, kAutoSearching);
    tsSearching_ = makeControl<widgets::TVKGauge>(group, "tsSearching");
    tsSearching_->setGeometry(16, 56, kStep.width - 32, 24);
    tsSearching_->setShowPercent(false);
    tsSearching_->setCaption(QStringLiteral("Searching TCP control device ... |"));
    btnStop_ = addButton(group, "btnStop", QStringLiteral("Stop"));
    connect(btnStop_, &QPushButton::clicked, this, &TfrmSearch::btnStopClick);
}

void TfrmSearch::buildFoundPage() {
    QGroupBox* group = addPage(2, QStringLiteral("Matrix found"));
    addText(group, QStringLiteral("Matrix which you're searching for has been list in below box?"));
    cbMXDevice_ = addList(group, "cbMXDevice");
    btnYES_ = addButton(group, "btnYES", QStringLiteral("Yes"), ButtonPlace::Left);
    connect(btnYES_, &QPushButton::clicked, this, [this] { done(Ok); });
    auto* no = addButton(group, "btnNo", QStringLiteral("No"));
    connect(no, &QPushButton::clicked, this, [this] { showPage(3); });
}

void TfrmSearch::buildAddressPage() {
    QGroupBox* group = addPage(3, QStringLiteral("Matrix not found after Auto searching"));
    addText(group, QStringLiteral("Enter the IP address and get Matrix informations."));
    addText(group, QStringLiteral("IP address"), 72);
    for (int n = 1; n <= kIpFieldCount; ++n) {
        const QByteArray name = "edtIPField" + QByteArray::number(n);
        QLineEdit* field = makeControl<QLineEdit>(group, name.constData(), QStringLiteral("0"));
        field->setProperty("Tag", n);
        field->setMaxLength(3);
        field->setGeometry(100 + (n - 1) * 56, 68, 44, 24);
        field->installEventFilter(this);
        ipFields_[n - 1] = field;
        if (n > 1) {
            auto* dot = new QLabel(QStringLiteral("."), group);
            dot->setGeometry(100 + (n - 1) * 56 - 12, 68, 12, 24);
            dot->setAlignment(Qt::AlignCenter);
        }
    }
    auto* go = addButton(group, "btnGO", QStringLiteral("Go"), ButtonPlace::Left);
    connect(go, &QPushButton::clicked, this, &TfrmSearch::btnGOClick);
    auto* close = addButton(group, "btnClose", QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, [this] { done(Cancel); });
}

void TfrmSearch::buildCancelledPage() {
    QGroupBox* group = addPage(4, QStringLiteral("Searching cancelled"));
    addText(group, QStringLiteral("Searching TCP control device has been cancelled."));
    btnStopThenClose_ = addButton(group, "btnStopThenClose", QStringLiteral("Close"));
    connect(btnStopThenClose_, &QPushButton::clicked, this, [this] { done(Cancel); });
}

void TfrmSearch::buildCompletePage() {
    QGroupBox* group = addPage(5, QStringLiteral("Searching complete"));
    addText(group, QStringLiteral("Matrix found list as below."));
    cbMXDevice1_ = addList(group, "cbMXDevice1");
    btnDone_ = addButton(group, "btnDone", QStringLiteral("Done"));
    connect(btnDone_, &QPushButton::clicked, this, [this] { done(Ok); });
}

void TfrmSearch::buildNothingFoundPage() {
    QGroupBox* group = addPage(6, QStringLiteral("Searching complete"));
    addText(group, QStringLiteral("No Matrix found."));
    btnCloseOfEnd_ = addButton(group, "btnCloseOfEnd", QStringLiteral("Close"));
    connect(btnCloseOfEnd_, &QPushButton::clicked, this, [this] { done(No); });
}

void TfrmSearch::showPage(int n, const QString& caption) {
    page_ = n;
    if (!caption.isEmpty()) groups_[n - 1]->setTitle(caption);
    for (QWidget* page : pages_) page->setVisible(page == pages_[n - 1]);
    setWindowTitle(groups_[n - 1]->title());
    QWidget* focus = nullptr;
    switch (n) {
        case 1:
            focus = btnStop_;
            break;
        case 2:
            focus = btnYES_;
            break;
        case 3: {
            // Most switchers sit on the PC's own network: only the last number is guessed.
            const QStringList own = link_.LocalAddress().split(QLatin1Char('.'));
            for (int i = 0; i < kIpFieldCount - 1; ++i) {
                ipFields_[i]->setText(own.value(i, QStringLiteral("0")));
            }
            ipFields_[kIpFieldCount - 1]->setText(QStringLiteral("220"));
            focus = ipFields_[kIpFieldCount - 1];
            break;
        }
        case 4:
            focus = btnStopThenClose_;
            break;
        case 5:
            focus = btnDone_;
            break;
        default:
            focus = btnCloseOfEnd_;
            break;
    }
    focus->setFocus();
}

void TfrmSearch::fillList(QComboBox* list, int page) {
    list->clear();
    for (const QString& entry : results_) addSorted(list, entry);
    list->setCurrentIndex(0);
    showPage(page);
}

void TfrmSearch::searchStatus(const QString& text) {
    if (page_ == 1) tsSearching_->setCaption(text);
}

void TfrmSearch::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    firstActivation_ = true;
    showPage(1, kAutoSearching);
    // The search runs once the wizard is up, inside its own modal loop.
    QTimer::singleShot(0, this, [this] {
        if (firstActivation_) FormActivate();
    });
}

bool TfrmSearch::eventFilter(QObject* watched, QEvent* event) {
    const auto found = std::find(ipFields_.begin(), ipFields_.end(), watched);
    if (found != ipFields_.end()) {
        if (event->type() == QEvent::KeyPress) {
            return refusedByNumberField(static_cast<QKeyEvent&>(*event));
        }
        if (event->type() == QEvent::FocusOut) {
            const int n = static_cast<int>(found - ipFields_.begin()) + 1;
            (*found)->setText(normalisedIpField((*found)->text(), n));
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString TfrmSearch::moduleEntry(int n, const QString& ip, bool sameSubnet) const {
    config::DeviceEntry entry;
    entry.tag = link_.FoundModuleField(n, lan::kFieldName);
    entry.autoIp = config::AutoIpOf(link_.FoundModuleField(n, lan::kFieldDhcp));
    entry.ip = ip;
    entry.mac = link_.FoundModuleField(n, lan::kFieldMac);
    entry.sameSubnet = sameSubnet;
    return entry.text();
}

void TfrmSearch::FormActivate() {
    firstActivation_ = false;
    stopped_ = false;
    cbMXDevice_->clear();
    results_.clear();
    if (!link_.SearchModules()) {
        showPage(stopped_ ? 4 : 3);
        return;
    }
    for (int n = 1; n <= link_.FoundModuleCount(); ++n) {
        results_ << moduleEntry(n, link_.FoundModuleField(n, lan::kFieldIp), true);
    }
    fillList(cbMXDevice_, 2);
}

void TfrmSearch::btnStopClick() {
    link_.CancelSearch();
    stopped_ = true;
}

void TfrmSearch::btnGOClick() {
    stopped_ = false;
    QStringList numbers;
    for (int n = 1; n <= kIpFieldCount; ++n) {
        QLineEdit* field = ipFields_[n - 1];
        field->setText(normalisedIpField(field->text(), n));
        numbers << field->text();
    }
    const QString address = numbers.join(QLatin1Char('.'));
    link_.SetDeviceIP(address);
    link_.SetUDPMode(devlink::umNORMAL);
    // Only what answers at the address belongs at it, and a list that the broadcast filled up
    // would leave that module no room. The broadcast's entries stay in the results.
    link_.ClearFoundModules();
    showPage(1, QStringLiteral("Get Matrix informations"));
    if (link_.SearchModules()) {
        for (int n = 1; n <= link_.FoundModuleCount(); ++n) {
            const QString same = moduleEntry(n, address, true);
            if (!results_.contains(same)) results_ << moduleEntry(n, address, false);
        }
        fillList(cbMXDevice1_, 5);
    } else if (stopped_) {
        showPage(4);
    } else if (!results_.isEmpty()) {
        fillList(cbMXDevice1_, 5);
    } else {
        showPage(6);
    }
}

}  // namespace ui
