// What Program Manager answers as a DDE server, apart from the window messages that carry it.
#pragma once

#include "program_groups.h"

#include <optional>
#include <string>
#include <string_view>

namespace progman {

// The name under which Program Manager serves, both as service and as its one topic.
inline constexpr const char* kServiceName = "Progman";
// The one item that a client may request: the names of all groups.
inline constexpr const char* kGroupsItem = "Groups";

// Program Manager takes part in a conversation when the service and the topic are each
// "Progman" (in any case) or left open by the client (empty: any service, any topic).
bool acceptsConversation(std::string_view service, std::string_view topic);

// The text data answering a request for ITEM: for "Groups" every group's name followed by CR LF,
// in the groups' order. Nullopt for any other item (the client gets a negative acknowledgement).
std::optional<std::string> requestText(std::string_view item, const GroupStore& store);

}  // namespace progman
