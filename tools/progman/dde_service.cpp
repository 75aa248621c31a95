#include "dde_service.h"

namespace progman {

bool acceptsConversation(std::string_view service, std::string_view topic) {
    return (service.empty() || sameName(service, kServiceName)) && (topic.empty() || sameName(topic, kServiceName));
}

std::optional<std::string> requestText(std::string_view item, const GroupStore& store) {
    if (!sameName(item, kGroupsItem)) return std::nullopt;
    std::string text;
    for (const ProgramGroup& group : store.list().groups) text += group.name + "\r\n";
    return text;
}

}  // namespace progman
