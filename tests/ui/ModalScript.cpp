#include "ModalScript.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <memory>

namespace testing_support {

namespace {

constexpr int kMaxPolls = 200;

void poll(std::shared_ptr<std::function<void(QDialog&)>> act, int pollsLeft) {
    QTimer::singleShot(0, [act, pollsLeft] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            (*act)(*dialog);
        } else if (pollsLeft > 0) {
            poll(act, pollsLeft - 1);
        } else {
            ADD_FAILURE() << "no modal dialog was shown";
        }
    });
}

}  // namespace

void onNextModal(std::function<void(QDialog&)> act) {
    poll(std::make_shared<std::function<void(QDialog&)>>(std::move(act)), kMaxPolls);
}

}  // namespace testing_support
