// Bytes a client sends the bridge: framed as an HTTP request and, when one parses, its path
// and body read as an API call and its headers checked for the token and the origin.
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "cli/serve/http/Access.h"
#include "cli/serve/http/ApiRequest.h"
#include "cli/serve/http/HttpRequest.h"

using namespace cli::serve;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ParseResult result = parseRequest(bytes);
    const auto* parsed = std::get_if<Parsed>(&result);
    if (!parsed) return 0;
    if (parsed->size > bytes.size() || parsed->request.body.size() > kBodyLimit) std::abort();
    const HttpRequest& request = parsed->request;
    readApiRequest(request.method, request.path, request.body);
    carriesToken(request, "0123456789abcdef", true);
    sameOrigin(request);
    return 0;
}
