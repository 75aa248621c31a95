#include "dde_service.h"

#include "command_interpreter.h"
#include "kernel/testing/test_pc.h"

#include <gtest/gtest.h>

namespace progman {
namespace {

TEST(DdeServiceTest, ConversationOnProgmanOrAnOpenName) {
    platform::testing::TestPc pc;  // names are compared in the PC's code page
    struct Case {
        const char* service;
        const char* topic;
        bool accepted;
    };
    const Case cases[] = {
        {"Progman", "Progman", true}, {"PROGMAN", "progman", true}, {"", "", true}, {"Progman", "", true},
        {"", "Progman", true},        {"Progman", "Groups", false}, {"Shell", "Progman", false},
        {"Progman ", "Progman", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(acceptsConversation(c.service, c.topic), c.accepted) << c.service << "|" << c.topic;
}

TEST(DdeServiceTest, GroupsRequestListsTheGroupNamesInOrder) {
    platform::testing::TestPc pc;
    GroupStore store;
    EXPECT_EQ(requestText("Groups", store), "");
    ASSERT_TRUE(CommandInterpreter().execute("[CreateGroup(Main)][CreateGroup(TV Kit)][CreateGroup(Games)][DeleteGroup(Main)]").acknowledged);
    EXPECT_EQ(requestText("groups", store), "TV Kit\r\nGames\r\n");
    EXPECT_EQ(requestText("TV Kit", store), std::nullopt);
}

}  // namespace
}  // namespace progman
