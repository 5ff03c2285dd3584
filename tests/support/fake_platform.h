#pragma once

#include "common/scripted_platform.h"

namespace kw::test {

// The tests' fake platform: scripted answers, every call recorded.
using FakePlatform = ScriptedPlatform;

}  // namespace kw::test
