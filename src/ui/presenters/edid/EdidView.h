#pragma once

#include <QString>
#include <QStringList>

#include "link/StatusPanel.h"

namespace ui {

// The drop-down lists of the "EDID control" tab.
enum class EdidList {
    Mode,           // cbEDIDMode
    SetModeInput,   // cbSetEDIDModeInput
    CopyOutput,     // cbCopyEDIDOutput
    CopyInput,      // cbCopyEDIDInput
    ReadOutput,     // cbReadEDIDDataOutput
    DownloadInput,  // cbDownloadEDIDInput
};

// What the "EDID control" tab shows; its boxes and file dialogs go through Dialogs.
class EdidView {
public:
    virtual ~EdidView() = default;

    virtual void setListEntries(EdidList list, const QStringList& entries) = 0;
    virtual QStringList listEntries(EdidList list) const = 0;
    // -1 when the list has no entry selected.
    virtual int selectedIndex(EdidList list) const = 0;
    virtual void setSelectedIndex(EdidList list, int index) = 0;

    // sgEDIDContent: the captions of the fixed row and column, and the 256 data cells
    // row by row (bytes 0..15 in row 1); an empty cell text is an empty cell.
    virtual void setGridHeaders(const QStringList& columns, const QStringList& rows) = 0;
    virtual void setGridCells(const QStringList& cells) = 0;
    virtual QStringList gridCells() const = 0;
    // The decoded line under the grid; empty when the grid holds no EDID.
    virtual void setSummary(const QString& text) = 0;

    // edtSaveEDID and edtOpenEDID; setting a path also puts the caret at its end.
    virtual QString savePath() const = 0;
    virtual void setSavePath(const QString& path) = 0;
    virtual QString openPath() const = 0;
    virtual void setOpenPath(const QString& path) = 0;

    virtual void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) = 0;
};

}  // namespace ui
