#include "EdidPresenterHarness.h"

#include <gtest/gtest.h>

#include <QFile>

namespace edid_testing {

void FakeEdidView::setListEntries(EdidList list, const QStringList& list_entries) {
    entries[list] = list_entries;
    selected[list] = -1;  // the presenter has to choose the entry itself
}

QStringList FakeEdidView::listEntries(EdidList list) const {
    const auto found = entries.find(list);
    return found == entries.end() ? QStringList() : found->second;
}

int FakeEdidView::selectedIndex(EdidList list) const {
    const auto found = selected.find(list);
    return found == selected.end() ? -1 : found->second;  // a list never filled
}

bool FakeEdidView::question(const QString& text) {
    questions.push_back(text);
    return answerYes;
}

QString FakeEdidView::openFileName(const QString& filter) {
    filters.push_back(filter);
    return fileToOpen;
}

QString FakeEdidView::saveFileName(const QString& filter) {
    filters.push_back(filter);
    return fileToSave;
}

EdidHarness::EdidHarness() {
    edid = std::make_unique<ui::EdidPresenter>(*runner, *link, flags, *status, view, view);
    edid->FillEdidModeList();
    edid->RebuildEdidLists({});
    status->ReadPowerState();
    forget();
}

std::vector<EdidHarness::Sent> EdidHarness::sentHeaders() const {
    std::vector<Sent> result;
    for (const devlink::Frame& f : sentFrames()) {
        result.push_back({f[2], f[3], f[4] | f[5] << 8, f[6] | f[7] << 8});
    }
    return result;
}

void EdidHarness::forget() {
    transport->written.clear();
    log = {};
    view.errors.clear();
    view.questions.clear();
}

QString EdidHarness::writeFile(const QString& name, const QByteArray& bytes) const {
    QFile out(file(name));
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    EXPECT_EQ(out.write(bytes), bytes.size());
    return out.fileName();
}

void EdidHarness::openEdid(const QByteArray& bytes) {
    view.fileToOpen = writeFile(QStringLiteral("opened.bin"), bytes);
    edid->BitBtn1Click();
    ASSERT_EQ(view.cells, hexCells(bytes.left(256)));
}

QStringList hexCells(const QByteArray& bytes) {
    QStringList cells;
    for (const char byte : bytes) cells << QString::asprintf("%02X", unsigned(quint8(byte)));
    return cells;
}

QByteArray readWhole(const QString& path) {
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

}  // namespace edid_testing
