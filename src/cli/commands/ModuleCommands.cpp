#include <QJsonArray>

#include "cli/commands/Handlers.h"
#include "cli/program/Arguments.h"
#include "cli/program/ExitCode.h"
#include "cli/program/Rejection.h"
#include "core/OperatorTexts.h"
#include "core/operations/ModuleQuery.h"
#include "lan/ModuleRecords.h"
#include "settings/DeviceEntry.h"

namespace cli {

Outcome runSearch(Context& context, const QStringList& args) {
    requireCount(args, 0, QStringLiteral("search [--address IP]"));
    const QString address = context.invocation().searchAddress;
    if (!address.isEmpty()) requireIpv4(address);
    devlink::TVKCOMControl& link = context.moduleSession(address).link();
    if (!address.isEmpty()) link.SetUDPMode(devlink::umNORMAL);
    if (!link.SearchModules()) throw Rejection(kExitNoReply, QStringLiteral("No Matrix found."));
    Outcome out;
    QJsonArray modules;
    for (int n = 1; n <= link.FoundModuleCount(); ++n) {
        config::DeviceEntry entry;
        entry.tag = link.FoundModuleField(n, lan::kFieldName);
        entry.autoIp = config::AutoIpOf(link.FoundModuleField(n, lan::kFieldDhcp));
        entry.ip = link.FoundModuleField(n, lan::kFieldIp);
        entry.mac = link.FoundModuleField(n, lan::kFieldMac);
        const QString mode = config::DeviceEntryField(entry.text(), config::DeviceEntry::Mode);
        out.lines << QStringList{entry.tag, mode, entry.ip, entry.mac}.join(u'\t');
        modules.append(QJsonObject{{QStringLiteral("tag"), entry.tag},
                                   {QStringLiteral("mode"), mode},
                                   {QStringLiteral("ip"), entry.ip},
                                   {QStringLiteral("mac"), entry.mac},
                                   {QStringLiteral("entry"), entry.text()}});
    }
    out.json[QStringLiteral("modules")] = modules;
    return out;
}

Outcome runModule(Context& context, const QStringList& args) {
    requireCount(args, 1, QStringLiteral("module info"));
    choiceArg(args[0], {QStringLiteral("info")}, QStringLiteral("info"));
    if (context.target().kind != core::Target::Kind::Serial)
        throw Rejection(kExitUsage, QStringLiteral("The module answers on the serial port only; "
                                                   "use --serial or COM control mode"));
    core::Connection& session = context.session();
    Outcome out;
    if (!session.connect()) return out.stop();
    const std::optional<core::ModuleInfo> info = core::queryModule(session.link(), session.guard());
    if (!info) throw Rejection(kExitNoReply, core::ModuleQueryFailedText());
    out.lines << core::ModuleInfoLines(*info);
    out.json[QStringLiteral("version")] = info->version;
    out.json[QStringLiteral("dhcp")] = info->dhcp;
    out.json[QStringLiteral("ip")] = info->ip;
    return out;
}

}  // namespace cli
