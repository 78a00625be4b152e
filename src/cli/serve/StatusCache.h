#pragma once

#include <QJsonObject>
#include <optional>

#include "core/SwitcherState.h"

namespace cli::serve {

// The last full status read, kept so a status request needs no exchange: power, routes and
// link states come from the followed state as far as it has read them, the rest (model,
// version, options) from the read. Forgotten when the line goes or comes back.
class StatusCache {
public:
    void remember(const QJsonObject& status) { status_ = status; }
    void forget() { status_.reset(); }
    void setOption(const QString& key, bool on);
    // The status command's keys, or nothing when the followed state cannot vouch for them.
    std::optional<QJsonObject> compose(const core::SwitcherState& state) const;

private:
    std::optional<QJsonObject> status_;
};

}  // namespace cli::serve
