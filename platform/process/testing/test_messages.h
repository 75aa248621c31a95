// Private messages between the cross-program tests and their test program.
#pragma once

#include "win/user.h"

namespace platform::process::testing {

constexpr UINT kAskBack = WM_USER + 1;
constexpr UINT kAnswerBack = WM_USER + 2;
constexpr UINT kInitiate = WM_USER + 3;
constexpr UINT kAcknowledge = WM_USER + 4;
constexpr UINT kPostMany = WM_USER + 5;
constexpr UINT kNumbered = WM_USER + 6;
constexpr UINT kReadShared = WM_USER + 7;
constexpr UINT kDieWhileAnswering = WM_USER + 8;

}  // namespace platform::process::testing
