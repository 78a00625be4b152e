#include "ui/pages/edid/EdidPageBinding.h"

#include <QPushButton>

#include "ui/mainwindow/PageControl.h"
#include "ui/pages/RequiredChild.h"

namespace ui {

namespace {

QWidget& edidPage(const TPageControl& pages) {
    return *requiredChild<QWidget>(pages, "tsEDIDCtrl");
}

}  // namespace

EdidPageBinding::EdidPageBinding(TPageControl& pages, Services services)
    : portTags_(std::move(services.portTags)),
      view_(edidPage(pages), std::move(services.showStatus)),
      presenter_(services.runner, services.link, services.flags, services.status,
                 std::move(services.connect), view_, services.dialogs) {
    QWidget& page = edidPage(pages);
    presenter_.FillEdidModeList();
    presenter_.RebuildEdidLists(portTags_());
    presenter_.LoadEdidIntoGrid();

    const std::pair<const char*, void (EdidPresenter::*)()> clicks[] = {
        {"btnSetEDIDMode", &EdidPresenter::btnSetEDIDModeClick},
        {"btnCopyEDID", &EdidPresenter::btnCopyEDIDClick},
        {"btnReadEDIDData", &EdidPresenter::btnReadEDIDDataClick},
        {"btnDownloadEDID", &EdidPresenter::btnDownloadEDIDClick},
        {"btnSaveEDID", &EdidPresenter::btnSaveEDIDClick},
        {"BitBtn1", &EdidPresenter::BitBtn1Click},
        {"btnClearEDIDContent", &EdidPresenter::btnClearEDIDContentClick},
    };
    for (const auto& [name, handler] : clicks) {
        connect(requiredChild<QPushButton>(page, name), &QPushButton::clicked, this,
                [this, handler] { (presenter_.*handler)(); });
    }
    // A tag edited on the "Port Tag" tab shows in the lists as soon as this tab comes up.
    connect(&pages, &TPageControl::pageChanged, this, [this, &pages, &page](int index) {
        if (pages.widget(index) == &page) presenter_.RebuildEdidLists(portTags_());
    });
}

void EdidPageBinding::loadChoices(const EdidChoices& choices) {
    presenter_.RebuildEdidLists(portTags_());
    presenter_.LoadEdidChoices(choices);
}

}  // namespace ui
