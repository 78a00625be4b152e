#pragma once

#include <QTemporaryDir>
#include <map>
#include <memory>
#include <vector>

#include "StatusPresenterHarness.h"
#include "ui/presenters/edid/EdidPresenter.h"
#include "ui/presenters/edid/EdidView.h"

namespace edid_testing {

using ui::EdidList;

// The tab as the presenter left it; message boxes go to the shared window log, and the
// file dialogs and questions answer what the test put in.
struct FakeEdidView final : ui::EdidView, ui::Dialogs {
    explicit FakeEdidView(status_testing::WindowLog& log) : log(log) {}

    void setListEntries(EdidList list, const QStringList& list_entries) override;
    QStringList listEntries(EdidList list) const override;
    int selectedIndex(EdidList list) const override;
    void setSelectedIndex(EdidList list, int index) override { selected[list] = index; }
    void setGridHeaders(const QStringList& c, const QStringList& r) override {
        columns = c;
        rows = r;
    }
    void setGridCells(const QStringList& c) override { cells = c; }
    QStringList gridCells() const override { return cells; }
    void setSummary(const QString& text) override { summary = text; }
    QString savePath() const override { return save; }
    void setSavePath(const QString& path) override { save = path; }
    QString openPath() const override { return open; }
    void setOpenPath(const QString& path) override { open = path; }
    void showStatus(devlink::StatusPanel panel, const QString& text, bool) override {
        log.status.push_back({static_cast<int>(panel), text});
    }
    void information(const QString& text) override { log.boxes.push_back(text); }
    void error(const QString& text) override { errors.push_back(text); }
    bool question(const QString& text) override;
    QString openFileName(const QString& filter) override;
    QString saveFileName(const QString& filter) override;

    status_testing::WindowLog& log;
    std::map<EdidList, QStringList> entries;
    std::map<EdidList, int> selected;
    QStringList columns, rows;
    QStringList cells = QStringList(256, QString());
    QString summary, save, open;
    std::vector<QString> errors, questions, filters;
    bool answerYes = false;
    QString fileToOpen, fileToSave;  // empty: the dialog is cancelled
};

// The EDID presenter beside the status presenters, the switcher on and nothing sent yet.
struct EdidHarness : status_testing::StatusHarness {
    EdidHarness();

    struct Sent {
        int group, code, p1, p2;
        bool operator==(const Sent&) const = default;
    };
    // Every header the controller wrote, data blocks included.
    std::vector<Sent> sentHeaders() const;
    void forget();  // drops what was sent and shown so far

    void choose(EdidList list, int index) { view.selected[list] = index; }
    QString file(const QString& name) const { return dir.filePath(name); }
    QString writeFile(const QString& name, const QByteArray& bytes) const;
    // Opens a file holding this EDID through the open button.
    void openEdid(const QByteArray& edid);

    QTemporaryDir dir;
    FakeEdidView view{log};
    std::unique_ptr<ui::EdidPresenter> edid;
};

// Two upper-case hex digits per byte, written out independently of the grid code.
QStringList hexCells(const QByteArray& bytes);
QByteArray readWhole(const QString& path);

}  // namespace edid_testing
