#pragma once

#include <QDialog>
#include <functional>

namespace testing_support {

// Runs `act` on the next modal dialog once its event loop runs; `act` must end the dialog.
// A dialog that never appears fails the test.
void onNextModal(std::function<void(QDialog&)> act);

}  // namespace testing_support
