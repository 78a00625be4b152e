#pragma once

#include <QTabWidget>
#include <functional>
#include <vector>

namespace ui {

// A tab widget whose page changes can be refused: a refused change snaps back to the page
// that was showing, and only accepted changes are announced by pageShown. A page may be made
// later than its tab: it is built when first shown, or by buildEveryPage.
class TPageControl final : public QTabWidget {
    Q_OBJECT

public:
    explicit TPageControl(QWidget* parent = nullptr);
    void setChangeGuard(std::function<bool()> guard) { guard_ = std::move(guard); }

    void addPage(QWidget* page, const QString& title);
    void addLaterPage(std::function<QWidget*()> build, const QString& title);
    // Builds, in tab order, every page not built yet.
    void buildEveryPage();
    // The page of a tab, or null while it is not built.
    QWidget* page(int index) const;

signals:
    void pageShown(QWidget* page);

private:
    void onCurrentChanged(int index);
    void build(int index);

    // Per tab, what builds its page; empty once it is built.
    std::vector<std::function<QWidget*()>> builds_;
    std::function<bool()> guard_;
    int shown_ = -1;
    bool reverting_ = false;
};

}  // namespace ui
