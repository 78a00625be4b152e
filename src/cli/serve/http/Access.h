#pragma once

#include <QByteArray>

#include "cli/serve/http/HttpRequest.h"

// Who may use the API: the holder of the token, from the page's own origin.
namespace cli::serve {

// Compares in time that depends on the lengths only, so a guess learns nothing from timing.
bool sameSecret(QByteArrayView given, QByteArrayView token);
// The token from "Authorization: Bearer T" or, for the event socket, from "?token=T".
bool carriesToken(const HttpRequest& request, QByteArrayView token, bool queryAllowed);
// No Origin (not a browser), or one whose host:port is the Host header's.
bool sameOrigin(const HttpRequest& request);

}  // namespace cli::serve
